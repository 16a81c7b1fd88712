#include "platform/wine/files/WholeFiles.h"
#include "platform/wine/TempFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <fmt/format.h>

#include "platform/wine/UnixFile.h"

namespace platform::wine::files {

bool ReadHostFileBytes(const std::string& hostPath, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    const UnixFd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > maxBytes)
        return false;
    char block[16 * 1024];
    while (true) {
        const ssize_t got = ::read(fd.get(), block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        bytes.append(block, static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) return false;  // grew while being read
    }
}

Status CreateNewHostFile(const std::string& hostPath, const std::string& windowsPath,
                         std::string_view bytes) {
    const std::size_t slash = hostPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : hostPath.substr(0, slash);
    std::string temp;
    UnixFd fd = CreateTempFile(folder, 0666, temp);  // the umask applies, as for a new file
    auto failure = [&](int error) {
        return Status{
            error == EEXIST ? ERROR_FILE_EXISTS : ERROR_WRITE_FAULT,
            error == EEXIST
                ? fmt::format("{}: a file of that name exists there now", windowsPath)
                : fmt::format("{}: could not be written: {}", windowsPath, WriteErrorText(error))};
    };
    if (fd.get() < 0) return failure(errno);
    // A new file is its folder owner's, as is what Drennow replaces there.
    if (struct stat home{}; ::stat(folder.c_str(), &home) == 0)
        GiveOwner(fd.get(), home.st_uid, home.st_gid);
    int error = 0;
    if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) error = errno;
    if (::close(fd.release()) != 0 && !error) error = errno;
    if (!error && ::link(temp.c_str(), hostPath.c_str()) != 0) error = errno;
    ::unlink(temp.c_str());
    if (error) return failure(error);
    if (UnixFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY)); dir.get() >= 0)
        ::fsync(dir.get());
    return Status::Success();
}

}  // namespace platform::wine::files
