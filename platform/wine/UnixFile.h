#pragma once
// Small POSIX helpers the hive and text-file writers share: a descriptor closed on every way
// out, and a write that finishes what a short write left.
#include <unistd.h>

#include <cerrno>
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

}  // namespace platform::wine
