#pragma once
// Every Wine prefix of the user's launchers: $WINEPREFIX, ~/.wine, Steam's Proton prefixes
// (native, Flatpak and Snap installs, every library), Lutris, Bottles, Heroic, PlayOnLinux
// and winetricks. Only launcher files and folders under the user's home are read; the disk is
// never walked. A damaged launcher file or an unusable folder is skipped with a note.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::discovery {

// In the order prefixes are listed.
enum class Kind { Wine, Steam, Lutris, Bottles, Heroic, PlayOnLinux, Winetricks };

std::string_view KindName(Kind kind);  // "wine", "steam", ...

struct FoundPrefix {
    std::string path;  // absolute, symbolic links resolved
    Kind kind = Kind::Wine;
    std::string name;
    std::optional<std::string> id;    // Steam appid, Lutris slug, Heroic app name, ...
    std::optional<std::string> arch;  // "win64" or "win32"
    std::optional<std::string> wine;  // folder of the Wine build it records (may be gone)
    bool serverRunning = false;
    std::string owner;  // the user name of the folder's owner
    bool yours = true;  // owned by the user Drennow runs as: only then may it be written
};

// Where to look: the user's home and $WINEPREFIX (empty when unset).
struct SearchPlaces {
    std::string home;
    std::string winePrefix;
};

// $HOME and $WINEPREFIX of this process.
SearchPlaces PlacesFromEnvironment();

struct Discovery {
    std::vector<FoundPrefix> prefixes;  // by kind, then name; each resolved path once
    std::vector<std::string> notes;     // what was skipped and why
};

Discovery DiscoverPrefixes(const SearchPlaces& places);

// The prefixes a --prefix argument names: `steam:<appid>` the Steam prefix of that game, else
// every prefix whose name is exactly `choice`.
std::vector<const FoundPrefix*> PrefixesNamed(const Discovery& found, std::string_view choice);

// For --prefix: leaves `value` alone when it names a folder (it exists, or holds a '/');
// otherwise replaces it with the path of the one found prefix it names. Returns an error
// naming the candidates when it names none or several; empty on success. Discovers only
// when `value` is no folder.
std::string ResolvePrefixName(std::string& value, const SearchPlaces& places);

}  // namespace platform::discovery
