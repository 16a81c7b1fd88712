#include "repair/EntryText.h"

#include <array>
#include <utility>

namespace repair {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) ++begin;
    while (end > begin && IsSpace(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i];
        char b = prefix[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

std::string Unescape(std::string_view text) {
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

platform::HKEY RootKeyFromName(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, platform::HKEY>, 6> kRoots{{
        {"HKEY_CLASSES_ROOT", platform::HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", platform::HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", platform::HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", platform::HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", platform::HKEY_PERFORMANCE_DATA},
        {"HKEY_DYN_DATA", platform::HKEY_DYN_DATA},
    }};
    for (const auto& [rootName, key] : kRoots) {
        if (rootName == name) return key;
    }
    return 0;
}

std::optional<KeyPath> ParseKeyLine(std::string_view keyLine) {
    if (keyLine.size() < 2 || keyLine.front() != '[' || keyLine.back() != ']') return {};
    const std::string_view path = keyLine.substr(1, keyLine.size() - 2);
    const std::size_t slash = path.find('\\');
    if (slash == std::string_view::npos || slash == 0) return {};
    const platform::HKEY root = RootKeyFromName(path.substr(0, slash));
    if (root == 0) return {};
    return KeyPath{root, std::string(path.substr(slash + 1))};
}

std::optional<std::string> ParseNameText(std::string_view text, std::string_view* rest) {
    if (!text.empty() && text.front() == '@') {
        if (rest) *rest = text.substr(1);
        return std::string();
    }
    if (text.empty() || text.front() != '"') return {};
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;  // the escaped character cannot close the name
            continue;
        }
        if (text[i] == '"') {
            if (rest) *rest = text.substr(i + 1);
            return Unescape(text.substr(1, i - 1));
        }
    }
    return {};
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
