// HostPathOf: where a Windows path lies on the host, or why it lies nowhere.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/TestPrefix.h"

namespace {

TEST(HostPathOf, TheExistingPartAsWineFindsItThenTheRestAsGiven) {
    fixtures::TestPrefix prefix;
    prefix.CreateFile("C:\\Program Files\\Here\\here.exe", "MZ");
    prefix.AddDrive('z', "/");
    auto services = prefix.Open();
    const std::string driveC = std::filesystem::canonical(prefix.Dir() + "/drive_c").string();
    const struct {
        const char* path;
        std::string host;
        const char* why;  // a part of it; "" for none
    } cases[] = {
        {"c:\\PROGRAM FILES\\here\\HERE.EXE", driveC + "/Program Files/Here/here.exe", ""},
        {"C:\\Program Files\\Gone\\gone.exe", driveC + "/Program Files/Gone/gone.exe", ""},
        {"C:\\", driveC, ""},
        {"Q:\\Games\\game.exe", "", "there is no drive Q:"},
        {"\\\\server\\share\\x.exe", "", "UNC"},
        {"Z:\\usr", "/usr", "network drive"},
        {"/usr/bin", "/usr/bin", ""},
    };
    // Outside a scan, then during one (which remembers each drive's root), then once more.
    for (const bool scanning : {false, true, true}) {
        services->SetDirectoryCaching(scanning);
        for (const auto& c : cases) {
            std::string why = "stale";
            EXPECT_EQ(services->HostPathOf(c.path, &why), c.host) << c.path << scanning;
            if (*c.why) EXPECT_NE(why.find(c.why), std::string::npos) << c.path << ": " << why;
            else EXPECT_EQ(why, "") << c.path;
        }
    }
}

}  // namespace
