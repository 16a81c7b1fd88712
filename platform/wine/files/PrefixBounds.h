#pragma once
// Which subfolders a walk over a prefix's drives may enter. `wineboot -i` links the profile
// folders (Desktop, Documents, ..., Templates) to the host's home, or to folders in it: a walk
// that followed every link would walk the whole home, other prefixes included, and judge
// their shortcuts against this prefix's drives. The rule:
//   - never a folder that is a prefix (holds system.reg and drive_c), this one included;
//   - never the home folder itself, nor a folder that holds this prefix;
//   - inside the prefix, every folder as before;
//   - out of the prefix only through a link under drive_c/users (the profile's own links), to
//     the link's target and the plain folders below it; no further link out of the prefix
//     from there. A plain (non-link) folder below a folder already entered outside the
//     prefix (a drive whose root lies outside it) may be entered too.
#include <string>
#include <vector>

#include "platform/Services.h"

namespace platform::wine::files {

class PrefixBounds {
public:
    // Reads the prefix's real path and the home folder ($HOME and the account's home) once.
    explicit PrefixBounds(const std::string& prefixDir);

    // Where a searched host folder really lies.
    struct Place {
        std::string real;         // its path with every link resolved; empty when unknown
        bool inside = false;      // within the prefix folder
        bool inProfiles = false;  // within the prefix's drive_c/users
    };
    Place PlaceOf(const std::string& hostFolder) const;

    // Whether the walk may enter the subfolder `name` of the folder at `place` (`hostFolder`
    // as the search reached it). `plainFolder` is true when its directory entry says it is a
    // folder and no link.
    bool MayEnter(const std::string& hostFolder, const Place& place, const std::string& name,
                  bool plainFolder) const;

private:
    bool IsHome(const std::string& realPath) const;

    std::string prefix_;    // real path of the prefix folder
    std::string profiles_;  // prefix_ + "/drive_c/users"
    std::vector<FolderId> homes_;
};

}  // namespace platform::wine::files
