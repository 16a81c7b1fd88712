// Hive files written by another program while the prefix is open: Wine saving the same
// registry again (a new time and inode, the same bytes) changes nothing; other bytes refuse
// every write until the registry is read again, which the next scan does.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "tests/fixtures/TestPrefix.h"

namespace {

using namespace platform;
using fixtures::Hive;

// As Wine saves a hive: a new file renamed over the old one.
void SaveAs(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".new";
    std::ofstream(temporary, std::ios::binary) << bytes;
    ASSERT_EQ(std::rename(temporary.c_str(), path.c_str()), 0);
}

std::string Sz(Services& services, HKEY key, const char* name) {
    char data[64] = {};
    DWORD length = sizeof data, type = 0;
    const LONG status =
        services.RegQueryValueExA(key, name, &type, reinterpret_cast<BYTE*>(data), &length);
    if (status == ERROR_INVALID_HANDLE) return "<invalid handle>";
    if (status != ERROR_SUCCESS) return "<missing>";
    return std::string(data, length ? length - 1 : 0);
}

TEST(HiveChangedOnDisk, SameBytesSavedAgainPassAndOtherBytesAreReadAgainByRefresh) {
    const struct {
        const char* what;
        std::function<void(fixtures::TestPrefix&)> save;
        bool changed;
    } cases[] = {
        {"same bytes, new file",
         [](fixtures::TestPrefix& p) { SaveAs(p.HivePath(Hive::User), p.ReadHive(Hive::User)); },
         false},
        {"same bytes, new time",
         [](fixtures::TestPrefix& p) {
             const struct timespec times[2] = {{1000, 0}, {1000, 0}};
             ASSERT_EQ(::utimensat(AT_FDCWD, p.HivePath(Hive::User).c_str(), times, 0), 0);
         },
         false},
        {"other bytes",
         [](fixtures::TestPrefix& p) {
             p.SetString(Hive::User, "Environment", "ADDED", "yes");
             SaveAs(p.HivePath(Hive::User), p.HiveText(Hive::User));
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fixtures::TestPrefix prefix;
        prefix.SetString(Hive::User, "Environment", "TEMP", "c:\\tmp");
        const auto services = prefix.Open();
        HKEY key = 0;
        ASSERT_EQ(services->RegOpenKeyExA(HKEY_CURRENT_USER, "Environment", 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        c.save(prefix);

        const Status refusal = services->CanWrite();
        EXPECT_EQ(refusal.code, c.changed ? ERROR_LOCK_VIOLATION : ERROR_SUCCESS);
        EXPECT_EQ(refusal.message.find("Scan again") != std::string::npos, c.changed)
            << refusal.message;
        ASSERT_TRUE(services->Refresh().ok());
        // Read again only when the bytes changed: the old handles go with the old registry.
        EXPECT_EQ(Sz(*services, key, "TEMP"), c.changed ? "<invalid handle>" : "c:\\tmp");
        ASSERT_EQ(services->RegOpenKeyExA(HKEY_CURRENT_USER, "Environment", 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        EXPECT_EQ(Sz(*services, key, "ADDED"), c.changed ? "yes" : "<missing>");
        EXPECT_TRUE(services->CanWrite().ok()) << services->CanWrite().message;
    }
}

TEST(HiveChangedOnDisk, CommitGoesAheadOverWhatItWroteSavedAgain) {
    fixtures::TestPrefix prefix;
    const auto services = prefix.Open();
    auto set = [&](const char* name) {
        HKEY key = 0;
        const BYTE data[] = "1";
        ASSERT_EQ(services->RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Drennow", &key), 0);
        ASSERT_EQ(services->RegSetValueExA(key, name, 0, REG_SZ, data, sizeof data), 0);
        services->RegCloseKey(key);
    };
    set("first");
    ASSERT_TRUE(services->Commit().ok());
    // Wine's server stops and saves the file Drennow wrote, unchanged.
    SaveAs(prefix.HivePath(Hive::User), prefix.ReadHive(Hive::User));
    set("second");
    const Status commit = services->Commit();
    EXPECT_TRUE(commit.ok()) << commit.message;
    const std::string user = prefix.ReadHive(Hive::User);
    EXPECT_NE(user.find("\"first\"=\"1\""), std::string::npos) << user;
    EXPECT_NE(user.find("\"second\"=\"1\""), std::string::npos) << user;
}

}  // namespace
