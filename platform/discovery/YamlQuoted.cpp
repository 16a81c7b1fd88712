#include "platform/discovery/YamlQuoted.h"

#include "platform/codepage/Ascii.h"

namespace platform::discovery::yaml {
namespace {

void AppendUtf8(std::string& out, unsigned long code) {
    auto byte = [&out](unsigned long value) { out += static_cast<char>(value & 0xFF); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6)), byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12)), byte(0x80 | ((code >> 6) & 0x3F)), byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18)), byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F)), byte(0x80 | (code & 0x3F));
    }
}

// The character of a \x, \u or \U escape of `digits` hexadecimal digits at `text`; false for
// too few digits or no character (a surrogate, beyond U+10FFFF).
bool HexEscape(std::string_view text, std::size_t digits, std::string& out) {
    if (text.size() < digits) return false;
    unsigned long code = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int digit = codepage::HexDigit(text[i]);
        if (digit < 0) return false;
        code = code * 16 + static_cast<unsigned long>(digit);
    }
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    AppendUtf8(out, code);
    return true;
}

// One escape of a double-quoted scalar, `text` just past its backslash; returns how many
// characters it took, 0 for none that YAML knows (the backslash is then kept as written).
std::size_t Escape(std::string_view text, std::string& out) {
    if (text.empty()) return 0;
    static constexpr std::string_view kFrom = "0abtnvfre \"/\\\t";
    static constexpr std::string_view kTo{"\0\a\b\t\n\v\f\r\x1B \"/\\\t", 14};
    if (const std::size_t at = kFrom.find(text[0]); at != std::string_view::npos) {
        out += kTo[at];
        return 1;
    }
    const char kind = text[0];
    static constexpr std::string_view kNamed = "N_LP";  // next line, no-break space, separators
    static constexpr unsigned long kNamedCodes[] = {0x85, 0xA0, 0x2028, 0x2029};
    if (const std::size_t at = kNamed.find(kind); at != std::string_view::npos) {
        AppendUtf8(out, kNamedCodes[at]);
        return 1;
    }
    const std::size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : kind == 'U' ? 8 : 0;
    return digits && HexEscape(text.substr(1), digits, out) ? 1 + digits : 0;
}

}  // namespace

std::string Unquote(std::string_view raw, char quote) {
    std::string out;
    std::size_t kept = 0;  // blanks before this were written as escapes or folds: not trimmed
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (quote == '\'' && c == '\'' && i + 1 < raw.size() && raw[i + 1] == '\'') {
            out += '\'';
            ++i;
        } else if (quote == '"' && c == '\\' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            for (++i; i + 1 < raw.size() && IsYamlBlank(raw[i + 1]);) ++i;
        } else if (quote == '"' && c == '\\') {
            const std::size_t taken = Escape(raw.substr(i + 1), out);
            if (taken == 0) out += c;
            i += taken;
        } else if (c == '\n') {
            while (out.size() > kept && IsYamlBlank(out.back())) out.pop_back();
            std::size_t breaks = 0;
            for (; i + 1 < raw.size() && (IsYamlBlank(raw[i + 1]) || raw[i + 1] == '\n'); ++i)
                breaks += raw[i + 1] == '\n';
            out += breaks ? std::string(breaks, '\n') : std::string(" ");
        } else {
            out += c;
            continue;
        }
        kept = out.size();
    }
    return out;
}

std::size_t ClosingQuote(std::string_view text, std::size_t from, char quote) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (quote == '"' && text[i] == '\\') ++i;
        else if (text[i] == quote && quote == '\'' && i + 1 < text.size() && text[i + 1] == '\'')
            ++i;
        else if (text[i] == quote) return i;
    }
    return std::string_view::npos;
}

}  // namespace platform::discovery::yaml
