// A commit whose writes fail part way (a file-size limit hits the second hive) leaves every
// hive file as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/wine/registry/Registry.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using namespace platform;
using fixtures::Hive;

TEST(RegistryCommitFailure, FailedWriteLeavesEveryHiveIntact) {
    fixtures::TestPrefix prefix;
    // user.reg small, system.reg large: the limit lets one temporary file through, not both.
    prefix.SetString(Hive::User, "Environment", "TEMP", "c:\\tmp");
    for (int i = 0; i < 400; ++i)
        prefix.SetString(Hive::System, "Software\\Big\\K" + std::to_string(i), "v",
                         std::string(64, 'x'));
    prefix.WriteHives();
    const std::string systemBefore = prefix.ReadHive(Hive::System);
    const std::string userBefore = prefix.ReadHive(Hive::User);
    ASSERT_GT(systemBefore.size(), 8000u);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Status status;
        auto registry = platform::wine::Registry::Load(prefix.Dir(), status);
        if (!registry) ::_exit(10);
        HKEY key = 0;
        const BYTE data[] = "new";
        if (registry->RegCreateKeyA(HKEY_CURRENT_USER, "Environment", &key) != 0 ||
            registry->RegSetValueExA(key, "NEW", 0, REG_SZ, data, sizeof data) != 0)
            ::_exit(11);
        if (registry->RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Big\\K1", &key) != 0 ||
            registry->RegSetValueExA(key, "v", 0, REG_SZ, data, sizeof data) != 0)
            ::_exit(12);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = static_cast<rlim_t>(userBefore.size() + 4096);
        struct rlimit rl {
            limit, limit
        };
        ::setrlimit(RLIMIT_FSIZE, &rl);
        const Status commit = registry->Commit();
        ::_exit(commit.ok() ? 0 : (commit.message.empty() ? 13 : 1));
    }
    int wstatus = 0;
    ASSERT_EQ(::waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(WIFEXITED(wstatus));
    EXPECT_EQ(WEXITSTATUS(wstatus), 1) << "the commit should fail with a message";

    EXPECT_EQ(prefix.ReadHive(Hive::System), systemBefore);
    EXPECT_EQ(prefix.ReadHive(Hive::User), userBefore);
    for (const auto& entry : std::filesystem::directory_iterator(prefix.Dir())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(entry.is_directory() || name == "system.reg" || name == "user.reg" ||
                    name == "userdef.reg")
            << "left behind: " << name;
    }
}

}  // namespace
