// The Win32 registry calls over a real prefix: roots, links, A conversions, buffer sizes,
// creating and deleting, and committing to disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/wine/registry/Registry.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/FakeWineServer.h"

namespace {

using namespace platform;
using fixtures::Hive;
using wine::Registry;

class RegistryApi : public ::testing::Test {
protected:
    std::unique_ptr<Registry> Load() {
        prefix.WriteHives();
        Status status;
        auto registry = Registry::Load(prefix.Dir(), status);
        EXPECT_TRUE(registry) << status.message;
        return registry;
    }
    static HKEY Open(Registry& r, HKEY root, const char* path) {
        HKEY key = 0;
        EXPECT_EQ(r.RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS) << path;
        return key;
    }
    static std::string Sz(Registry& r, HKEY key, const char* name) {
        char data[256] = {};
        DWORD length = sizeof data, type = 0;
        if (r.RegQueryValueExA(key, name, &type, reinterpret_cast<BYTE*>(data), &length) != 0)
            return "<missing>";
        return std::string(data, length ? length - 1 : 0);
    }
    fixtures::TestPrefix prefix;
};

TEST_F(RegistryApi, RootsMapAsWineMapsThem) {
    prefix.SetString(Hive::System, "Software\\Classes\\.txt", "", "txtfile");
    prefix.SetString(Hive::User, "Software\\Classes\\.usr", "", "user only");
    prefix.SetString(Hive::User, "Environment", "TEMP", "c:\\tmp");
    prefix.SetString(Hive::UserDefault, "Control Panel", "x", "default user");
    auto r = Load();
    EXPECT_EQ(Sz(*r, Open(*r, HKEY_CLASSES_ROOT, ".txt"), ""), "txtfile");
    HKEY key = 0;
    EXPECT_EQ(r->RegOpenKeyExA(HKEY_CLASSES_ROOT, ".usr", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);  // HKCU\Software\Classes is not merged in
    EXPECT_EQ(Sz(*r, Open(*r, HKEY_USERS, ".DEFAULT\\Control Panel"), "x"), "default user");
    EXPECT_EQ(Sz(*r, Open(*r, HKEY_USERS, "S-1-5-21-0-0-0-1000\\Environment"), "TEMP"), "c:\\tmp");
    EXPECT_EQ(Sz(*r, Open(*r, HKEY_CURRENT_USER, "environment"), "temp"), "c:\\tmp");
    EXPECT_NE(r->RegOpenKeyExA(HKEY_PERFORMANCE_DATA, "", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(r->RegOpenKeyExA(HKEY_DYN_DATA, "x", 0, KEY_READ, &key), ERROR_SUCCESS);

    const HKEY users = Open(*r, HKEY_USERS, "");
    char name[64];
    DWORD length = sizeof name;
    ASSERT_EQ(r->RegEnumKeyExA(users, 0, name, &length), ERROR_SUCCESS);
    EXPECT_STREQ(name, ".Default");
    length = sizeof name;
    ASSERT_EQ(r->RegEnumKeyExA(users, 1, name, &length), ERROR_SUCCESS);
    EXPECT_STREQ(name, "S-1-5-21-0-0-0-1000");
    EXPECT_EQ(r->RegEnumKeyExA(users, 2, name, &length), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(r->RegCloseKey(users), ERROR_SUCCESS);
    EXPECT_EQ(r->RegCloseKey(users), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, EnumerationReportsTooSmallBuffersWithTheNeededLength) {
    prefix.SetString(Hive::System, "Software\\E\\abcdef", "", "");
    prefix.SetString(Hive::System, "Software\\E", "name5", "12345");
    prefix.SetDword(Hive::System, "Software\\E", "dw", 7);
    auto r = Load();
    const HKEY key = Open(*r, HKEY_LOCAL_MACHINE, "Software\\E");
    char name[16];
    DWORD length = 6;  // "abcdef" needs 7 with its zero
    EXPECT_EQ(r->RegEnumKeyExA(key, 0, name, &length), ERROR_MORE_DATA);
    length = 7;
    EXPECT_EQ(r->RegEnumKeyExA(key, 0, name, &length), ERROR_SUCCESS);
    EXPECT_EQ(length, 6u);

    DWORD values = 0;
    ASSERT_EQ(r->RegQueryInfoKeyA(key, nullptr, nullptr, &values, nullptr, nullptr), 0);
    EXPECT_EQ(values, 2u);
    BYTE data[16] = {};
    DWORD type = 0, dataLength = 5;
    length = sizeof name;
    // Values come in Wine's order: "dw" before "name5".
    ASSERT_EQ(r->RegEnumValueA(key, 1, name, &length, &type, data, &dataLength), ERROR_MORE_DATA);
    EXPECT_EQ(dataLength, 6u);
    length = 5;  // "name5" needs 6
    dataLength = sizeof data;
    EXPECT_EQ(r->RegEnumValueA(key, 1, name, &length, &type, data, &dataLength), ERROR_MORE_DATA);
    length = sizeof name;
    ASSERT_EQ(r->RegEnumValueA(key, 1, name, &length, &type, data, &dataLength), ERROR_SUCCESS);
    EXPECT_STREQ(name, "name5");
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(dataLength, 6u);
    EXPECT_STREQ(reinterpret_cast<char*>(data), "12345");
    length = sizeof name;
    EXPECT_EQ(r->RegEnumValueA(key, 2, name, &length, &type, data, &dataLength),
              ERROR_NO_MORE_ITEMS);
    DWORD needed = 0;
    EXPECT_EQ(r->RegQueryValueExA(key, "dw", &type, nullptr, &needed), ERROR_SUCCESS);
    EXPECT_EQ(needed, 4u);
}

TEST_F(RegistryApi, AnsiCallsConvertWithWindows1252AndBestFit) {
    prefix.SetString(Hive::System, "Software\\A", "caf\xc3\xa9", "\xc4\x80ge");  // café = Āge
    auto r = Load();
    const HKEY key = Open(*r, HKEY_LOCAL_MACHINE, "Software\\A");
    char name[16] = {};
    BYTE data[16] = {};
    DWORD length = sizeof name, type = 0, dataLength = sizeof data;
    ASSERT_EQ(r->RegEnumValueA(key, 0, name, &length, &type, data, &dataLength), 0);
    EXPECT_STREQ(name, "caf\xe9");
    EXPECT_STREQ(reinterpret_cast<char*>(data), "Age");  // U+0100 has the best fit "A"
    EXPECT_EQ(Sz(*r, key, "CAF\xc9"), "Age");            // names compare without case
}

TEST_F(RegistryApi, LinksAreFollowedAndLoopsEnd) {
    prefix.SetString(Hive::System, "Software\\Target\\Sub", "v", "through the link");
    const auto link = [](const std::u16string& target) {
        std::vector<std::uint8_t> bytes;
        for (char16_t c : target)
            bytes.push_back(static_cast<std::uint8_t>(c & 0xFF)),
                bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        return bytes;
    };
    prefix.SetRaw(Hive::System, "Software\\Link", "SymbolicLinkValue", REG_LINK,
                  link(u"\\Registry\\Machine\\Software\\Target"));
    prefix.SetRaw(Hive::System, "Software\\Loop", "SymbolicLinkValue", REG_LINK,
                  link(u"\\Registry\\Machine\\Software\\Loop"));
    prefix.WriteHives();
    // The fixture writes values only; mark the two keys as links the way Wine does.
    const std::string path = prefix.HivePath(Hive::System);
    std::string text = prefix.ReadHive(Hive::System);
    for (const char* name : {"[Software\\\\Link]", "[Software\\\\Loop]"}) {
        const std::size_t at = text.find(name);
        ASSERT_NE(at, std::string::npos);
        text.insert(text.find('\n', at) + 1, "#link\n");
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    Status status;
    auto r = Registry::Load(prefix.Dir(), status);
    ASSERT_TRUE(r) << status.message;
    EXPECT_EQ(Sz(*r, Open(*r, HKEY_LOCAL_MACHINE, "Software\\Link\\Sub"), "v"), "through the link");
    HKEY key = 0;
    // REG_OPTION_OPEN_LINK opens a link named last as itself; links before it are followed.
    ASSERT_EQ(r->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Link", REG_OPTION_OPEN_LINK, KEY_READ,
                               &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(r->RegQueryValueExA(key, "SymbolicLinkValue", &type, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_LINK);
    ASSERT_EQ(r->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Link\\Sub", REG_OPTION_OPEN_LINK,
                               KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(Sz(*r, key, "v"), "through the link");
    EXPECT_NE(r->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Loop\\x", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    std::string deep = "Software";
    for (int i = 0; i < 600; ++i) deep += "\\d";
    EXPECT_NE(r->RegCreateKeyA(HKEY_LOCAL_MACHINE, deep.c_str(), &key), ERROR_SUCCESS);
}

TEST_F(RegistryApi, CreateSetDeleteAndCommitReachTheFile) {
    prefix.SetString(Hive::User, "Software\\Keep", "same", "untouched");
    prefix.SetString(Hive::User, "Software\\Run", "old", "c:\\old.exe");
    auto r = Load();
    const std::string before = prefix.ReadHive(Hive::User);
    HKEY key = 0;
    EXPECT_EQ(r->RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\New\\Deep", 0, KEY_ALL_ACCESS, &key),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(r->RegCreateKeyA(HKEY_CURRENT_USER, "Software\\New\\Deep", &key), ERROR_SUCCESS);
    const BYTE bytes[] = {0, 1, 2, 0xff};
    ASSERT_EQ(r->RegSetValueExA(key, "bin", 0, REG_BINARY, bytes, 4), ERROR_SUCCESS);
    const char text[] = "caf\xe9";
    ASSERT_EQ(r->RegSetValueExA(key, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 5), 0);
    const HKEY run = Open(*r, HKEY_CURRENT_USER, "Software\\Run");
    EXPECT_EQ(r->RegDeleteValueA(run, "old"), ERROR_SUCCESS);
    EXPECT_EQ(r->RegDeleteValueA(run, "old"), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(r->HasUncommittedChanges());
    EXPECT_EQ(prefix.ReadHive(Hive::User), before);  // nothing on disk before the commit

    ASSERT_TRUE(r->Commit().ok());
    EXPECT_FALSE(r->HasUncommittedChanges());
    const std::string after = prefix.ReadHive(Hive::User);
    EXPECT_NE(after.find("\"s\"=\"caf\\xe9\"\n"), std::string::npos) << after;
    EXPECT_NE(after.find("\"bin\"=hex:00,01,02,ff\n"), std::string::npos);
    EXPECT_EQ(after.find("c:\\\\old.exe"), std::string::npos);
    // The untouched key's block is there exactly as it was.
    const std::size_t keep = before.find("[Software\\\\Keep]");
    const std::string block = before.substr(keep, before.find("\n\n", keep) - keep);
    EXPECT_NE(after.find(block), std::string::npos);

    Status status;
    auto again = Registry::Load(prefix.Dir(), status);
    ASSERT_TRUE(again);
    BYTE back[8] = {};
    DWORD length = sizeof back, type = 0;
    ASSERT_EQ(again->RegQueryValueExA(Open(*again, HKEY_CURRENT_USER, "Software\\New\\Deep"), "bin",
                                      &type, back, &length),
              0);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::memcmp(back, bytes, 4), 0);
}

TEST_F(RegistryApi, CommitRefusesWhenTheFileChangedOrAServerRuns) {
    prefix.SetString(Hive::System, "Software\\S", "v", "1");
    auto r = Load();
    const HKEY key = Open(*r, HKEY_LOCAL_MACHINE, "Software\\S");
    ASSERT_EQ(r->RegDeleteValueA(key, "v"), ERROR_SUCCESS);

    for (const auto layout :
         {fixtures::FakeWineServer::Layout::Upstream, fixtures::FakeWineServer::Layout::Debian}) {
        {
            fixtures::FakeWineServer server(prefix.Dir(), layout);
            ASSERT_TRUE(server.Running());
            EXPECT_FALSE(r->Warning().empty());
            const Status refused = r->Commit();
            EXPECT_FALSE(refused.ok());
            EXPECT_NE(refused.message.find("wineserver -k"), std::string::npos) << refused.message;
        }
        EXPECT_TRUE(r->Warning().empty());
    }
    // A pipe where Debian's Wine keeps its folder name is not read (it would block for good).
    const std::string named = prefix.Dir() + "/wineserver";
    std::filesystem::remove(named);
    ASSERT_EQ(::mkfifo(named.c_str(), 0600), 0);
    EXPECT_TRUE(r->Warning().empty());

    // Someone else rewrites the file meanwhile: their content must survive.
    const std::string path = prefix.HivePath(Hive::System);
    const std::string theirs = prefix.ReadHive(Hive::System) + "\n[Other] 1\n\"x\"=\"y\"\n";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << theirs;
    const Status stale = r->Commit();
    EXPECT_FALSE(stale.ok());
    EXPECT_NE(stale.message.find("system.reg"), std::string::npos) << stale.message;
    EXPECT_EQ(prefix.ReadHive(Hive::System), theirs);
    for (const auto& entry : std::filesystem::directory_iterator(prefix.Dir()))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

}  // namespace

namespace {

std::string UserSz(platform::Services& s, const char* path, const char* name) {
    HKEY key = 0;
    if (s.RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[256] = {};
    DWORD length = sizeof data, type = 0;
    const LONG rc = s.RegQueryValueExA(key, name, &type, reinterpret_cast<BYTE*>(data), &length);
    s.RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(data, length ? length - 1 : 0) : "<missing>";
}

TEST(RegistryDiscard, AFailedSaveLeavesNothingForTheNextOne) {
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::User, "Software\\S", "keep", "1");
    auto services = prefix.Open();
    HKEY key = 0;
    ASSERT_EQ(services->RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\S", 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(services->RegDeleteValueA(key, "keep"), ERROR_SUCCESS);
    // Someone else writes the hive: our save is refused, and our change dropped.
    const std::string theirs =
        prefix.ReadHive(Hive::User) + "\n[Software\\\\Theirs] 1\n\"t\"=\"2\"\n";
    std::ofstream(prefix.HivePath(Hive::User), std::ios::binary | std::ios::trunc) << theirs;
    ASSERT_FALSE(services->Commit().ok());
    ASSERT_TRUE(services->DiscardChanges().ok());
    EXPECT_FALSE(services->HasUncommittedChanges());
    EXPECT_EQ(UserSz(*services, "Software\\S", "keep"), "1");
    EXPECT_EQ(UserSz(*services, "Software\\Theirs", "t"), "2");
    // The old handle is gone; a new one never takes its number.
    EXPECT_NE(services->RegCloseKey(key), ERROR_SUCCESS);
    HKEY fresh = 0;
    ASSERT_EQ(services->RegCreateKeyA(HKEY_CURRENT_USER, "Software\\New", &fresh), ERROR_SUCCESS);
    EXPECT_NE(fresh, key);
    const BYTE one[] = "1";
    ASSERT_EQ(services->RegSetValueExA(fresh, "n", 0, REG_SZ, one, 2), ERROR_SUCCESS);
    services->RegCloseKey(fresh);
    ASSERT_TRUE(services->Commit().ok());
    const std::string written = prefix.ReadHive(Hive::User);
    EXPECT_NE(written.find("\"keep\"=\"1\""), std::string::npos);
    EXPECT_NE(written.find("[Software\\\\Theirs]"), std::string::npos);
    EXPECT_NE(written.find("[Software\\\\New]"), std::string::npos);
}

TEST(RegistryDiscard, WhenTheHivesCannotBeReadAgainNothingIsWrittenAnyMore) {
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::System, "Software\\S", "v", "1");
    auto services = prefix.Open();
    HKEY key = 0;
    ASSERT_EQ(services->RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\S", &key), ERROR_SUCCESS);
    ASSERT_EQ(services->RegDeleteValueA(key, "v"), ERROR_SUCCESS);
    services->RegCloseKey(key);
    const std::string system = prefix.ReadHive(Hive::System);
    std::filesystem::remove(prefix.HivePath(Hive::User));
    const Status discarded = services->DiscardChanges();
    EXPECT_FALSE(discarded.ok());
    EXPECT_NE(discarded.message.find("user.reg"), std::string::npos) << discarded.message;
    EXPECT_FALSE(services->CanWrite().ok());
    EXPECT_FALSE(services->Commit().ok());
    EXPECT_EQ(prefix.ReadHive(Hive::System), system);
}

}  // namespace
