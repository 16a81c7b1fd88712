// drennow-cli on a prefix whose real wineserver is running: it scans with a warning, refuses
// every write with the reason, and once the server is stopped the same repair goes through.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/cli/CliProcess.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;
using clitest::ChildOptions;
using clitest::CliProcess;

constexpr const char* kRefusal = "A wineserver is running for the prefix";

class ServerRunningTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
        if (!CliProcess::Built()) GTEST_SKIP() << "drennow-cli is not built";
        base = fs::temp_directory_path() /
               ("drennow-server-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(base);
        prefix = fixtures::CopyWineTemplate(base.string());
        ASSERT_FALSE(prefix.empty()) << "no wineboot template prefix";
        ASSERT_EQ(
            fixtures::RunWine(
                prefix, {"reg", "add", "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "/v", "DrennowDead", "/d", "c:\\gone\\dead.exe", "/f"})
                .exitCode,
            0);
        // A backup to restore, as an earlier repair would have left it.
        const fs::path backup = fs::path(prefix) / "drive_c/Program Files/Norlix Drennow/backup";
        fs::create_directories(backup);
        std::ofstream(backup / "backup.txt", std::ios::binary)
            << "\r\n>>   1/2/2026  3:4:5  >>1\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old]\r\n"
               "\"Name\"=\"c:\\\\old.exe\"\r\n\r\n";
    }
    void TearDown() override {
        if (prefix.empty()) return;
        fixtures::StopWineServer(prefix);
        std::error_code ignored;
        fs::remove_all(base, ignored);
    }
    CliProcess Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--prefix", prefix});
        return CliProcess(args, ChildOptions{});
    }
    std::string Hives() {
        std::string all;
        for (const char* hive : {"/system.reg", "/user.reg", "/userdef.reg"})
            all += repairtest::ReadBytes(prefix + hive);
        return all;
    }

    fs::path base;
    std::string prefix;
};

TEST_F(ServerRunningTest, ScansWithWarningRefusesWritesUntilTheServerStops) {
    const std::string env = "env WINEPREFIX='" + prefix + "' WINEDEBUG=-all ";
    ASSERT_EQ(std::system((env + "wineserver -p").c_str()), 0);
    const std::string hives = Hives();

    CliProcess scan = Run({"scan", "--sections", "8"});
    EXPECT_EQ(scan.Wait(), 1) << scan.Output();
    EXPECT_NE(scan.Output().find("DrennowDead"), std::string::npos) << scan.Output();
    EXPECT_NE(scan.Output().find("A wineserver is running for this prefix"), std::string::npos)
        << scan.Output();

    for (const std::vector<std::string>& write :
         {std::vector<std::string>{"repair", "--sections", "8", "--yes", "--backup"},
          std::vector<std::string>{"browser", "--start-page", "http://example.org/"},
          std::vector<std::string>{"browser", "--lock-regedit"},
          std::vector<std::string>{"backups", "restore", "1"}}) {
        CliProcess refused = Run(write);
        EXPECT_EQ(refused.Wait(), 3) << write[0] << ": " << refused.Output();
        EXPECT_NE(refused.Output().find(kRefusal), std::string::npos)
            << write[0] << ": " << refused.Output();
    }
    EXPECT_EQ(Hives(), hives);

    fixtures::StopWineServer(prefix);
    CliProcess repair = Run({"repair", "--sections", "8", "--yes", "--backup"});
    EXPECT_EQ(repair.Wait(), 0) << repair.Output();
    EXPECT_EQ(repair.Output().find("wineserver"), std::string::npos) << repair.Output();
    // Wine itself no longer finds the value.
    const fixtures::WineRun query = fixtures::RunWine(
        prefix, {"reg", "query", "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"});
    EXPECT_EQ(query.exitCode, 0);
    EXPECT_EQ(query.output.find("DrennowDead"), std::string::npos) << query.output;
}

}  // namespace
