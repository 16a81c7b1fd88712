#pragma once
// Writes the planned files and shortcuts of drive C: into a prefix's drive_c folder.
#include <string>

#include "bench/generator/RegistryContent.h"

namespace bench::generator {

struct DriveTreeCounts {
    std::size_t files = 0, folders = 0, shortcuts = 0;
};

// `driveC` is the host folder of drive C:. Windows paths map to it component by component,
// as given. Throws std::runtime_error when a file cannot be written.
DriveTreeCounts WriteDriveTree(const std::string& driveC, const FilePlan& plan);

}  // namespace bench::generator
