#include "platform/wine/registry/ServerLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "fmt/format.h"

namespace platform::wine::registry {

namespace {

// The folder name Debian's Wine keeps in <prefix>/wineserver; empty when there is none or
// it is not a plain name.
std::string PrivateFolderName(const std::string& prefixDir) {
    // Only a small regular file: a pipe of that name would block the read for good.
    const std::string path = prefixDir + "/wineserver";
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > 4096) return {};
    std::ifstream in(path);
    std::string name;
    std::getline(in, name);
    if (name.empty() || name.size() > 255 || name.find('/') != std::string::npos || name == "." ||
        name == "..")
        return {};
    return name;
}

}  // namespace

std::vector<std::string> ServerLockPaths(const std::string& prefixDir) {
    struct stat st {};
    if (::stat(prefixDir.c_str(), &st) != 0) return {};
    const std::string server =
        fmt::format("server-{:x}-{:x}/lock", static_cast<unsigned long long>(st.st_dev),
                    static_cast<unsigned long long>(st.st_ino));
    std::vector<std::string> paths{fmt::format("/tmp/.wine-{}/{}", ::getuid(), server),
                                   fmt::format("/run/user/{}/wine/{}", ::getuid(), server)};
    if (const std::string name = PrivateFolderName(prefixDir); !name.empty()) {
        // The server read TMPDIR when it started; ours is the best guess, /tmp the default.
        const char* tmp = std::getenv("TMPDIR");
        if (tmp && *tmp && std::string(tmp) != "/tmp")
            paths.push_back(fmt::format("{}/{}/{}", tmp, name, server));
        paths.push_back(fmt::format("/tmp/{}/{}", name, server));
    }
    return paths;
}

bool LockHeld(const std::string& lockPath) {
    if (lockPath.empty()) return false;
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    const bool held = ::fcntl(fd, F_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

bool ServerRunning(const std::string& prefixDir) {
    for (const std::string& path : ServerLockPaths(prefixDir))
        if (LockHeld(path)) return true;
    return false;
}

}  // namespace platform::wine::registry
