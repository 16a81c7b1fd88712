#include "platform/wine/files/DriveCache.h"

#include <climits>
#include <cstdlib>

#include "platform/wine/files/Drives.h"

namespace platform::wine::files {

void DriveCache::SetEnabled(bool enabled) {
    enabled_ = enabled;
    drives_.reset();
    types_.fill(std::nullopt);
    realRoots_.fill(std::nullopt);
}

std::vector<char> DriveCache::Drives(const std::string& prefixDir) {
    if (!enabled_) return ListDrives(prefixDir);
    if (!drives_) drives_ = ListDrives(prefixDir);
    return *drives_;
}

UINT DriveCache::Type(const std::string& prefixDir, char drive, Services& registry) {
    if (!enabled_ || drive < 'a' || drive > 'z') return DriveType(prefixDir, drive, registry);
    std::optional<UINT>& type = types_[static_cast<std::size_t>(drive - 'a')];
    if (!type) type = DriveType(prefixDir, drive, registry);
    return *type;
}

}  // namespace platform::wine::files

namespace platform::wine::files {
namespace {

std::optional<std::string> RealPath(const std::string& path) {
    char real[PATH_MAX];
    if (!::realpath(path.c_str(), real)) return std::nullopt;
    return std::string(real);
}

}  // namespace

std::optional<std::string> DriveCache::RealRoot(char drive, const std::string& root) {
    if (!enabled_ || drive < 'a' || drive > 'z') return RealPath(root);
    auto& real = realRoots_[static_cast<std::size_t>(drive - 'a')];
    if (!real) real = RealPath(root);
    return *real;
}

}  // namespace platform::wine::files
