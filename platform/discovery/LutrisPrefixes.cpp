// Lutris: one games/<slug>-<id>.yml per game, its prefix in the `game` section; the game's
// name from Lutris's database.
#include <algorithm>

#include "platform/discovery/Finds.h"
#include "platform/discovery/LutrisDatabase.h"
#include "platform/discovery/SimpleYaml.h"

namespace platform::discovery {
namespace {

// Lutris names the file <slug>-<seconds since 1970>.yml; the slug is the game's name as a
// file name knows it.
std::string SlugOf(const fs::path& file) {
    std::string stem = file.stem().string();
    const std::size_t dash = stem.rfind('-');
    if (dash != std::string::npos && dash > 0 && dash + 1 < stem.size() &&
        std::all_of(stem.begin() + static_cast<long>(dash) + 1, stem.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
        stem.resize(dash);
    return stem;
}

}  // namespace

void FindLutrisPrefixes(const SearchPlaces& places, Finds& finds) {
    const fs::path home = places.home;
    const fs::path runners = home / ".local/share/lutris/runners/wine";
    std::map<std::string, std::string> names;
    if (const fs::path db = home / ".local/share/lutris/pga.db"; IsFile(db)) {
        std::string error;
        names = LutrisGameNames(db.string(), error);
        if (!error.empty())
            finds.Note(error + "; the games it does not list are named by their files");
    }
    for (const char* folder : {".config/lutris/games", ".local/share/lutris/games"}) {
        for (const fs::path& file : FolderEntries(home / folder, finds)) {
            if (file.extension() != ".yml") continue;
            std::string text;
            if (!ReadSmallFile(file, text)) {
                finds.Note(file.string() + " cannot be read");
                continue;
            }
            const auto scalars =
                ReadYamlScalars(text, {"game.prefix", "game.arch", "wine.version"});
            const auto prefixPath = scalars.find("game.prefix");
            if (prefixPath == scalars.end() || prefixPath->second.empty()) {
                finds.Note(file.string() + " names no prefix in its game section");
                continue;
            }
            FoundPrefix prefix;
            prefix.path = ExpandHome(prefixPath->second, places.home).string();
            prefix.kind = Kind::Lutris;
            prefix.id = SlugOf(file);
            const auto named = names.find(file.stem().string());
            prefix.name = named != names.end() ? named->second : *prefix.id;
            if (const auto arch = scalars.find("game.arch");
                arch != scalars.end() && (arch->second == "win64" || arch->second == "win32"))
                prefix.arch = arch->second;
            // Kept when the runner is gone too, so that is said; "system" is the system's Wine.
            if (const auto version = scalars.find("wine.version");
                version != scalars.end() && !version->second.empty() && version->second != "system")
                prefix.wine = (runners / version->second).string();
            finds.Add(std::move(prefix), file.string());
        }
    }
}

}  // namespace platform::discovery
