#include "platform/wine/files/WindowsPath.h"

#include "platform/codepage/Codepage.h"

namespace platform::wine::files {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Characters Wine refuses in a file name component.
bool IsValidComponent(std::u16string_view name) {
    for (char16_t c : name) {
        if (c < 0x20 || c == u'*' || c == u'?' || c == u'<' || c == u'>' || c == u'|' ||
            c == u'"' || c == u':')
            return false;
    }
    return true;
}

}  // namespace

std::optional<WindowsPath> ParseWindowsPath(std::u16string_view path) {
    // "\\?\X:\..." and "\\.\X:\..." name the same file as "X:\..."; any other path that
    // starts with two separators is UNC.
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == u'?' || path[2] == u'.') && IsSeparator(path[3]))
        path.remove_prefix(4);
    if (path.size() < 2 || !IsDriveLetter(path[0]) || path[1] != u':') return std::nullopt;

    WindowsPath result;
    result.drive = static_cast<char>(path[0] | 0x20);
    // "X:name" is relative to the drive's current folder; this program's is the root.
    std::u16string_view rest = path.substr(2);

    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        parts.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    const bool endsWithSeparator = !rest.empty() && IsSeparator(rest.back());

    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::u16string_view part = parts[i];
        const bool last = i + 1 == parts.size();
        if (part.empty() || part == u".") continue;
        if (part == u"..") {
            // ".." above a drive root stays at the root, as on Windows.
            if (!result.components.empty()) result.components.pop_back();
            continue;
        }
        // Windows drops one trailing dot of an inner component, and every trailing dot and
        // space of the last one (unless the path ends with a separator).
        if (!last || endsWithSeparator) {
            if (part.back() == u'.') part.remove_suffix(1);
        } else {
            while (!part.empty() && (part.back() == u'.' || part.back() == u' '))
                part.remove_suffix(1);
        }
        if (part.empty()) continue;
        if (!IsValidComponent(part)) return std::nullopt;
        result.components.emplace_back(part);
    }
    result.trailingSeparator = endsWithSeparator && !result.components.empty();
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

}  // namespace platform::wine::files
