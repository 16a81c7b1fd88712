#pragma once
// Shared helpers of the file-half tests: a real prefix opened with the real backend.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fixtures/TestPrefix.h"

namespace files_test {

class PrefixTest : public ::testing::Test {
protected:
    platform::Services& Sys() {
        if (!services_) services_ = prefix_.Open();
        return *services_;
    }
    bool Exists(const std::string& path) { return Sys().PathFileExistsA(path.c_str()) != 0; }
    // The whole content of a file read through the text-file class, lines joined with "|".
    std::string ReadLines(const std::string& path) {
        auto file = Sys().OpenTextFile(path.c_str(), platform::TextFileMode::Read);
        if (!file) return "<cannot open>";
        std::string all, line;
        bool first = true;
        while (file->ReadString(line)) {
            all += (first ? "" : "|") + line;
            first = false;
        }
        return all;
    }
    std::vector<std::string> SearchNames(const std::string& pattern) {
        std::vector<std::string> names;
        auto search = Sys().FindFirstFileA(pattern.c_str());
        platform::FindEntry entry;
        while (search && search->Next(entry)) names.push_back(entry.name);
        return names;
    }

    fixtures::TestPrefix prefix_;
    std::unique_ptr<platform::Services> services_;
};

// Runs `check` as an unprivileged user when the tests run as root (root reads and writes any
// folder whatever its permissions), else in this process. Returns what `check` returns. The
// prefix folder is that user's meanwhile: Drennow writes to no other user's prefix.
inline int RunUnprivileged(const std::string& prefixDir, const std::function<int()>& check) {
    if (::geteuid() != 0) return check();
    // The prefix folder from mkdtemp is private; the other user must be able to walk it.
    ::chmod(prefixDir.c_str(), 0755);
    struct stat own {};
    if (::stat(prefixDir.c_str(), &own) != 0 || ::chown(prefixDir.c_str(), 65534, 65534) != 0)
        return 102;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (::chown(prefixDir.c_str(), own.st_uid, own.st_gid) != 0) return 103;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

}  // namespace files_test
