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

namespace {

// Reads the whole file at `path` with the stamp of what was read.
Status ReadWholeFile(const std::string& path, std::string& text, FileStamp& stamp) {
    UnixFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return {ERROR_FILE_NOT_FOUND,
                    fmt::format("{} is missing: the folder is not an initialised Wine prefix. "
                                "Make one with:\n    {}",
                                path, PrefixCommand(ParentFolder(path), "wineboot -i"))};
        return {ERROR_CANTOPEN, fmt::format("{} cannot be read: {}", path, std::strerror(errno))};
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return {ERROR_CANTOPEN, path + " is not a regular file"};
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    text.resize(done);
    stamp = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
             static_cast<std::uint64_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    if (done != static_cast<std::size_t>(st.st_size))
        return {ERROR_CANTREAD, path + " changed while it was being read; try again"};
    return {};
}

}  // namespace

Status ReadHiveFile(Hive& hive) {
    const Status status = ReadWholeFile(hive.path, hive.text, hive.stamp);
    hive.bytesHash.reset();
    return status;
}

std::uint64_t HiveBytesHash(std::string_view bytes) {
    // Eight bytes a step, each word mixed before it joins (the finaliser of MurmurHash3), so
    // a change anywhere reaches every bit.
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    auto mix = [](std::uint64_t x) {
        x ^= x >> 33;
        x *= 0xFF51AFD7ED558CCDull;
        x ^= x >> 33;
        x *= 0xC4CEB9FE1A85EC53ull;
        return x ^ (x >> 33);
    };
    std::uint64_t hash = bytes.size() * kMultiplier;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        hash = (hash ^ mix(word)) * kMultiplier;
        hash ^= hash >> 29;
    }
    std::uint64_t tail = 0;
    if (at < bytes.size()) std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    return mix(hash ^ mix(tail ^ kMultiplier));
}

Status CheckHiveUnchanged(Hive& hive) {
    FileStamp now;
    if (Stamp(hive.path, now) && now == hive.stamp) return {};
    if (!hive.bytesHash) hive.bytesHash = HiveBytesHash(hive.text);
    std::string bytes;
    if (ReadWholeFile(hive.path, bytes, now).ok() && HiveBytesHash(bytes) == *hive.bytesHash) {
        hive.stamp = now;
        return {};
    }
    return {ERROR_LOCK_VIOLATION,
            fmt::format("{} was changed by another program since Drennow read it; nothing was "
                        "written. Scan again to see the registry as it is now, then repair; a "
                        "restore or a setting can simply be tried again.",
                        hive.path)};
}

Status ReplaceHiveFiles(const std::string& dir, const std::vector<Hive*>& hives,
                        const std::vector<std::string>& texts) {
    // Another Drennow's commit can then not fall between the check and the renames.
    const FolderLock lock(dir);
    for (Hive* hive : hives)
        if (Status s = CheckHiveUnchanged(*hive); !s.ok()) return s;
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
    for (std::size_t i = 0; i < hives.size(); ++i) {
        Stamp(hives[i]->path, hives[i]->stamp);
        hives[i]->bytesHash = HiveBytesHash(texts[i]);
    }
    return {};
}

}  // namespace platform::wine::registry
