#pragma once
// Drennow's own temporary files, named ".drennow-<pid>-<n>.tmp" in the folder of the file they
// replace. The name cannot be mistaken for one of Wine's (its server writes "reg<hex>.tmp"),
// and the pid in it tells whether the writer still lives: a file whose writer was killed
// before its rename is removed at the next write in that folder.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wine/UnixFile.h"

namespace platform::wine {

inline constexpr std::string_view kTempPrefix = ".drennow-";
inline constexpr std::string_view kTempSuffix = ".tmp";

// The writer's pid when `name` is one of Drennow's temporary file names, else 0.
inline pid_t TempFileOwner(std::string_view name) {
    if (name.substr(0, kTempPrefix.size()) != kTempPrefix || name.size() < kTempSuffix.size() ||
        name.substr(name.size() - kTempSuffix.size()) != kTempSuffix)
        return 0;
    const std::string_view middle =
        name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == middle.size()) return 0;
    auto digitsOnly = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    pid_t pid = 0;
    const std::string_view pidText = middle.substr(0, dash);
    if (!digitsOnly(pidText) || !digitsOnly(middle.substr(dash + 1)) ||
        std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid).ec != std::errc() ||
        pid <= 0)
        return 0;
    return pid;
}

// Creates a new temporary file in `folder` for writing (never one that exists). On failure
// the descriptor is negative and errno says why.
inline UnixFd CreateTempFile(const std::string& folder, mode_t mode, std::string& path) {
    // The number only has to differ between attempts and between files of one process.
    auto n = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + "/" + std::string(kTempPrefix) + std::to_string(::getpid()) + "-" +
               std::to_string(n++ % 1000000000ull) + std::string(kTempSuffix);
        UnixFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.get() >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return UnixFd(-1);
}

// Removes the temporary files in `folder` that a Drennow no longer running left behind.
// Called under the folder's FolderLock, so no writer of that folder is between its create
// and its rename; a file whose pid names a live process (or one we may not signal) stays.
inline void RemoveStaleTempFiles(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir.get())) {
        const pid_t pid = TempFileOwner(entry->d_name);
        if (pid == 0 || pid == ::getpid()) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
}

}  // namespace platform::wine
