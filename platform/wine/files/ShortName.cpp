#include "platform/wine/files/ShortName.h"

#include <cstdint>
#include <type_traits>

#include "platform/codepage/Codepage.h"

namespace platform::wine::files {
namespace {

// Characters no 8.3 name holds, besides those above 0x7f.
constexpr std::u16string_view kInvalidDos = u"*?<>|\"+=,;[] ";

// Copied into a made name as '_' (Wine's is_invalid_dos_char).
bool InvalidInShortName(char16_t c) {
    return c > 0x7f || c == u'~' || c == u'.' || kInvalidDos.find(c) != std::u16string_view::npos;
}

template <typename Char>
bool Legal8Dot3(std::basic_string_view<Char> name) {
    if (name.size() > 12) return false;
    // A leading dot only in "." and "..".
    if (!name.empty() && name[0] == '.')
        return name.size() == 1 || (name.size() == 2 && name[1] == '.');
    std::size_t dot = std::basic_string_view<Char>::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(name[i]));
        if (c > 0x7f || c == u':' || c == u'/' || c == u'\\' ||
            kInvalidDos.find(c) != std::u16string_view::npos)
            return false;
        if (c == u'.') {
            if (dot != std::basic_string_view<Char>::npos) return false;
            dot = i;
        }
    }
    if (dot == std::basic_string_view<Char>::npos) return name.size() <= 8;
    return dot <= 8 && name.size() - dot > 1 && name.size() - dot < 5;
}

char16_t ToUpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }

}  // namespace

bool IsLegal8Dot3(std::u16string_view name) { return Legal8Dot3(name); }

std::u16string HashShortName(std::u16string_view name) {
    static constexpr char kHashChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    if (name.empty()) return {};
    // Wine's hash, over lower-case units, in 16 bits.
    std::uint16_t hash = 0xbeef;
    const auto lower = [](char16_t c) { return static_cast<unsigned>(codepage::ToLower(c)); };
    const auto mix = [&hash](unsigned units) {
        const unsigned h = hash;
        hash = static_cast<std::uint16_t>((h << 3) ^ (h >> 5) ^ units);
    };
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
        mix(lower(name[i]) ^ (lower(name[i + 1]) << 8));
    mix(lower(name.back()));

    // The extension starts at the last dot that is neither the first nor the last unit.
    std::size_t ext = std::u16string_view::npos;
    for (std::size_t i = 1; i + 1 < name.size(); ++i)
        if (name[i] == u'.') ext = i;

    std::u16string result;
    const auto usable = [](char16_t c) { return InvalidInShortName(c) ? u'_' : ToUpperAscii(c); };
    std::size_t i = 0;
    for (; i < 4 && i < name.size() && i != ext; ++i) result.push_back(usable(name[i]));
    result.append(5 - result.size(), u'~');
    result.push_back(static_cast<char16_t>(kHashChars[(hash >> 10) & 0x1f]));
    result.push_back(static_cast<char16_t>(kHashChars[(hash >> 5) & 0x1f]));
    result.push_back(static_cast<char16_t>(kHashChars[hash & 0x1f]));
    if (ext != std::u16string_view::npos) {
        result.push_back(u'.');
        for (std::size_t e = ext + 1; e < name.size() && e <= ext + 3; ++e)
            result.push_back(usable(name[e]));
    }
    return result;
}

std::string ShortNameOfHostName(std::string_view hostName) {
    const std::u16string name = codepage::Utf8ToUtf16(hostName);
    if (IsLegal8Dot3(name)) return {};
    const std::u16string made = HashShortName(name);
    return std::string(made.begin(), made.end());  // ASCII only
}

bool CouldBeShortName(std::string_view component) {
    return component.size() >= 8 && component[4] == '~' && Legal8Dot3(component);
}

}  // namespace platform::wine::files
