#pragma once
// Windows path to host path inside a prefix, as Wine finds files: dosdevices/<x>:/..., each
// component taken exactly when it exists, else the first case-insensitive match.
#include <string>

#include "platform/wine/files/DirectoryListing.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {

struct ResolvedPath {
    // The host path. When only the last component is missing, it holds that component as
    // given (UTF-8), so the caller can create it; otherwise empty when kind is Missing.
    std::string host;
    EntryKind kind = EntryKind::Missing;
    bool parentIsFolder = false;  // the folder that holds the last component exists
    bool isDriveRoot = false;
};

class PathResolver {
public:
    PathResolver(std::string prefixDir, DirectoryCache& cache)
        : prefix_(std::move(prefixDir)), cache_(cache) {}

    // Host folder of a drive's root: <prefix>/dosdevices/<x>:.
    std::string DriveRoot(char drive) const;
    ResolvedPath Resolve(const WindowsPath& path) const;

private:
    ResolvedPath Find(const WindowsPath& path) const;
    std::string prefix_;
    DirectoryCache& cache_;
};

}  // namespace platform::wine::files
