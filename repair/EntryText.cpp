#include "repair/EntryText.h"

#include <utility>

#include "engine/Escapes.h"
#include "engine/RootNames.h"
#include "platform/codepage/Codepage.h"

namespace repair {

std::optional<KeyPath> ParseKeyLine(std::string_view keyLine) {
    if (keyLine.size() < 2 || keyLine.front() != '[' || keyLine.back() != ']') return {};
    const std::string_view inner = keyLine.substr(1, keyLine.size() - 2);
    std::u16string path;
    if (inner.size() >= 2 && inner.front() == '"' && inner.back() == '"')
        path = engine::UnescapeExact(inner.substr(1, inner.size() - 2));
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
    return engine::Unescape(*inner);
}

std::optional<std::u16string> ParseExactNameText(std::string_view text, std::string_view* rest) {
    const auto inner = NameTextInner(text, rest);
    if (!inner) return {};
    return engine::UnescapeExact(*inner);
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
