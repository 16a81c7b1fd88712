// Prefixes found by place alone: $WINEPREFIX, ~/.wine, PlayOnLinux's and winetricks' folders.
#include <algorithm>
#include <map>

#include "platform/discovery/Finds.h"

namespace platform::discovery {
namespace {

// "~/games/x" for a folder below the home, else the path itself.
std::string ShortName(const fs::path& path, const std::string& home) {
    const std::string text = path.lexically_normal().string();
    if (!home.empty() && text.starts_with(home + "/")) return "~" + text.substr(home.size());
    return text;
}

std::map<std::string, std::string> ReadSettings(const fs::path& file) {
    std::map<std::string, std::string> settings;
    std::string text;
    if (!ReadSmallFile(file, text)) return settings;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            settings[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }
    return settings;
}

}  // namespace

void FindWinePrefixes(const SearchPlaces& places, Finds& finds) {
    if (!places.winePrefix.empty()) {
        const fs::path path = ExpandHome(places.winePrefix, places.home);
        finds.Add(MakePrefix(path, Kind::Wine, ShortName(path, places.home)), "$WINEPREFIX");
    }
    if (places.home.empty()) return;
    const fs::path wine = fs::path(places.home) / ".wine";
    std::error_code ec;
    if (fs::exists(fs::symlink_status(wine, ec)))
        finds.Add(MakePrefix(wine, Kind::Wine, "~/.wine"), "~/.wine");
}

// ~/.PlayOnLinux/wineprefix/<name>/, with playonlinux.cfg naming its Wine (VERSION, ARCH).
void FindPlayOnLinuxPrefixes(const SearchPlaces& places, Finds& finds) {
    const fs::path base = fs::path(places.home) / ".PlayOnLinux";
    for (const fs::path& folder : FolderEntries(base / "wineprefix", finds)) {
        const std::string name = folder.filename().string();
        FoundPrefix prefix = MakePrefix(folder, Kind::PlayOnLinux, name, name);
        auto settings = ReadSettings(folder / "playonlinux.cfg");
        if (settings["ARCH"] == "x86") prefix.arch = "win32";
        if (settings["ARCH"] == "amd64") prefix.arch = "win64";
        const std::string arch = settings["ARCH"].empty() ? "x86" : settings["ARCH"];
        // Kept when the build is gone too, so that is said; no VERSION is the system's Wine.
        if (const std::string& version = settings["VERSION"]; !version.empty())
            prefix.wine = (base / "wine" / ("linux-" + arch) / version).string();
        finds.Add(std::move(prefix), "PlayOnLinux " + folder.filename().string());
    }
}

void FindWinetricksPrefixes(const SearchPlaces& places, Finds& finds) {
    const fs::path base = fs::path(places.home) / ".local/share/wineprefixes";
    for (const fs::path& folder : FolderEntries(base, finds)) {
        const std::string name = folder.filename().string();
        finds.Add(MakePrefix(folder, Kind::Winetricks, name, name), "winetricks " + name);
    }
}

}  // namespace platform::discovery
