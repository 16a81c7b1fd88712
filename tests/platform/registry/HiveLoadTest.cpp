// The three hives are read at once (the user hives beside system.reg): each answers for its
// own keys, and a prefix with more than one bad file is refused for the first of them, as when
// they were read in turn.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/wine/registry/Registry.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using namespace platform;
using fixtures::Hive;
using wine::Registry;

std::string Query(Registry& registry, HKEY root, const char* path) {
    HKEY key = 0;
    if (registry.RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<none>";
    char data[64] = {};
    DWORD length = sizeof data, type = 0;
    const LONG rc =
        registry.RegQueryValueExA(key, "V", &type, reinterpret_cast<BYTE*>(data), &length);
    registry.RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(data) : "<error>";
}

TEST(HiveLoad, EachHiveAnswersForItsOwnKeys) {
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::System, "Software\\Machine", "V", "system");
    prefix.SetString(Hive::User, "Software\\Person", "V", "user");
    prefix.SetString(Hive::UserDefault, "Software\\Default", "V", "default");
    prefix.WriteHives();
    Status status;
    const auto registry = Registry::Load(prefix.Dir(), status);
    ASSERT_TRUE(registry) << status.message;
    EXPECT_EQ(Query(*registry, HKEY_LOCAL_MACHINE, "Software\\Machine"), "system");
    EXPECT_EQ(Query(*registry, HKEY_CURRENT_USER, "Software\\Person"), "user");
    EXPECT_EQ(Query(*registry, HKEY_USERS, ".Default\\Software\\Default"), "default");
    EXPECT_EQ(Query(*registry, HKEY_CURRENT_USER, "Software\\Machine"), "<none>");
}

TEST(HiveLoad, TheFirstBadFileInTheOrderOfTheHivesIsNamed) {
    enum class Fault { None, Missing, NotARegistry };
    const struct {
        Fault system, user, userDefault;
        const char* named;
    } cases[] = {
        {Fault::Missing, Fault::NotARegistry, Fault::Missing, "system.reg"},
        {Fault::NotARegistry, Fault::Missing, Fault::None, "system.reg"},
        {Fault::None, Fault::NotARegistry, Fault::Missing, "user.reg"},
        {Fault::None, Fault::None, Fault::NotARegistry, "userdef.reg"},
    };
    for (const auto& c : cases) {
        fixtures::TestPrefix prefix;
        prefix.WriteHives();
        const std::pair<Hive, Fault> faults[] = {
            {Hive::System, c.system}, {Hive::User, c.user}, {Hive::UserDefault, c.userDefault}};
        for (const auto& [hive, fault] : faults) {
            if (fault == Fault::Missing) std::filesystem::remove(prefix.HivePath(hive));
            if (fault == Fault::NotARegistry)
                std::ofstream(prefix.HivePath(hive), std::ios::trunc) << "REGEDIT4\n";
        }
        Status status;
        EXPECT_FALSE(Registry::Load(prefix.Dir(), status)) << c.named;
        EXPECT_NE(status.message.find(c.named), std::string::npos) << status.message;
        for (const char* other : {"system.reg", "user.reg", "userdef.reg"}) {
            if (std::string(other) != c.named) {
                EXPECT_EQ(status.message.find(std::string("/") + other), std::string::npos)
                    << status.message;
            }
        }
    }
}

}  // namespace
