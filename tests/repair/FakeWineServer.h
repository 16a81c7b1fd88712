#pragma once
// Stands in for a wineserver running for a prefix: a child process holds the server's lock
// file exactly as wineserver does (fcntl write lock on byte 0 of
// /tmp/.wine-<uid>/server-<dev>-<ino>/lock), so the backend's real detection sees it.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <fmt/format.h>

namespace repairtest {

class FakeWineServer {
public:
    explicit FakeWineServer(const std::string& prefixDir) {
        struct stat info {};
        if (::stat(prefixDir.c_str(), &info) != 0) return;
        const std::string base = fmt::format("/tmp/.wine-{}", ::getuid());
        ::mkdir(base.c_str(), 0700);
        serverDir_ = fmt::format("{}/server-{:x}-{:x}", base,
                                 static_cast<unsigned long long>(info.st_dev),
                                 static_cast<unsigned long long>(info.st_ino));
        ::mkdir(serverDir_.c_str(), 0700);
        const std::string lock = serverDir_ + "/lock";
        int ready[2];
        if (::pipe(ready) != 0) return;
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ready[0]);
            const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600);
            struct flock fl {};
            fl.l_type = F_WRLCK;
            fl.l_whence = SEEK_SET;
            fl.l_start = 0;
            fl.l_len = 1;
            const char state = (fd >= 0 && ::fcntl(fd, F_SETLK, &fl) == 0) ? 'y' : 'n';
            if (::write(ready[1], &state, 1) != 1) ::_exit(1);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char state = 'n';
        if (child_ > 0 && ::read(ready[0], &state, 1) == 1) running_ = state == 'y';
        ::close(ready[0]);
    }
    ~FakeWineServer() {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
        if (!serverDir_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(serverDir_, ignored);
        }
    }
    FakeWineServer(const FakeWineServer&) = delete;
    FakeWineServer& operator=(const FakeWineServer&) = delete;

    bool Running() const { return running_; }

private:
    std::string serverDir_;
    pid_t child_ = -1;
    bool running_ = false;
};

}  // namespace repairtest
