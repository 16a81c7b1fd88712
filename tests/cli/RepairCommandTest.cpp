// drennow-cli repair, backups and browser, run as the real program on a real test prefix.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/FakeWineServer.h"
#include "tests/repair/RepairTestSupport.h"

namespace {

using fixtures::Hive;
using nlohmann::json;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

using clitest::Cli;
using clitest::CliRun;

json Parse(const CliRun& run) {
    json doc = json::parse(run.out, nullptr, false);
    EXPECT_FALSE(doc.is_discarded()) << run.out;
    return doc;
}

class CliRepairTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli"))
            GTEST_SKIP() << "drennow-cli is not built";
        prefix.SetString(Hive::User, kRun, "Dead", "c:\\gone\\Dead.exe");
        prefix.SetString(Hive::User, kRun, "Other Dead", "C:\\Gone\\Other.EXE /quiet");
        prefix.CreateFile("C:\\windows\\alive.exe", "MZ");
        prefix.SetString(Hive::User, kRun, "Alive", "c:\\windows\\alive.exe");
        prefix.WriteHives();
    }
    std::vector<std::string> With(std::vector<std::string> args) {
        args.insert(args.begin(), {"--prefix", prefix.Dir()});
        return args;
    }
    std::unique_ptr<platform::Services> Open() { return prefix.Open(); }

    fixtures::TestPrefix prefix;
};

TEST_F(CliRepairTest, RepairThenListShowRestoreDelete) {
    const CliRun repair = Cli(With({"repair", "--sections", "8", "--yes", "--json"}));
    ASSERT_EQ(repair.exitCode, 0) << repair.out;
    const json report = Parse(repair);
    EXPECT_EQ(report["end"], "done");
    EXPECT_EQ(report["backup"], true);
    EXPECT_EQ(report["chosen"], 2);
    EXPECT_EQ(report["repaired"], 2);
    EXPECT_EQ(report["failed"], 0);
    ASSERT_EQ(report["entries"].size(), 2u);
    {
        auto services = Open();
        ASSERT_TRUE(services);
        EXPECT_FALSE(repairtest::Query(*services, platform::HKEY_CURRENT_USER, kRun, "Dead"));
        EXPECT_FALSE(repairtest::Query(*services, platform::HKEY_CURRENT_USER, kRun, "Other Dead"));
        EXPECT_TRUE(repairtest::Query(*services, platform::HKEY_CURRENT_USER, kRun, "Alive"));
    }

    const json list = Parse(Cli(With({"backups", "list", "--json"})));
    ASSERT_EQ(list["backups"].size(), 1u);
    EXPECT_EQ(list["backups"][0]["row"], 1);
    EXPECT_EQ(list["backups"][0]["count"], "2");

    const json shown = Parse(Cli(With({"backups", "show", "1", "--json"})));
    ASSERT_EQ(shown["entries"].size(), 2u);
    std::vector<std::string> shownValues;
    for (const auto& entry : shown["entries"]) shownValues.push_back(entry["shownValue"]);
    EXPECT_NE(std::find(shownValues.begin(), shownValues.end(), "Dead = c:\\gone\\Dead.exe"),
              shownValues.end());

    const CliRun restore = Cli(With({"backups", "restore", "1", "--json"}));
    ASSERT_EQ(restore.exitCode, 0) << restore.out;
    EXPECT_EQ(Parse(restore)["message"], "Restore Successed!");
    {
        auto services = Open();
        ASSERT_TRUE(services);
        EXPECT_EQ(repairtest::Query(*services, platform::HKEY_CURRENT_USER, kRun, "Other Dead"),
                  repairtest::Sz("C:\\Gone\\Other.EXE /quiet"));
    }

    EXPECT_EQ(Cli(With({"backups", "show", "2"})).exitCode, 2);
    EXPECT_EQ(Cli(With({"backups", "delete", "1"})).exitCode, 0);
    EXPECT_TRUE(Parse(Cli(With({"backups", "list", "--json"})))["backups"].empty());
}

TEST_F(CliRepairTest, ShowReadsOnPastDamagedLinesAndSaysHowMany) {
    repairtest::WriteBytes(prefix.HostPath(repairtest::kBackupWindowsPath),
                           repairtest::Crlf("\n>>   1/1/2026  0:0:0  >>3\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\A]\n\"One\"=\"1\"\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\Cut]\n\nstray text\n"
                                            "[HKEY_CURRENT_USER\\Software\\B]\n\"Two\"=\"2\"\n\n"));
    const CliRun text = Cli(With({"backups", "show", "1"}));
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("2 entries, 2 damaged lines skipped\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Software\\B\n    Two = 2\n"), std::string::npos) << text.out;
    const json shown = Parse(Cli(With({"backups", "show", "1", "--json"})));
    EXPECT_EQ(shown["entries"].size(), 2u);
    EXPECT_EQ(shown["damagedLinesSkipped"], 2);
}

TEST_F(CliRepairTest, WithoutYesAndNoTerminalNothingIsRepaired) {
    const std::string before = prefix.ReadHive(Hive::User);
    EXPECT_EQ(Cli(With({"repair", "--sections", "8"})).exitCode, 2);
    EXPECT_EQ(prefix.ReadHive(Hive::User), before);
    EXPECT_FALSE(prefix.Exists(repairtest::kBackupWindowsPath));
}

TEST_F(CliRepairTest, NoBackupRepairsWithoutWritingOne) {
    const CliRun run = Cli(With({"repair", "--sections", "8", "--yes", "--no-backup"}));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Total 2 problem(s) have been repaired successfully!"),
              std::string::npos)
        << run.out;
    EXPECT_FALSE(prefix.Exists(repairtest::kBackupWindowsPath));
}

TEST_F(CliRepairTest, RunningWineserverFailsWithExitThree) {
    fixtures::FakeWineServer server(prefix.Dir());
    ASSERT_TRUE(server.Running());
    const std::string before = prefix.ReadHive(Hive::User);
    const CliRun run = Cli(With({"repair", "--sections", "8", "--yes", "--json"}));
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(Parse(run)["end"], "refused");
    EXPECT_EQ(prefix.ReadHive(Hive::User), before);
}

TEST_F(CliRepairTest, BrowserAppliesAndShowsTheSettings) {
    const CliRun run = Cli(With({"browser", "--start-page", "  http://home.example/ ",
                                 "--window-title", "", "--lock-regedit", "--json"}));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const json doc = Parse(run);
    EXPECT_EQ(doc["startPage"], "http://home.example/");
    EXPECT_EQ(doc["windowTitle"], "Microsoft Internet Explorer");
    ASSERT_EQ(doc["applied"].size(), 3u);
    for (const auto& applied : doc["applied"]) EXPECT_EQ(applied["message"], "Apply Successed!");
    auto services = Open();
    ASSERT_TRUE(services);
    EXPECT_EQ(repairtest::Query(*services, platform::HKEY_CURRENT_USER,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                                "DisableRegistryTools"),
              repairtest::Dword(1));
    EXPECT_EQ(repairtest::Query(*services, platform::HKEY_LOCAL_MACHINE,
                                "Software\\Microsoft\\Internet Explorer\\Main", "Start Page"),
              repairtest::Sz("http://home.example/"));
}

}  // namespace
