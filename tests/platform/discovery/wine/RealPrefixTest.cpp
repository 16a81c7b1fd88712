// Discovery on a prefix made by Wine itself, with a real wineserver running for it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/discovery/Discovery.h"
#include "tests/fixtures/FakeHome.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

TEST(RealWinePrefix, IsListedWithItsArchAndItsRunningServer) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    fixtures::FakeHome home;
    const std::string dir = home.Path(".local/share/wineprefixes/real");
    std::filesystem::create_directories(home.Path(".local/share/wineprefixes"));
    ASSERT_FALSE(fixtures::CopyWineTemplate(dir).empty());

    auto only = [&home] {
        const auto found = platform::discovery::DiscoverPrefixes({home.Dir(), {}});
        EXPECT_EQ(found.prefixes.size(), 1u);
        return found.prefixes.empty() ? platform::discovery::FoundPrefix{} : found.prefixes[0];
    };
    const auto idle = only();
    EXPECT_EQ(idle.path, dir);
    EXPECT_EQ(idle.arch, "win64");
    EXPECT_FALSE(idle.serverRunning);

    // A persistent server, as a running program of the prefix keeps one.
    const std::string start = "WINEPREFIX='" + dir + "' wineserver -p30";
    ASSERT_EQ(std::system(start.c_str()), 0);
    EXPECT_TRUE(only().serverRunning);
    fixtures::StopWineServer(dir);
    EXPECT_FALSE(only().serverRunning);
}

}  // namespace
