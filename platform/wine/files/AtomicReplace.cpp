#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fmt/format.h>

#include "platform/wine/TempFiles.h"
#include "platform/wine/UnixFile.h"
#include "platform/wine/files/TextFiles.h"

namespace platform::wine::files {
namespace {

LONG CodeFor(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_WRITE_FAULT;
    }
}

Status Failure(const std::string& windowsPath, int error) {
    return {CodeFor(error),
            fmt::format("Could not write {}: {}. The file was left as it was.", windowsPath,
                        WriteErrorText(error))};
}

}  // namespace

Status ReplaceHostTextFile(const std::string& hostPath, const std::string& windowsPath,
                           std::string_view text) {
    // Replace the file a link points at, not the link.
    std::string target = hostPath;
    if (char resolved[PATH_MAX]; ::realpath(hostPath.c_str(), resolved)) target = resolved;
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);

    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        return {ERROR_ACCESS_DENIED,
                fmt::format("Could not write {}: a folder of that name is in the way. The file "
                            "was left as it was.",
                            windowsPath)};

    const mode_t mode = existed ? (old.st_mode & 07777) : [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    std::string temp;
    UnixFd fd = CreateTempFile(folder, 0600, temp);
    if (fd.get() < 0) return Failure(windowsPath, errno);

    const std::string data = ToCrLf(text);
    int error = 0;
    if (!WriteAll(fd.get(), data) || ::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0)
        error = errno;
    if (::close(fd.release()) != 0 && !error) error = errno;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return Failure(windowsPath, error);
    }
    // The rename is durable only once the folder is on disk too.
    if (UnixFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY)); dir.get() >= 0)
        ::fsync(dir.get());
    return Status::Success();
}

}  // namespace platform::wine::files
