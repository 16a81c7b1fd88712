#include "platform/codepage/Codepage.h"

#include <array>
#include <cstdint>

namespace platform::codepage {
namespace {

#include "platform/codepage/CodepageTables.inc"

// Full 64K lookup tables, built once from the generated difference lists: the registry
// compares names unit by unit, so a case lookup must be one array access.
struct Tables {
    std::array<unsigned char, 65536> toAnsi{};
    std::array<char16_t, 65536> lower{};
    std::array<char16_t, 65536> upper{};

    Tables() {
        for (std::size_t c = 0; c < 65536; ++c) {
            toAnsi[c] = c < 0x80 ? static_cast<unsigned char>(c) : '?';
            lower[c] = upper[c] = static_cast<char16_t>(c);
        }
        for (const auto& p : kUnicodeToAnsi) toAnsi[p.unit] = p.byte;
        for (const auto& p : kLowerCase) lower[p.from] = p.to;
        for (const auto& p : kUpperCase) upper[p.from] = p.to;
    }
};

const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string Utf16ToAnsi(std::u16string_view text) {
    const auto& table = GetTables().toAnsi;
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(table[text[i]]);
    return out;
}

char UnitToAnsi(char16_t unit) {
    if (unit < 0x80) return static_cast<char>(unit);  // Windows-1252 keeps ASCII
    return static_cast<char>(GetTables().toAnsi[unit]);
}

bool UnitRoundTrips(char16_t unit) {
    return unit < 0x80 ||
           kAnsiToUnicode[static_cast<unsigned char>(GetTables().toAnsi[unit])] == unit;
}

bool RoundTrips(std::u16string_view text) {
    for (char16_t unit : text)
        if (!UnitRoundTrips(unit)) return false;
    return true;
}

std::u16string AnsiToUtf16(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = kAnsiToUnicode[static_cast<unsigned char>(text[i])];
    return out;
}

std::size_t DecodeUtf8Sequence(std::string_view text, std::size_t pos, std::u16string& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    const unsigned char b = s[pos];
    if (b < 0x80) {
        out.push_back(b);
        return 1;
    }
    std::size_t extra = 0;
    std::uint32_t cp = 0, min = 0;
    if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
        return 1;  // stray continuation byte or invalid lead byte: dropped
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if (pos + k >= n || (s[pos + k] & 0xC0) != 0x80) return 1;
        cp = (cp << 6) | (s[pos + k] & 0x3F);
    }
    // Drop only the lead byte of an invalid sequence; the rest is looked at again.
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 1;
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
    return extra + 1;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        // ASCII, most of any file name, needs no decoding.
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out.push_back(static_cast<char16_t>(text[i++]));
            continue;
        }
        i += DecodeUtf8Sequence(text, i, out);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((std::uint32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

char16_t ToLower(char16_t c) { return GetTables().lower[c]; }
char16_t ToUpper(char16_t c) {
    if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    return GetTables().upper[c];
}

}  // namespace platform::codepage
