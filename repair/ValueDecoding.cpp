#include "repair/ValueDecoding.h"

#include "engine/Escapes.h"
#include "platform/codepage/Codepage.h"
#include "repair/EntryText.h"

namespace repair {

namespace {

std::optional<DecodedValue> Fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return std::nullopt;
}

// UTF-16 little-endian with one terminating zero unit.
std::vector<platform::BYTE> WideBytes(std::u16string_view text) {
    std::vector<platform::BYTE> out;
    out.reserve(2 * text.size() + 2);
    for (char16_t unit : text) {
        out.push_back(static_cast<platform::BYTE>(unit & 0xFF));
        out.push_back(static_cast<platform::BYTE>(unit >> 8));
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

std::optional<DecodedValue> DecodeString(std::string_view inner, platform::DWORD type) {
    DecodedValue value;
    value.type = type;
    const std::u16string exact = engine::UnescapeExact(inner);
    const std::string text = platform::codepage::Utf16ToAnsi(exact);
    value.bytes.assign(text.begin(), text.end());
    value.bytes.push_back(0);
    value.wide = WideBytes(exact);
    return value;
}

std::optional<DecodedValue> DecodeDword(std::string_view digits, std::string* error) {
    if (digits.empty() || digits.size() > 8) {
        return Fail(error, "a dword needs one to eight hexadecimal digits");
    }
    platform::DWORD number = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return Fail(error, "a dword holds a character that is not hexadecimal");
        number = (number << 4) | static_cast<platform::DWORD>(digit);
    }
    DecodedValue value;
    value.type = platform::REG_DWORD;
    for (int i = 0; i < 4; ++i) {
        value.bytes.push_back(static_cast<platform::BYTE>((number >> (8 * i)) & 0xFF));
    }
    value.wide = value.bytes;
    return value;
}

// hex(2): the byte list is "b,00," per character, closed by "00,00"; the byte values are
// decimal. The text ends at its first zero byte.
std::optional<DecodedValue> DecodeExpand(std::string_view list, std::string* error) {
    DecodedValue value;
    value.type = platform::REG_EXPAND_SZ;
    std::size_t index = 0;  // item number: even items are bytes, odd items the "00" between
    std::size_t pos = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t comma = list.find(',', pos);
        const std::string_view item = list.substr(
            pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
        if (item.empty() || item.size() > 3) return Fail(error, "a damaged hex(2) byte list");
        unsigned number = 0;
        for (char c : item) {
            if (c < '0' || c > '9') return Fail(error, "a damaged hex(2) byte list");
            number = number * 10 + static_cast<unsigned>(c - '0');
        }
        if (number > 255) return Fail(error, "a hex(2) byte value above 255");
        if (index % 2 == 0) {
            if (number == 0) {
                ended = true;
            } else {
                value.bytes.push_back(static_cast<platform::BYTE>(number));
            }
        }
        ++index;
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    if (!ended) return Fail(error, "a hex(2) byte list without its closing zero");
    value.wide = WideBytes(platform::codepage::AnsiToUtf16(
        std::string_view(reinterpret_cast<const char*>(value.bytes.data()), value.bytes.size())));
    value.bytes.push_back(0);
    return value;
}

}  // namespace

std::optional<DecodedValue> DecodeData(std::string_view dataText, std::string* error) {
    if (dataText.size() >= 2 && dataText.front() == '"' && dataText.back() == '"') {
        return DecodeString(dataText.substr(1, dataText.size() - 2), platform::REG_SZ);
    }
    constexpr std::string_view kExactExpand = "str(2):\"";
    if (dataText.size() > kExactExpand.size() && StartsWithNoCase(dataText, kExactExpand) &&
        dataText.back() == '"')
        return DecodeString(
            dataText.substr(kExactExpand.size(), dataText.size() - kExactExpand.size() - 1),
            platform::REG_EXPAND_SZ);
    if (StartsWithNoCase(dataText, "dword:")) return DecodeDword(dataText.substr(6), error);
    if (StartsWithNoCase(dataText, "hex(2):")) return DecodeExpand(dataText.substr(7), error);
    return Fail(error, "a data text that is neither a string, hex(2): nor dword:");
}

}  // namespace repair
