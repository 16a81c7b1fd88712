// Steam's Proton prefixes: compatdata/<appid>/pfx in every library of every Steam install.
#include <algorithm>
#include <set>

#include "platform/discovery/Finds.h"
#include "platform/discovery/KeyValues.h"

namespace platform::discovery {
namespace {

// Where Steam keeps its root below the home folder: native installs (Valve's and Debian's
// packages), the Flatpak's and the Snap's private homes.
constexpr const char* kSteamRoots[] = {
    ".steam/steam",
    ".steam/root",
    ".steam/debian-installation",
    ".local/share/Steam",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
    ".var/app/com.valvesoftware.Steam/data/Steam",
    "snap/steam/common/.local/share/Steam",
};

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The library folders libraryfolders.vdf lists: blocks with a "path" (current Steam) or
// numbered strings (before 2021).
std::vector<std::string> LibraryPaths(const fs::path& vdf, Finds& finds) {
    std::vector<std::string> paths;
    std::string text;
    if (!IsFile(vdf)) return paths;
    if (!ReadSmallFile(vdf, text)) {
        finds.Note(vdf.string() + " cannot be read");
        return paths;
    }
    const KeyValuesText parsed = ParseKeyValues(text);
    if (!parsed.error.empty())
        finds.Note(vdf.string() + " is damaged: " + parsed.error + "; its whole entries are used");
    const KeyValue* top = parsed.root.Child("libraryfolders");
    if (!top || !top->block) {
        if (parsed.error.empty()) finds.Note(vdf.string() + " holds no \"libraryfolders\"");
        return paths;
    }
    for (const KeyValue& entry : top->children) {
        if (!AllDigits(entry.key)) continue;  // TimeNextStatsReport, ContentStatsID, ...
        if (entry.block && entry.complete) {
            if (std::string path = entry.Text("path"); !path.empty()) paths.push_back(path);
        } else if (!entry.block && !entry.value.empty()) {
            paths.push_back(entry.value);
        }
    }
    return paths;
}

// The game's name from appmanifest_<appid>.acf in any of the libraries' steamapps folders,
// the one holding the prefix first.
std::string GameName(const std::string& appid, const fs::path& ownApps,
                     const std::vector<fs::path>& allApps, Finds& finds) {
    std::vector<fs::path> order{ownApps};
    for (const fs::path& apps : allApps)
        if (apps != ownApps) order.push_back(apps);
    for (const fs::path& apps : order) {
        const fs::path manifest = apps / ("appmanifest_" + appid + ".acf");
        if (!IsFile(manifest)) continue;
        std::string text;
        if (ReadSmallFile(manifest, text)) {
            const KeyValuesText parsed = ParseKeyValues(text);
            const KeyValue* state = parsed.root.Child("AppState");
            if (std::string name = state ? state->Text("name") : std::string(); !name.empty())
                return name;
        }
        finds.Note(manifest.string() + " is damaged: it names no game");
        return "Steam app " + appid;
    }
    return "Non-Steam shortcut " + appid;
}

// The Proton build that last ran the prefix: config_info's lines after the first (the
// prefix version) are paths into that build, such as ".../Proton 8.0/files/share/fonts/".
std::optional<std::string> ProtonOf(const fs::path& compat) {
    std::string text;
    if (!ReadSmallFile(compat / "config_info", text)) return std::nullopt;
    std::size_t start = text.find('\n');
    while (start != std::string::npos && start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start + 1), text.size());
        const std::string line = text.substr(start + 1, end - start - 1);
        const std::size_t share = line.rfind("/share/");
        if (line.starts_with("/") && share != std::string::npos && share > 0)
            return line.substr(0, share);
        start = end;
    }
    return std::nullopt;
}

}  // namespace

void FindSteamPrefixes(const SearchPlaces& places, Finds& finds) {
    std::set<fs::path> roots;
    for (const char* relative : kSteamRoots) {
        const fs::path root = fs::path(places.home) / relative;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(root, ec))) continue;
        const fs::path resolved = fs::canonical(root, ec);
        if (ec) {
            finds.Note("Steam root " + root.string() + " cannot be resolved (" + ec.message() +
                       ")");
            continue;
        }
        if (IsFolder(MatchPathNoCase(resolved, "steamapps"))) roots.insert(resolved);
    }

    std::vector<fs::path> libraries;  // steamapps folders, each once
    std::set<fs::path> seen;
    auto addLibrary = [&](const fs::path& library) {
        const fs::path apps = MatchPathNoCase(library, "steamapps");
        std::error_code ec;
        const fs::path resolved = fs::canonical(apps, ec);
        if (ec || !IsFolder(resolved)) {
            finds.Note("Steam library " + library.string() +
                       " is not reachable (a disk not mounted?)");
            return;
        }
        if (seen.insert(resolved).second) libraries.push_back(resolved);
    };
    for (const fs::path& root : roots) {
        addLibrary(root);
        const fs::path apps = MatchPathNoCase(root, "steamapps");
        for (const std::string& path : LibraryPaths(apps / "libraryfolders.vdf", finds))
            addLibrary(MatchPathNoCase("/", path));
    }

    for (const fs::path& apps : libraries) {
        const fs::path compatdata = MatchPathNoCase(apps, "compatdata");
        for (const fs::path& compat : FolderEntries(compatdata, finds)) {
            const std::string appid = compat.filename().string();
            if (!AllDigits(appid) || !IsFolder(compat)) continue;
            FoundPrefix prefix;
            prefix.path = (compat / "pfx").string();
            prefix.kind = Kind::Steam;
            prefix.id = appid;
            prefix.name = GameName(appid, apps, libraries, finds);
            prefix.wine = ProtonOf(compat);
            finds.Add(std::move(prefix), "Steam app " + appid);
        }
    }
}

}  // namespace platform::discovery
