#include "repair/IgnoreFile.h"

#include <fmt/format.h>

#include <array>
#include <charconv>

#include "engine/KeyViews.h"
#include "engine/RootNames.h"
#include "platform/codepage/Ascii.h"
#include "platform/codepage/Codepage.h"
#include "repair/BackupLocation.h"
#include "repair/BackupWriter.h"

namespace repair {
namespace {

namespace codepage = platform::codepage;

constexpr char kHex[] = "0123456789ABCDEF";

std::string EscapeField(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool paired =
            high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (paired) {
            out += codepage::Utf16ToUtf8(text.substr(i, 2));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += "%u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        } else if (c < 0x20 || c == u'%' || c == 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += codepage::Utf16ToUtf8(text.substr(i, 1));
        }
    }
    return out;
}

// False on a malformed escape or bytes that are not UTF-8.
bool UnescapeField(std::string_view text, std::u16string& out) {
    out.clear();
    std::size_t plain = 0;
    auto flush = [&](std::size_t to) {
        const std::string_view run = text.substr(plain, to - plain);
        const std::u16string decoded = codepage::Utf8ToUtf16(run);
        if (codepage::Utf16ToUtf8(decoded) != run) return false;
        out += decoded;
        return true;
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '%') {
            ++i;
            continue;
        }
        if (!flush(i)) return false;
        const bool unit = i + 1 < text.size() && text[i + 1] == 'u';
        const std::size_t digits = unit ? 4 : 2;
        const std::size_t from = i + (unit ? 2 : 1);
        if (from + digits > text.size()) return false;
        unsigned value = 0;
        for (std::size_t d = from; d < from + digits; ++d) {
            const int digit = codepage::HexDigit(text[d]);
            if (digit < 0) return false;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        out += static_cast<char16_t>(value);
        i = plain = from + digits;
    }
    return flush(text.size());
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab == std::string_view::npos ? line.npos : tab - from));
        if (tab == std::string_view::npos) return fields;
        from = tab + 1;
    }
}

bool ParseSection(std::string_view text, int& section) {
    if (text == "-") {
        section = 0;
        return true;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), section);
    return error == std::errc() && end == text.data() + text.size() && section >= 1 &&
           section <= engine::kSectionCount;
}

// "HKEY_...\path" into its root and path; false when it does not begin with a root's name.
bool ParseKeyPath(std::string_view text, engine::IgnoreEntry& entry) {
    const std::size_t slash = text.find('\\');
    const std::string root(text.substr(0, slash));
    std::string upper;
    for (const char c : root) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    entry.root = engine::RootFromName(upper);
    if (entry.root == 0) return false;
    if (slash == std::string_view::npos) {
        entry.path.clear();
        return true;
    }
    if (!UnescapeField(text.substr(slash + 1), entry.path)) return false;
    while (!entry.path.empty() && entry.path.back() == u'\\') entry.path.pop_back();
    return true;
}

std::string KeyPathField(const engine::IgnoreEntry& entry) {
    std::string text(engine::RootName(entry.root));
    if (!entry.path.empty()) text += '\\' + EscapeField(entry.path);
    return text;
}

bool IsDrivePath(std::u16string_view path) {
    return path.size() >= 3 && path[1] == u':' && path[2] == u'\\' &&
           ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

}  // namespace

std::string IgnoreEntryLine(const engine::IgnoreEntry& entry) {
    const std::string section = entry.section > 0 ? std::to_string(entry.section) : "-";
    switch (entry.kind) {
    case engine::IgnoreKind::Value: {
        const std::string name = entry.name.empty()   ? "@"
                                 : entry.name == u"@" ? "%40"
                                                      : EscapeField(entry.name);
        return fmt::format("value\t{}\t{}\t{}", section, KeyPathField(entry), name);
    }
    case engine::IgnoreKind::Key: return fmt::format("key\t{}\t{}", section, KeyPathField(entry));
    case engine::IgnoreKind::Shortcut:
        return fmt::format("shortcut\t{}\t{}", section, EscapeField(entry.path));
    }
    return {};
}

bool ParseIgnoreEntryLine(std::string_view line, engine::IgnoreEntry& entry) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    entry = {};
    if (fields.size() < 3 || !ParseSection(fields[1], entry.section)) return false;
    if (fields[0] == "value" && fields.size() == 4) {
        entry.kind = engine::IgnoreKind::Value;
        if (fields[3].empty() || !ParseKeyPath(fields[2], entry)) return false;
        if (fields[3] == "@") return true;
        return UnescapeField(fields[3], entry.name);
    }
    if (fields[0] == "key" && fields.size() == 3) {
        entry.kind = engine::IgnoreKind::Key;
        return ParseKeyPath(fields[2], entry);
    }
    if (fields[0] == "shortcut" && fields.size() == 3) {
        entry.kind = engine::IgnoreKind::Shortcut;
        return UnescapeField(fields[2], entry.path) && IsDrivePath(entry.path);
    }
    return false;
}

IgnoreFileContents ParseIgnoreLines(const std::vector<std::string>& lines) {
    IgnoreFileContents contents;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (i == 0 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a BOM
        if (i == 0 && line == kIgnoreHeader) continue;
        if (line.empty() || line.front() == '#') {
            contents.kept.emplace_back(line);
            continue;
        }
        engine::IgnoreEntry entry;
        if (ParseIgnoreEntryLine(line, entry)) {
            contents.entries.push_back(std::move(entry));
        } else {
            contents.kept.emplace_back(line);
            contents.damagedLines.push_back(static_cast<int>(i) + 1);
        }
    }
    return contents;
}

std::string IgnoreFileText(const IgnoreFileContents& contents) {
    std::string text(kIgnoreHeader);
    text += '\n';
    for (const std::string& line : contents.kept) text += line + '\n';
    for (const engine::IgnoreEntry& entry : contents.entries) text += IgnoreEntryLine(entry) + '\n';
    return text;
}

std::string IgnoreFilePath(platform::Services& services) {
    return ProgramFolder(services) + "ignore.txt";
}

platform::Status ReadIgnoreFile(platform::Services& services, IgnoreFileContents& contents) {
    const std::string path = IgnoreFilePath(services);
    engine::TextList lines;
    if (!ReadTextLines(services, path, lines))
        return {platform::ERROR_CANTREAD,
                fmt::format("The ignore list {} exists but cannot be read.", path)};
    contents = ParseIgnoreLines(lines);
    return {};
}

platform::Status UpdateIgnoreFile(platform::Services& services,
                                  const std::function<bool(IgnoreFileContents&)>& change,
                                  IgnoreFileContents* contents) {
    const std::string folder = BackupFolder(services);
    CreateFolderPath(services, folder);
    const std::string path = IgnoreFilePath(services);
    // The backup file's lock, taken for its folder: every Drennow that writes either file
    // waits for it.
    return services.UpdateTextFile(BackupFile(folder).c_str(), [&]() -> platform::Status {
        IgnoreFileContents read;
        if (platform::Status status = ReadIgnoreFile(services, read); !status.ok()) {
            status.message += " Nothing was changed.";
            return status;
        }
        if (!change(read)) {
            if (contents) *contents = std::move(read);
            return {};
        }
        platform::Status status = services.ReplaceTextFile(path.c_str(), IgnoreFileText(read));
        if (!status.ok() && status.message.empty())
            status.message = fmt::format("The ignore list {} could not be written.", path);
        if (status.ok() && contents) *contents = std::move(read);
        return status;
    });
}

std::string DamagedLinesNote(platform::Services& services, const IgnoreFileContents& contents) {
    const std::vector<int>& lines = contents.damagedLines;
    if (lines.empty()) return {};
    std::string numbers;
    for (const int line : lines) numbers += (numbers.empty() ? "" : ", ") + std::to_string(line);
    return fmt::format("The ignore list {} has {} line{} that cannot be read ({} {}); {} skipped.",
                       IgnoreFilePath(services), lines.size(), lines.size() == 1 ? "" : "s",
                       lines.size() == 1 ? "line" : "lines", numbers,
                       lines.size() == 1 ? "it is" : "they are");
}

bool IgnoredEntryPresent(platform::Services& services, const engine::IgnoreEntry& entry) {
    if (entry.kind == engine::IgnoreKind::Shortcut) {
        const std::string path = codepage::Utf16ToAnsi(entry.path);
        return codepage::RoundTrips(entry.path) &&
               services.GetFileAttributesA(path.c_str()) != platform::INVALID_FILE_ATTRIBUTES;
    }
    platform::HKEY opened = 0;
    if (services.RegOpenKeyExW(entry.root, entry.path.c_str(), 0, platform::KEY_READ, &opened) !=
        platform::ERROR_SUCCESS)
        return false;
    const engine::OpenKey key(services, opened);
    if (entry.kind == engine::IgnoreKind::Key) return true;
    std::array<platform::WCHAR, 16384> name{};
    for (platform::DWORD index = 0;; ++index) {
        platform::DWORD length = static_cast<platform::DWORD>(name.size());
        const platform::LONG status = services.RegEnumValueW(key.get(), index, name.data(), &length,
                                                             nullptr, nullptr, nullptr);
        if (status != platform::ERROR_SUCCESS) return false;
        const engine::Problem probe{
            0, {}, {}, {}, {entry.root, entry.path, {name.data(), length}, 0, {}}};
        if (engine::Covers(entry, probe)) return true;
    }
}

}  // namespace repair
