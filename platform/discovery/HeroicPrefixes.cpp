// Heroic: GamesConfig/<app name>.json, each game's settings under its app name.
#include <nlohmann/json.hpp>

#include "platform/discovery/Finds.h"

namespace platform::discovery {
namespace {

// The build's root from the wine program Heroic runs: <root>/bin/wine, or <root>/proton. A
// build that is gone is kept, so that is said.
std::optional<std::string> BuildOf(const nlohmann::json& version) {
    if (!version.is_object() || !version.contains("bin") || !version["bin"].is_string())
        return std::nullopt;
    fs::path folder = fs::path(version["bin"].get<std::string>()).parent_path();
    if (folder.filename() == "bin") folder = folder.parent_path();
    if (folder.empty() || !folder.is_absolute()) return std::nullopt;
    return folder.string();
}

}  // namespace

void FindHeroicPrefixes(const SearchPlaces& places, Finds& finds) {
    const fs::path home = places.home;
    for (const char* config :
         {".config/heroic", ".var/app/com.heroicgameslauncher.hgl/config/heroic"}) {
        for (const fs::path& file : FolderEntries(home / config / "GamesConfig", finds)) {
            if (file.extension() != ".json") continue;
            std::string text;
            if (!ReadSmallFile(file, text)) {
                finds.Note(file.string() + " cannot be read");
                continue;
            }
            const nlohmann::json doc = nlohmann::json::parse(text, nullptr, false);
            if (doc.is_discarded() || !doc.is_object()) {
                finds.Note(file.string() + " is no JSON object");
                continue;
            }
            for (const auto& [app, settings] : doc.items()) {
                if (!settings.is_object()) continue;  // "version", "explicit"
                const auto prefixPath = settings.find("winePrefix");
                if (prefixPath == settings.end() || !prefixPath->is_string() ||
                    prefixPath->get<std::string>().empty()) {
                    finds.Note(file.string() + ": " + app + " names no winePrefix");
                    continue;
                }
                FoundPrefix prefix;
                fs::path path = ExpandHome(prefixPath->get<std::string>(), places.home);
                if (!path.has_filename()) path = path.parent_path();  // "/.../Hades/"
                // With Proton, the folder is Proton's compatibility data and the prefix is pfx/.
                if (IsFile(path / "pfx" / "system.reg")) path /= "pfx";
                prefix.path = path.string();
                prefix.kind = Kind::Heroic;
                prefix.id = app;
                // Heroic names the prefix folder after the game's title.
                const fs::path titled = path.filename() == "pfx" ? path.parent_path() : path;
                prefix.name = titled.filename().empty() ? app : titled.filename().string();
                if (const auto version = settings.find("wineVersion"); version != settings.end())
                    prefix.wine = BuildOf(*version);
                finds.Add(std::move(prefix), file.string() + ": " + app);
            }
        }
    }
}

}  // namespace platform::discovery
