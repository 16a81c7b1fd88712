#include "platform/discovery/SimpleYaml.h"

#include <algorithm>
#include <vector>

namespace platform::discovery {
namespace {

std::string_view Trim(std::string_view text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string_view::npos) return {};
    const auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

// A scalar without its quotes ('' inside single quotes is one quote; the usual escapes inside
// double quotes) or its trailing comment.
std::string Scalar(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
        std::string out;
        for (std::size_t i = 1; i + 1 < text.size(); ++i) {
            out += text[i];
            if (text[i] == '\'' && text[i + 1] == '\'') ++i;
        }
        return out;
    }
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        std::string out;
        for (std::size_t i = 1; i + 1 < text.size(); ++i) {
            char c = text[i];
            if (c == '\\' && i + 2 < text.size()) {
                c = text[++i];
                c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
            out += c;
        }
        return out;
    }
    if (const auto comment = text.find(" #"); comment != std::string_view::npos)
        text = Trim(text.substr(0, comment));
    return std::string(text);
}

}  // namespace

std::map<std::string, std::string> ReadYamlScalars(std::string_view text) {
    std::map<std::string, std::string> scalars;
    struct Level {
        std::size_t indent;
        std::string path;
    };
    std::vector<Level> open;  // the mappings the current line may be inside
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos) continue;
        const std::string_view body = Trim(line.substr(indent));
        if (body.empty() || body.front() == '#' || body.front() == '-' || body == "---") continue;
        std::size_t colon = body.find(": ");
        if (colon == std::string_view::npos && body.back() == ':') colon = body.size() - 1;
        if (colon == std::string_view::npos || colon == 0) continue;
        while (!open.empty() && open.back().indent >= indent) open.pop_back();
        const std::string key = Scalar(body.substr(0, colon));
        const std::string path = open.empty() ? key : open.back().path + "." + key;
        const std::string_view rest = Trim(body.substr(colon + 1));
        if (rest.empty()) open.push_back({indent, path});
        else if (rest.front() != '|' && rest.front() != '>' && rest.front() != '&' &&
                 rest.front() != '*')
            scalars.emplace(path, Scalar(rest));
    }
    return scalars;
}

}  // namespace platform::discovery
