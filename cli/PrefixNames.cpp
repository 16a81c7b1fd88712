#include "cli/PrefixNames.h"

#include <filesystem>
#include <system_error>

namespace cli {
namespace discovery = platform::discovery;

std::string ResolvePrefixName(std::string& value, const discovery::Discovery& found) {
    const auto matches = discovery::PrefixesNamed(found, value);
    if (matches.size() == 1) {
        value = matches.front()->path;
        return {};
    }
    std::vector<const discovery::FoundPrefix*> candidates = matches;
    std::string text = "\"" + value + "\" names several prefixes:";
    if (matches.empty()) {
        text = "no folder or found prefix is named \"" + value + "\"; the prefixes found are:";
        for (const auto& prefix : found.prefixes) candidates.push_back(&prefix);
        if (candidates.empty()) text += " none";
    }
    for (const auto* prefix : candidates) {
        text += "\n  " + prefix->name + " (" + std::string(KindName(prefix->kind));
        if (prefix->kind == discovery::Kind::Steam) text += ", steam:" + prefix->id.value_or("");
        text += ")  " + prefix->path;
    }
    return text;
}

std::string ResolvePrefixNameHere(std::string& value) {
    std::error_code ec;
    if (value.find('/') != std::string::npos || std::filesystem::exists(value, ec)) return {};
    return ResolvePrefixName(value, DiscoverPrefixes(discovery::PlacesFromEnvironment()));
}

}  // namespace cli
