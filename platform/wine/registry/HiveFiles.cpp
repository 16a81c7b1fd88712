#include "platform/wine/registry/HiveFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fmt/format.h"
#include "platform/wine/ReplaceFiles.h"
#include "platform/wine/TempFiles.h"
#include "platform/wine/UnixFile.h"

namespace platform::wine::registry {
namespace {

bool Stamp(const std::string& path, FileStamp& stamp) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    stamp = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
             static_cast<std::uint64_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    return true;
}

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string PrefixCommand(const std::string& dir, const char* command) {
    const bool plain = !dir.empty() && dir.find_first_not_of(
                                           "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                           "0123456789/._-+,:@%") == std::string::npos;
    std::string word = dir;
    if (!plain) {
        word = "'";
        for (char c : dir) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
        word += "'";
    }
    return "WINEPREFIX=" + word + " " + command;
}

Status ReadHiveFile(Hive& hive) {
    UnixFd fd(::open(hive.path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return {ERROR_FILE_NOT_FOUND,
                    fmt::format("{} is missing: the folder is not an initialised Wine prefix. "
                                "Make one with:\n    {}",
                                hive.path, PrefixCommand(ParentFolder(hive.path), "wineboot -i"))};
        return {ERROR_CANTOPEN,
                fmt::format("{} cannot be read: {}", hive.path, std::strerror(errno))};
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return {ERROR_CANTOPEN, hive.path + " is not a regular file"};
    hive.text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < hive.text.size()) {
        const ssize_t n = ::read(fd.get(), hive.text.data() + done, hive.text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    hive.text.resize(done);
    hive.stamp = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                  static_cast<std::uint64_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    if (done != static_cast<std::size_t>(st.st_size))
        return {ERROR_CANTREAD, hive.path + " changed while it was being read; try again"};
    return {};
}

Status ReplaceHiveFiles(const std::string& dir, const std::vector<Hive*>& hives,
                        const std::vector<std::string>& texts) {
    // Another Drennow's commit can then not fall between the check and the renames.
    const FolderLock lock(dir);
    for (const Hive* hive : hives) {
        FileStamp now;
        if (!Stamp(hive->path, now) || !(now == hive->stamp))
            return {ERROR_LOCK_VIOLATION,
                    fmt::format("{} was changed by another program since Drennow read it; "
                                "nothing was written. Drennow reads the registry again from the "
                                "files: scan again before repairing; a restore or a setting "
                                "can simply be tried again.",
                                hive->path)};
    }
    // What a killed commit left; no other Drennow is writing here while the lock is held.
    RemoveStaleTempFiles(dir);
    std::vector<std::string> paths;
    for (const Hive* hive : hives) paths.push_back(hive->path);
    // Each hive keeps its owner, group and mode, whoever writes it.
    const auto failure = ReplaceFiles(dir, paths, {texts.begin(), texts.end()});
    if (failure) {
        const std::string why = WriteErrorText(failure->error);
        const std::string& path = paths[failure->file];
        switch (failure->step) {
        case ReplaceFailure::Step::Create:
            return {ERROR_CANTWRITE, fmt::format("Cannot write in {}: {}; nothing was "
                                                 "changed.",
                                                 dir, why)};
        case ReplaceFailure::Step::Write:
            return {ERROR_CANTWRITE,
                    fmt::format("Writing {} failed: {}; nothing was changed.", path, why)};
        case ReplaceFailure::Step::Rename:
            if (failure->file == 0)
                return {ERROR_CANTWRITE, fmt::format("Replacing {} failed: {}; nothing was "
                                                     "changed.",
                                                     path, why)};
            // The hives before it are new already: the caller must not act as if nothing
            // reached the disk.
            return {ERROR_WRITE_FAULT,
                    fmt::format("Replacing {} failed: {}; {} was replaced already.", path, why,
                                paths[failure->file - 1])};
        }
    }
    for (Hive* hive : hives) Stamp(hive->path, hive->stamp);
    return {};
}

}  // namespace platform::wine::registry
