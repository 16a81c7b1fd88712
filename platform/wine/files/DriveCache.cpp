#include "platform/wine/files/DriveCache.h"

#include "platform/wine/files/Drives.h"

namespace platform::wine::files {

void DriveCache::SetEnabled(bool enabled) {
    enabled_ = enabled;
    drives_.reset();
    types_.fill(std::nullopt);
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
