#pragma once
// Finding the Wine installation whose files a prefix was made from.
#include <optional>
#include <string>

namespace platform::wine {

// Where an installation keeps what Drennow reads from it.
struct InstallationPlace {
    std::string dataDir;     // the folder holding wine.inf (share/wine)
    std::string fontModule;  // the library that registers Wine's bitmap fonts; empty if none
};

// The installation whose root is `root` (the folder holding share/wine), or whose Wine lies
// in its files/ folder as in a Proton build; none when neither holds share/wine/wine.inf.
std::optional<InstallationPlace> InstallationAt(const std::string& root);
// The root folder of an installation: the folder holding its share/wine.
std::string InstallationRoot(const InstallationPlace& place);

// Where to look: `choice` is --wine's DIR or $WINE (the first set one), either the
// installation's root (the folder holding bin/wine and share/wine, such as /usr or
// /opt/wine-staging, or a Proton build's folder) or its wine program (a bare name such as wine64 is
// looked for on `path`); when neither is set, the `wine` found on `path` (a PATH-style list), its
// symbolic links resolved, and then Debian's /usr/share/wine. None found: empty, and `note` says
// what was looked for.
std::optional<InstallationPlace> LocateInstallation(const std::string& choice,
                                                    const std::string& path, std::string& note);

// The same with --wine's DIR (empty when not given), $WINE and $PATH.
std::optional<InstallationPlace> LocateInstallation(const std::string& wineOption,
                                                    std::string& note);

}  // namespace platform::wine
