#include "platform/wine/registry/StringEscape.h"

#include <cstdint>
#include <cstring>

#include "platform/codepage/Ascii.h"
#include "platform/codepage/Codepage.h"

namespace platform::wine::registry {
namespace {

// The character a one-letter escape (\n and the like) stands for; 0 for any other letter.
char16_t LetterEscape(char e) {
    switch (e) {
    case 'a': return u'\a';
    case 'b': return u'\b';
    case 'e': return u'\x1b';
    case 'f': return u'\f';
    case 'n': return u'\n';
    case 'r': return u'\r';
    case 't': return u'\t';
    case 'v': return u'\v';
    default: return 0;
    }
}

}  // namespace

std::size_t DecodeEscaped(std::string_view s, std::size_t pos, char terminator,
                          std::u16string& out) {
    while (pos < s.size()) {
        // Runs of plain ASCII are most of any hive: widened a run at a time.
        std::size_t run = pos;
        while (run < s.size()) {
            const char r = s[run];
            if (r == terminator || r == '\\' || static_cast<unsigned char>(r) >= 0x80) break;
            ++run;
        }
        if (run > pos) {
            const std::size_t at = out.size();
            out.resize(at + (run - pos));
            for (std::size_t i = pos; i < run; ++i)
                out[at + (i - pos)] = static_cast<char16_t>(s[i]);
            pos = run;
            if (pos >= s.size()) break;
        }
        const char c = s[pos];
        if (c == terminator) return pos + 1;
        if (static_cast<unsigned char>(c) >= 0x80) {
            pos += codepage::DecodeUtf8Sequence(s, pos, out);
            continue;
        }
        if (c != '\\') {
            out.push_back(static_cast<unsigned char>(c));
            ++pos;
            continue;
        }
        if (++pos >= s.size()) return std::string_view::npos;  // backslash ends the line
        const char e = s[pos];
        if (const char16_t letter = LetterEscape(e)) {
            out.push_back(letter);
            ++pos;
            continue;
        }
        switch (e) {
        case 'x': {
            ++pos;
            if (pos >= s.size() || codepage::HexDigit(s[pos]) < 0) {
                out.push_back(u'x');
                break;
            }
            unsigned value = 0;
            for (int i = 0; i < 4 && pos < s.size() && codepage::HexDigit(s[pos]) >= 0; ++i, ++pos)
                value = value * 16 + static_cast<unsigned>(codepage::HexDigit(s[pos]));
            out.push_back(static_cast<char16_t>(value));
            break;
        }
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7': {
            unsigned value = 0;
            for (int i = 0; i < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++i, ++pos)
                value = value * 8 + static_cast<unsigned>(s[pos] - '0');
            out.push_back(static_cast<char16_t>(value));
            break;
        }
        default:
            if (static_cast<unsigned char>(e) >= 0x80) {
                pos += codepage::DecodeUtf8Sequence(s, pos, out);
            } else {
                out.push_back(static_cast<unsigned char>(e));
                ++pos;
            }
            break;
        }
    }
    return std::string_view::npos;
}

std::size_t SkipEscaped(std::string_view s, std::size_t pos, char terminator) {
    // An escape takes the backslash and the byte after it; whatever follows (hex or octal
    // digits, UTF-8 continuation bytes) is never a terminator or a backslash.
    // The terminator is found with memchr; only a backslash before it needs a closer look.
    while (pos < s.size()) {
        const char* base = s.data();
        const void* quote = std::memchr(base + pos, terminator, s.size() - pos);
        const std::size_t end =
            quote ? static_cast<std::size_t>(static_cast<const char*>(quote) - base) : s.size();
        const void* escape = std::memchr(base + pos, '\\', end - pos);
        if (!escape) return quote ? end + 1 : std::string_view::npos;
        pos = static_cast<std::size_t>(static_cast<const char*>(escape) - base) + 2;
    }
    return std::string_view::npos;  // a backslash ends the line
}

std::size_t AppendEscaped(std::string& out, std::u16string_view text, char quote1, char quote2) {
    static constexpr char kHex[] = "0123456789abcdef";
    static constexpr char kEscapes[33] = ".......abtnvfr.............e....";
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool hasNext = i + 1 < text.size();
        const char16_t next = hasNext ? text[i + 1] : 0;
        if (c > 0x7F) {
            out += "\\x";
            const bool pad =
                hasNext && next < 0x80 && codepage::HexDigit(static_cast<char>(next)) >= 0;
            bool started = false;
            for (int shift = 12; shift >= 0; shift -= 4) {
                const unsigned digit = (c >> shift) & 0xF;
                if (digit || started || pad || shift == 0) {
                    out.push_back(kHex[digit]);
                    started = true;
                }
            }
        } else if (c < 0x20) {
            out.push_back('\\');
            if (kEscapes[c] != '.') {
                out.push_back(kEscapes[c]);
            } else if (hasNext && next >= u'0' && next <= u'7') {
                out.push_back(static_cast<char>('0' + ((c >> 6) & 7)));
                out.push_back(static_cast<char>('0' + ((c >> 3) & 7)));
                out.push_back(static_cast<char>('0' + (c & 7)));
            } else {
                if (c >= 8) out.push_back(static_cast<char>('0' + (c >> 3)));
                out.push_back(static_cast<char>('0' + (c & 7)));
            }
        } else {
            const char a = static_cast<char>(c);
            if (a == '\\' || a == quote1 || a == quote2) out.push_back('\\');
            out.push_back(a);
        }
    }
    return out.size() - start;
}

}  // namespace platform::wine::registry
