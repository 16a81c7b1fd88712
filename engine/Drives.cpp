#include "engine/Drives.h"

#include <cstring>

namespace engine {

std::vector<std::string> DriveRoots(platform::Services& services) {
    constexpr platform::DWORD kSize = 128;
    char buffer[kSize + 2] = {};
    const platform::DWORD length = services.GetLogicalDriveStringsA(kSize, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > kSize) return roots;
    for (platform::DWORD i = 0; i < length && buffer[i] != '\0';) {
        std::string root(buffer + i, strnlen(buffer + i, length - i));
        i += static_cast<platform::DWORD>(root.size()) + 1;
        if (root.back() != '\\') root += '\\';
        roots.push_back(std::move(root));
    }
    return roots;
}

std::vector<std::string> FixedDriveRoots(platform::Services& services) {
    std::vector<std::string> fixed;
    for (auto& root : DriveRoots(services))
        if (services.GetDriveTypeA(root.c_str()) == platform::DRIVE_FIXED)
            fixed.push_back(std::move(root));
    return fixed;
}

}  // namespace engine
