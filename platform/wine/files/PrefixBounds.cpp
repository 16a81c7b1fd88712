#include "platform/wine/files/PrefixBounds.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace platform::wine::files {
namespace {

std::string RealPath(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) ? std::string(real) : std::string();
}

// `path` is `folder` or lies below it (both real paths).
bool IsWithin(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() < folder.size()) return false;
    if (path.compare(0, folder.size(), folder) != 0) return false;
    return path.size() == folder.size() || path[folder.size()] == '/' || folder == "/";
}

bool IsPrefixFolder(const std::string& path) {
    struct stat st {};
    return ::stat((path + "/system.reg").c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::stat((path + "/drive_c").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string AccountHome() {
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) != 0 || !found ||
        !found->pw_dir)
        return {};
    return found->pw_dir;
}

}  // namespace

PrefixBounds::PrefixBounds(const std::string& prefixDir)
    : prefix_(RealPath(prefixDir)), profiles_(prefix_.empty() ? "" : prefix_ + "/drive_c/users") {
    const char* env = std::getenv("HOME");
    for (const std::string& home : {std::string(env ? env : ""), AccountHome()}) {
        struct stat st {};
        if (!home.empty() && ::stat(home.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            homes_.push_back(
                {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)});
    }
}

PrefixBounds::Place PrefixBounds::PlaceOf(const std::string& hostFolder) const {
    Place place;
    place.real = RealPath(hostFolder);
    place.inside = IsWithin(place.real, prefix_);
    place.inProfiles = IsWithin(place.real, profiles_);
    return place;
}

bool PrefixBounds::IsHome(const std::string& realPath) const {
    struct stat st {};
    if (homes_.empty() || ::stat(realPath.c_str(), &st) != 0) return false;
    const FolderId id{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    for (const FolderId& home : homes_)
        if (home == id) return true;
    return false;
}

bool PrefixBounds::MayEnter(const std::string& hostFolder, const Place& place,
                            const std::string& name, bool plainFolder) const {
    if (place.real.empty() || prefix_.empty()) return false;  // cannot tell where it leads
    // A plain folder lies where its parent lies: no link to resolve.
    const std::string target =
        plainFolder ? place.real + "/" + name : RealPath(hostFolder + "/" + name);
    if (target.empty() || IsPrefixFolder(target)) return false;
    // A folder that holds the prefix (the home of ~/.wine, or /) would lead around again.
    if (IsWithin(prefix_, target)) return false;
    if (IsWithin(target, prefix_)) return true;
    if (IsHome(target)) return false;
    return plainFolder || place.inProfiles;
}

}  // namespace platform::wine::files
