#include "platform/wine/registry/ServerLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fmt/format.h"

namespace platform::wine::registry {

std::string ServerLockPath(const std::string& prefixDir) {
    struct stat st {};
    if (::stat(prefixDir.c_str(), &st) != 0) return {};
    return fmt::format("/tmp/.wine-{}/server-{:x}-{:x}/lock", ::getuid(),
                       static_cast<unsigned long long>(st.st_dev),
                       static_cast<unsigned long long>(st.st_ino));
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

}  // namespace platform::wine::registry
