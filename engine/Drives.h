#pragma once
// The machine's drive roots as GetLogicalDriveStringsA lists them (128-byte buffer).
#include <string>
#include <vector>

#include "platform/Services.h"

namespace engine {

// Every drive root in the system's order, each ending in "\".
std::vector<std::string> DriveRoots(platform::Services& services);
// Only the roots whose drive type is DRIVE_FIXED.
std::vector<std::string> FixedDriveRoots(platform::Services& services);

}  // namespace engine
