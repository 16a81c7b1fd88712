#include "engine/ValueText.h"

#include <fmt/format.h>

#include "engine/Escapes.h"
#include "engine/RootNames.h"
#include "platform/codepage/Codepage.h"
#include "platform/codepage/Ascii.h"

namespace engine {
namespace {

using platform::codepage::TrimAscii;

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
    std::string_view key = TrimAscii(keyText);
    if (Enclosed(key, '[', ']')) key = key.substr(1, key.size() - 2);
    shown.key = std::string(key);

    std::string value;
    const std::string_view name = TrimAscii(nameText);
    if (name == "@") value = "<Default>";
    else if (Enclosed(name, '"', '"')) value = std::string(name.substr(1, name.size() - 2));
    const std::string_view data = TrimAscii(valueText);
    if (data == "\"\"") value += " = <Empty Value>";
    else if (Enclosed(data, '"', '"'))
        value += " = " + std::string(data.substr(1, data.size() - 2));
    shown.value = Unescape(value, LineBreaks::AsSpaces);

    shown.mark = TrimAscii(mark) == "0" ? "0" : "1";
    return shown;
}

}  // namespace engine
