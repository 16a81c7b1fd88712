#pragma once
// Small POSIX helpers the hive and text-file writers share: a descriptor closed on every way
// out, a write that finishes what a short write left, the owner a new file keeps, and the lock
// that keeps two Drennows' writes to one folder apart.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace platform::wine {

class UnixFd {
public:
    explicit UnixFd(int fd) : fd_(fd) {}
    ~UnixFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UnixFd(const UnixFd&) = delete;
    UnixFd& operator=(const UnixFd&) = delete;
    UnixFd(UnixFd&& other) noexcept : fd_(other.release()) {}
    UnixFd& operator=(UnixFd&&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

inline bool WriteAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Gives what Drennow has just made (an open file or folder) the owner and group it is to keep:
// those of the file it replaces, or of the folder it was made in. Only root may give a file to
// another user; anyone else keeps what the system allows (the group, when the writer is one of
// it), as Wine's own writes do.
inline void GiveOwner(int fd, uid_t uid, gid_t gid) {
    struct stat now {};
    if (::fstat(fd, &now) != 0 || (now.st_uid == uid && now.st_gid == gid)) return;
    if (::fchown(fd, uid, gid) == 0 || now.st_gid == gid) return;
    // The group alone; when that is refused too, the file stays the writer's.
    [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), gid);
}

// Why a file could not be written, in the words of a message to the user.
inline std::string WriteErrorText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return "the disk is full";
    case EFBIG: return "the file would be larger than this program may write";
    case EROFS: return "the disk is read-only";
    case EACCES:
    case EPERM: return "access to the folder is denied";
    case ENOENT:
    case ENOTDIR: return "the folder does not exist";
    default: return std::strerror(error);
    }
}

// Holds an exclusive lock on a folder while it lives. Files are replaced by renaming a new
// file over them, so a lock on the file itself would be left behind on the old inode; every
// Drennow locks the folder instead, for the whole of a read-check-replace. Where the folder
// cannot be opened or locked the writer goes on unlocked and meets the same error itself.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_.get() < 0) return;
        while (::flock(fd_.get(), LOCK_EX) != 0 && errno == EINTR) {
        }
    }

private:
    UnixFd fd_;  // closing it releases the lock
};

}  // namespace platform::wine
