#pragma once
// The drive list and drive types of a prefix, remembered for the length of one scan: the
// checkers ask for the fixed drives for every value they judge, and each answer costs a few
// dozen system calls and a registry lookup. Disabled, every question is answered afresh.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace platform::wine::files {

class DriveCache {
public:
    void SetEnabled(bool enabled);
    std::vector<char> Drives(const std::string& prefixDir);
    // Type of the drive whose root is asked for (drive letter 'a' to 'z').
    UINT Type(const std::string& prefixDir, char drive, Services& registry);
    // The host folder the drive's root `root` is, its links followed (realpath); nothing when
    // it leads nowhere. A scan asks it for every problem it explains.
    std::optional<std::string> RealRoot(char drive, const std::string& root);

private:
    bool enabled_ = false;
    std::optional<std::vector<char>> drives_;
    std::array<std::optional<UINT>, 26> types_{};
    std::array<std::optional<std::optional<std::string>>, 26> realRoots_{};
};

}  // namespace platform::wine::files
