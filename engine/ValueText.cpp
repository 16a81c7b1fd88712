#include "engine/ValueText.h"

#include <fmt/format.h>

#include "engine/RootNames.h"
#include "platform/codepage/Codepage.h"
#include "platform/codepage/Ascii.h"

namespace engine {
namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && platform::codepage::IsAsciiSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && platform::codepage::IsAsciiSpace(text.back())) text.remove_suffix(1);
    return text;
}

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

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) AppendEscaped(out, c);
    out += '"';
    return out;
}

// Quoted as above, in the A code page, with "\uXXXX" for every unit it cannot hold.
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

std::string NameText(std::string_view name) {
    return name.empty() ? std::string("@") : Quoted(name);
}

// The data as text: up to its first zero byte, never beyond the reported length.
std::string_view DataText(const platform::BYTE* data, platform::DWORD length) {
    if (!data) return {};
    const char* chars = reinterpret_cast<const char*>(data);
    std::size_t n = 0;
    while (n < length && chars[n] != '\0') ++n;
    return {chars, n};
}

// An escaped text as the lists show it (not the stored data: CR and LF show as spaces), in one
// left-to-right pass, so that an escaped backslash is never read as the start of another
// escape.
std::string UnescapeForDisplay(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '\\' || next == '"') {
                out += next;
                ++i;
                continue;
            }
            if (next == 'r' || next == 'n') {
                out += ' ';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool Enclosed(std::string_view text, char open, char close) {
    return text.size() >= 2 && text.front() == open && text.back() == close;
}

}  // namespace

ValueTexts TextForm(const std::string& fullKeyPath, const std::string& valueName,
                    platform::DWORD type, const platform::BYTE* data, platform::DWORD length) {
    ValueTexts texts;
    texts.key = "[" + fullKeyPath + "]";
    texts.name = NameText(valueName);
    switch (type) {
    case platform::REG_SZ: texts.value = Quoted(DataText(data, length)); break;
    case platform::REG_EXPAND_SZ: {
        std::string out = "hex(2):";
        for (char c : DataText(data, length)) {
            out += std::to_string(static_cast<unsigned char>(c));
            out += ",00,";
        }
        out += "00,00";
        texts.value = std::move(out);
        break;
    }
    case platform::REG_DWORD: {
        // Bytes beyond the reported length read as zero, as in a cleared buffer.
        std::uint32_t number = 0;
        for (platform::DWORD i = 0; i < 4 && data && i < length; ++i)
            number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
        texts.value = fmt::format("dword:{:08x}", number);
        break;
    }
    default: break;
    }
    return texts;
}

std::string ExactKeyLine(const ExactValue& exact) {
    const std::string root = RootPrefix(exact.root);
    if (platform::codepage::RoundTrips(exact.subKey))
        return "[" + root + platform::codepage::Utf16ToAnsi(exact.subKey) + "]";
    return "[" + QuotedExact(platform::codepage::AnsiToUtf16(root) + exact.subKey) + "]";
}

std::string ExactValueLine(const ExactValue& exact, const std::string& valueText) {
    std::string line = exact.name.empty() ? std::string("@") : QuotedExact(exact.name);
    line += '=';
    if (exact.type == platform::REG_SZ) line += QuotedExact(exact.text);
    else if (exact.type == platform::REG_EXPAND_SZ && !platform::codepage::RoundTrips(exact.text))
        line += "str(2):" + QuotedExact(exact.text);
    else line += valueText;
    return line;
}

ValueTexts Utf8Texts(const ExactValue& exact, const std::string& valueText) {
    using platform::codepage::Utf16ToUtf8;
    ValueTexts texts;
    texts.key = "[" + RootPrefix(exact.root) + Utf16ToUtf8(exact.subKey) + "]";
    texts.name = NameText(Utf16ToUtf8(exact.name));
    texts.value = exact.type == platform::REG_SZ ? Quoted(Utf16ToUtf8(exact.text)) : valueText;
    return texts;
}

ShownTexts DisplayConversion(const std::string& keyText, const std::string& nameText,
                             const std::string& valueText, const std::string& mark) {
    ShownTexts shown;
    std::string_view key = Trim(keyText);
    if (Enclosed(key, '[', ']')) key = key.substr(1, key.size() - 2);
    shown.key = std::string(key);

    std::string value;
    const std::string_view name = Trim(nameText);
    if (name == "@") value = "<Default>";
    else if (Enclosed(name, '"', '"')) value = std::string(name.substr(1, name.size() - 2));
    const std::string_view data = Trim(valueText);
    if (data == "\"\"") value += " = <Empty Value>";
    else if (Enclosed(data, '"', '"'))
        value += " = " + std::string(data.substr(1, data.size() - 2));
    shown.value = UnescapeForDisplay(value);

    shown.mark = Trim(mark) == "0" ? "0" : "1";
    return shown;
}

}  // namespace engine
