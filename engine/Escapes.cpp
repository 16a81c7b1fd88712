#include "engine/Escapes.h"

#include <fmt/format.h>

#include "platform/codepage/Ascii.h"
#include "platform/codepage/Codepage.h"

namespace engine {
namespace {

// Names and string data are kept exactly: no trimming, so a backup restores what was there
// and repair finds the value by its real name. CR and LF are escaped so that a record stays
// one line of the backup file.
void AppendEscaped(std::string& out, char c) {
    switch (c) {
    case '\\': out += "\\\\"; break;
    case '"': out += "\\\""; break;
    case '\r': out += "\\r"; break;
    case '\n': out += "\\n"; break;
    default: out += c;
    }
}

// The escape whose backslash stands at `at`: the unit it stands for and its length in bytes;
// length 0 when the backslash starts none.
struct Escape {
    char16_t unit = 0;
    std::size_t length = 0;
};

Escape EscapeAt(std::string_view text, std::size_t at, bool unitEscapes) {
    if (at + 1 >= text.size()) return {};
    switch (text[at + 1]) {
    case '\\': return {u'\\', 2};
    case '"': return {u'"', 2};
    case 'r': return {u'\r', 2};
    case 'n': return {u'\n', 2};
    case 'u': {
        if (!unitEscapes || at + 6 > text.size()) return {};
        unsigned unit = 0;
        for (std::size_t i = at + 2; i < at + 6; ++i) {
            const int digit = platform::codepage::HexDigit(text[i]);
            if (digit < 0) return {};
            unit = unit * 16 + static_cast<unsigned>(digit);
        }
        return {static_cast<char16_t>(unit), 6};
    }
    default: return {};
    }
}

// The one reader: hands the plain runs of `text` to `plain` and each escape's unit to `unit`,
// in order.
template <class Plain, class Unit>
void ReadEscapes(std::string_view text, bool unitEscapes, Plain plain, Unit unit) {
    std::size_t from = 0;  // start of the plain run not yet handed on
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') continue;
        const Escape escape = EscapeAt(text, i, unitEscapes);
        if (escape.length == 0) continue;
        plain(text.substr(from, i - from));
        unit(escape.unit);
        i += escape.length - 1;
        from = i + 1;
    }
    plain(text.substr(from));
}

}  // namespace

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) AppendEscaped(out, c);
    out += '"';
    return out;
}

std::string QuotedExact(std::u16string_view text) {
    std::string out = "\"";
    for (char16_t unit : text) {
        if (platform::codepage::UnitRoundTrips(unit))
            AppendEscaped(out, platform::codepage::UnitToAnsi(unit));
        else out += fmt::format("\\u{:04x}", static_cast<unsigned>(unit));
    }
    out += '"';
    return out;
}

std::string Unescape(std::string_view text, LineBreaks breaks) {
    std::string out;
    out.reserve(text.size());
    ReadEscapes(
        text, false, [&](std::string_view run) { out += run; },
        [&](char16_t unit) {
            const bool lineBreak = unit == u'\r' || unit == u'\n';
            out += lineBreak && breaks == LineBreaks::AsSpaces ? ' ' : static_cast<char>(unit);
        });
    return out;
}

std::u16string UnescapeExact(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    ReadEscapes(
        text, true, [&](std::string_view run) { out += platform::codepage::AnsiToUtf16(run); },
        [&](char16_t unit) { out += unit; });
    return out;
}

}  // namespace engine
