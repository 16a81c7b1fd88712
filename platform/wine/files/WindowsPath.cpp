#include "platform/wine/files/WindowsPath.h"

#include "platform/codepage/Codepage.h"

namespace platform::wine::files {
namespace {

template <class Char>
bool IsSeparator(Char c) {
    return c == Char('\\') || c == Char('/');
}

template <class Char>
bool IsDriveLetter(Char c) {
    return (c >= Char('A') && c <= Char('Z')) || (c >= Char('a') && c <= Char('z'));
}

// Characters Wine refuses in a file name component.
template <class Char>
bool IsValidComponent(std::basic_string_view<Char> name) {
    for (Char c : name) {
        if (c < Char(0x20) || c == Char('*') || c == Char('?') || c == Char('<') ||
            c == Char('>') || c == Char('|') || c == Char('"') || c == Char(':'))
            return false;
    }
    return true;
}

// One set of rules for both text forms; the components view `path`.
template <class Char>
bool Split(std::basic_string_view<Char> path, PathView<Char>& result) {
    using View = std::basic_string_view<Char>;
    result.components.clear();
    // "\\?\X:\..." and "\\.\X:\..." name the same file as "X:\..."; any other path that
    // starts with two separators is UNC.
    const bool literal = path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
                         (path[2] == Char('?') || path[2] == Char('.')) && IsSeparator(path[3]);
    if (literal) path.remove_prefix(4);
    const bool hasDrive = path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == Char(':');
    // A path without a drive is relative to the current folder, which for this program is
    // the root of C: (as Wine runs a program started in C:\); "" is on that drive too.
    if (!hasDrive && (literal || path.empty() ||
                      (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))))
        return false;

    result.drive = hasDrive ? static_cast<char>(path[0] | 0x20) : 'c';
    // "X:name" is relative to the drive's current folder; this program's is the root.
    const View rest = hasDrive ? path.substr(2) : path;
    const bool endsWithSeparator = !rest.empty() && IsSeparator(rest.back());

    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        View part = rest.substr(start, end - start);
        const bool last = end >= rest.size();
        start = end + 1;
        if (part.empty() || (part.size() == 1 && part[0] == Char('.'))) continue;
        if (part.size() == 2 && part[0] == Char('.') && part[1] == Char('.')) {
            // ".." above a drive root stays at the root, as on Windows.
            if (!result.components.empty()) result.components.pop_back();
            continue;
        }
        // Windows drops one trailing dot of an inner component, and every trailing dot and
        // space of the last one (unless the path ends with a separator).
        if (!last || endsWithSeparator) {
            if (part.back() == Char('.')) part.remove_suffix(1);
        } else {
            while (!part.empty() && (part.back() == Char('.') || part.back() == Char(' ')))
                part.remove_suffix(1);
        }
        if (part.empty()) continue;
        if (!IsValidComponent(part)) return false;
        result.components.push_back(part);
    }
    result.trailingSeparator = endsWithSeparator && !result.components.empty();
    return true;
}

}  // namespace

bool SplitWindowsPath(std::u16string_view path, PathView<char16_t>& result) {
    return Split(path, result);
}

bool SplitAsciiWindowsPath(std::string_view path, PathView<char>& result) {
    return Split(path, result);
}

std::optional<WindowsPath> ParseWindowsPath(std::u16string_view path) {
    PathView<char16_t> view;
    if (!Split(path, view)) return std::nullopt;
    WindowsPath result;
    result.drive = view.drive;
    result.trailingSeparator = view.trailingSeparator;
    result.components.assign(view.components.begin(), view.components.end());
    return result;
}

std::optional<WindowsPath> ParseWindowsPathA(std::string_view path) {
    return ParseWindowsPath(codepage::AnsiToUtf16(path));
}

std::u16string FoldName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) c = codepage::ToUpper(c);
    return folded;
}

void FoldAscii(std::string_view text, std::u16string& folded) {
    folded.resize(text.size());
    // ASCII text: Wine's upper-case table changes only a to z there.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        folded[i] = static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
}

}  // namespace platform::wine::files
