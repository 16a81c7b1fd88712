#include "platform/discovery/Discovery.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unordered_map>

#include "platform/discovery/Finds.h"
#include "platform/wine/PrefixOwner.h"
#include "platform/wine/registry/ServerLock.h"

namespace platform::discovery {
namespace {

// Which of two finds of one folder names it better: a launcher's entry over the plain
// $WINEPREFIX / ~/.wine; between launchers, the first found.
int Specificity(Kind kind) { return kind == Kind::Wine ? 0 : 1; }

// "#arch=win64" in the header of system.reg, as Wine writes it (the first lines only: a
// hive may be large).
std::optional<std::string> ArchOf(const std::string& prefixDir) {
    std::ifstream in(fs::path(prefixDir) / "system.reg", std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const std::size_t at = head.find("\n#arch=");
    if (at == std::string::npos) return std::nullopt;
    const std::size_t begin = at + 7;
    const std::string arch = head.substr(begin, head.find_first_of("\r\n", begin) - begin);
    if (arch == "win64" || arch == "win32") return arch;
    return std::nullopt;
}

}  // namespace

std::string_view KindName(Kind kind) {
    switch (kind) {
    case Kind::Wine: return "wine";
    case Kind::Steam: return "steam";
    case Kind::Lutris: return "lutris";
    case Kind::Bottles: return "bottles";
    case Kind::Heroic: return "heroic";
    case Kind::PlayOnLinux: return "playonlinux";
    case Kind::Winetricks: return "winetricks";
    }
    return "wine";
}

SearchPlaces PlacesFromEnvironment() {
    SearchPlaces places;
    if (const char* home = std::getenv("HOME")) places.home = home;
    if (const char* prefix = std::getenv("WINEPREFIX")) places.winePrefix = prefix;
    return places;
}

Discovery DiscoverPrefixes(const SearchPlaces& places) {
    Finds finds;
    FindWinePrefixes(places, finds);
    if (!places.home.empty()) {
        FindSteamPrefixes(places, finds);
        FindLutrisPrefixes(places, finds);
        FindBottlesPrefixes(places, finds);
        FindHeroicPrefixes(places, finds);
        FindPlayOnLinuxPrefixes(places, finds);
        FindWinetricksPrefixes(places, finds);
    }
    Discovery result;
    std::unordered_map<std::string, std::size_t> byPath;
    for (FoundPrefix& prefix : finds.Prefixes()) {
        const auto [it, fresh] = byPath.emplace(prefix.path, result.prefixes.size());
        if (fresh) {
            result.prefixes.push_back(std::move(prefix));
        } else if (Specificity(prefix.kind) > Specificity(result.prefixes[it->second].kind)) {
            result.prefixes[it->second] = std::move(prefix);
        }
    }
    for (FoundPrefix& prefix : result.prefixes) {
        if (!prefix.arch) prefix.arch = ArchOf(prefix.path);
        prefix.serverRunning = wine::registry::ServerRunning(prefix.path);
        uid_t owner = ::geteuid();
        prefix.yours = !wine::OwnedByAnother(prefix.path, &owner);
        prefix.owner = wine::UserName(owner);
    }
    std::stable_sort(result.prefixes.begin(), result.prefixes.end(),
                     [](const FoundPrefix& a, const FoundPrefix& b) {
                         if (a.kind != b.kind) return a.kind < b.kind;
                         if (a.name != b.name) return a.name < b.name;
                         return a.path < b.path;
                     });
    result.notes = std::move(finds.Notes());
    return result;
}

std::vector<const FoundPrefix*> PrefixesNamed(const Discovery& found, std::string_view choice) {
    std::vector<const FoundPrefix*> matches;
    const bool steam = choice.starts_with("steam:");
    const std::string_view appid = steam ? choice.substr(6) : std::string_view{};
    for (const FoundPrefix& prefix : found.prefixes) {
        if (steam ? (prefix.kind == Kind::Steam && prefix.id == appid) : prefix.name == choice)
            matches.push_back(&prefix);
    }
    return matches;
}

std::string ResolvePrefixName(std::string& value, const SearchPlaces& places) {
    std::error_code ec;
    if (value.find('/') != std::string::npos || fs::exists(value, ec)) return {};
    const Discovery found = DiscoverPrefixes(places);
    const auto matches = PrefixesNamed(found, value);
    if (matches.size() == 1) {
        value = matches.front()->path;
        return {};
    }
    std::vector<const FoundPrefix*> candidates = matches;
    std::string text = "\"" + value + "\" names several prefixes:";
    if (matches.empty()) {
        text = "no folder or found prefix is named \"" + value + "\"; the prefixes found are:";
        for (const auto& prefix : found.prefixes) candidates.push_back(&prefix);
        if (candidates.empty()) text += " none";
    }
    for (const auto* prefix : candidates) {
        text += "\n  " + prefix->name + " (" + std::string(KindName(prefix->kind));
        if (prefix->kind == Kind::Steam) text += ", steam:" + prefix->id.value_or("");
        text += ")  " + prefix->path;
    }
    return text;
}

}  // namespace platform::discovery
