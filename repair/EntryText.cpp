#include "repair/EntryText.h"

#include <utility>

#include "engine/RootNames.h"
#include "platform/codepage/Codepage.h"

namespace repair {

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsAsciiSpace(text[begin])) ++begin;
    while (end > begin && IsAsciiSpace(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string ParseEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '\\' || next == '"') {
                out += next;
                ++i;
                continue;
            }
            if (next == 'r' || next == 'n') {
                out += next == 'r' ? '\r' : '\n';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

namespace {

// The unit of "\uXXXX" at `at` (the backslash); -1 when the four digits are not there.
long UnitEscape(std::string_view text, std::size_t at) {
    if (at + 6 > text.size() || text[at + 1] != 'u') return -1;
    long unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

}  // namespace

std::u16string ParseEscapedExact(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t plain = 0;  // start of the bytes not yet converted
    auto flush = [&](std::size_t to) {
        out += platform::codepage::AnsiToUtf16(text.substr(plain, to - plain));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) continue;
        const char next = text[i + 1];
        const long unit = UnitEscape(text, i);
        if (next != '\\' && next != '"' && next != 'r' && next != 'n' && unit < 0) continue;
        flush(i);
        if (unit >= 0) {
            out += static_cast<char16_t>(unit);
            i += 5;
        } else {
            out += next == 'r' ? u'\r' : next == 'n' ? u'\n' : static_cast<char16_t>(next);
            ++i;
        }
        plain = i + 1;
    }
    flush(text.size());
    return out;
}

std::optional<KeyPath> ParseKeyLine(std::string_view keyLine) {
    if (keyLine.size() < 2 || keyLine.front() != '[' || keyLine.back() != ']') return {};
    const std::string_view inner = keyLine.substr(1, keyLine.size() - 2);
    std::u16string path;
    if (inner.size() >= 2 && inner.front() == '"' && inner.back() == '"')
        path = ParseEscapedExact(inner.substr(1, inner.size() - 2));
    else path = platform::codepage::AnsiToUtf16(inner);
    const std::size_t slash = path.find(u'\\');
    if (slash == std::u16string::npos || slash == 0) return {};
    if (!platform::codepage::RoundTrips(path.substr(0, slash))) return {};
    const platform::HKEY root =
        engine::RootFromName(platform::codepage::Utf16ToAnsi(path.substr(0, slash)));
    if (root == 0) return {};
    std::u16string exact = path.substr(slash + 1);
    return KeyPath{root, platform::codepage::Utf16ToAnsi(exact), std::move(exact)};
}

namespace {

// The escaped text of a name text ("@": empty), with `rest` set to what follows it.
std::optional<std::string_view> NameTextInner(std::string_view text, std::string_view* rest) {
    if (!text.empty() && text.front() == '@') {
        if (rest) *rest = text.substr(1);
        return std::string_view();
    }
    if (text.empty() || text.front() != '"') return {};
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;  // the escaped character cannot close the name
            continue;
        }
        if (text[i] == '"') {
            if (rest) *rest = text.substr(i + 1);
            return text.substr(1, i - 1);
        }
    }
    return {};
}

}  // namespace

std::optional<std::string> ParseNameText(std::string_view text, std::string_view* rest) {
    const auto inner = NameTextInner(text, rest);
    if (!inner) return {};
    return ParseEscaped(*inner);
}

std::optional<std::u16string> ParseExactNameText(std::string_view text, std::string_view* rest) {
    const auto inner = NameTextInner(text, rest);
    if (!inner) return {};
    return ParseEscapedExact(*inner);
}

std::optional<ValueLineParts> SplitValueLine(std::string_view valueLine) {
    std::string_view rest;
    if (!ParseNameText(valueLine, &rest)) return {};
    if (rest.empty() || rest.front() != '=') return {};
    const std::size_t nameLength = valueLine.size() - rest.size();
    return ValueLineParts{std::string(valueLine.substr(0, nameLength)),
                          std::string(rest.substr(1))};
}

}  // namespace repair
