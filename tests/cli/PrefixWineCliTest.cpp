// drennow-cli judges a launcher's prefix with the build the launcher records for it, whichever
// way the prefix is named, on a fake home whose system Wine is the only one on PATH.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/fixtures/LauncherBuilds.h"

namespace {

using json = nlohmann::ordered_json;

using clitest::HomeRun;

class PrefixWineCli : public ::testing::Test {
protected:
    void SetUp() override { fixtures::FillLauncherBuilds(home_); }

    // drennow-cli with this home as $HOME, its system Wine alone on PATH, no $WINE.
    HomeRun Cli(std::vector<std::string> args) {
        args.insert(args.end(), {"--sections", "Startup Programs", "--json"});
        return clitest::CliInEnvironment(
            "-u WINEPREFIX -u WINE HOME=" + clitest::Quote(home_.Dir()) +
                " PATH=" + clitest::Quote(home_.Path(fixtures::kSystemWine) + "/bin"),
            args, home_.Path("stderr.txt"));
    }

    fixtures::FakeHome home_;
};

TEST_F(PrefixWineCli, EveryWayOfNamingAPrefixJudgesItWithItsRecordedBuild) {
    const std::string system = home_.Path(fixtures::kSystemWine);
    const HomeRun all = Cli({"scan", "--all"});
    const json found = json::parse(all.out, nullptr, false);
    ASSERT_EQ(found["prefixes"].size(), 3u) << all.out << all.err;
    for (const fixtures::LauncherBuild& launcher : fixtures::kLauncherBuilds) {
        const std::string build = home_.Path(launcher.build);
        const struct {
            std::vector<std::string> args;
            std::string wine;  // the root that judges
            int total;         // the build's own value is reported only by another Wine
        } cases[] = {
            {{"--prefix", home_.Path(launcher.prefix), "scan"}, build, 0},
            {{"--prefix", launcher.choice, "scan"}, build, 0},
            {{"--prefix", home_.Path(launcher.prefix), "--wine", system, "scan"}, system, 1},
            {{"--wine", system, "--prefix", launcher.choice, "scan"}, system, 1},
        };
        for (const auto& c : cases) {
            const HomeRun run = Cli(c.args);
            const json doc = json::parse(run.out, nullptr, false);
            EXPECT_EQ(doc["total"], c.total) << c.args[1] << ": " << run.out << run.err;
            EXPECT_EQ(doc["wine"], c.wine) << c.args[1];
            EXPECT_NE(run.err.find("note: Wine's own entries are those of " + c.wine),
                      std::string::npos)
                << run.err;
        }
        bool listed = false;
        for (const json& entry : found["prefixes"]) {
            if (entry["path"] != home_.Path(launcher.prefix)) continue;
            listed = true;
            EXPECT_EQ(entry["total"], 0) << launcher.kind;
            EXPECT_EQ(entry["wine"], build) << launcher.kind;
        }
        EXPECT_TRUE(listed) << launcher.kind;
    }
}

TEST_F(PrefixWineCli, ARecordedBuildThatIsGoneIsNamedBesideTheSystemsThatJudges) {
    const std::string proton = home_.Path(fixtures::kLauncherBuilds[0].build);
    std::filesystem::remove_all(std::filesystem::path(proton).parent_path());
    const HomeRun run = Cli({"--prefix", "steam:4000", "scan"});
    const json doc = json::parse(run.out, nullptr, false);
    EXPECT_EQ(doc["total"], 1) << run.out << run.err;
    EXPECT_EQ(doc["wine"], home_.Path(fixtures::kSystemWine));
    EXPECT_NE(run.err.find("note: The build Steam records for this prefix, " + proton +
                           ", is gone; Wine's own entries are those of " +
                           home_.Path(fixtures::kSystemWine) + " (the wine on PATH) instead."),
              std::string::npos)
        << run.err;
}

}  // namespace
