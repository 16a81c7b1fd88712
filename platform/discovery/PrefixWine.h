#pragma once
// Which Wine installation judges a prefix: what it writes into every prefix is its own and not
// reported. One rule for every way of opening a prefix: the installation --wine or $WINE
// names; else the build the prefix's launcher records for it (Steam's config_info, the
// runner of Lutris, Bottles, Heroic or PlayOnLinux), found by the prefix's real path however
// the prefix was named; else the wine on PATH. A recorded build that is gone is said so, not
// silently replaced.
#include <optional>
#include <string>

#include "platform/discovery/Discovery.h"
#include "platform/wine/install/InstallationLocator.h"

namespace platform::discovery {

struct WineSearch {
    std::string named;    // --wine's DIR, else $WINE: a root or a wine program; empty if neither
    std::string namedBy;  // "--wine" or "WINE", for the note
    std::string path;     // a PATH-style list of folders
    SearchPlaces places;  // where the launchers' records are read
};

// --wine's DIR (empty when not given), then this process's $WINE, $PATH, $HOME, $WINEPREFIX.
WineSearch WineSearchFromEnvironment(const std::string& wineOption);

struct PrefixWine {
    std::optional<wine::InstallationPlace> place;  // none: Wine's own entries are reported too
    std::string root;           // the folder holding the installation's share/wine; empty if none
    std::string recorded;       // the build the prefix's launcher records; empty when none
    bool recordedGone = false;  // that build has no Wine any more, so another one judges
    std::string note;           // which installation judges and why, or what is amiss: one sentence
    std::string brief;          // a few words for a status bar when something is amiss; else empty
};

// For the prefix folder `prefixDir`, named any way: a folder, steam:<appid>, a found name.
// Discovers the launchers' prefixes only when no installation is named.
PrefixWine WineForPrefix(const std::string& prefixDir, const WineSearch& search);

}  // namespace platform::discovery
