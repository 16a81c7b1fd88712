// A 64-bit program writing through the 32-bit view (KEY_WOW64_32KEY, as `reg /reg:32` does)
// into a `wineboot -i` prefix: the scan finds exactly its dead values, the repair removes
// them as Wine's own `reg query /reg:32` then shows, and the restore puts them back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "engine/ScanSession.h"
#include "platform/wine/WinePrefix.h"
#include "repair/BackupCatalogue.h"
#include "repair/RepairCommand.h"
#include "tests/fixtures/WineTemplate.h"
#include "tests/repair/ScriptedHost.h"

namespace repair {
namespace {

namespace fs = std::filesystem;

constexpr const char* kShared = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string Query32(const std::string& prefix) {
    return fixtures::RunWine(prefix, {"cmd", "/c",
                                      std::string("reg query HKLM\\Software\\DrennowWow /reg:32 & "
                                                  "reg query ") +
                                          kShared + " /reg:32"})
        .output;
}

TEST(Wow64RepairWine, DeadValuesOfThe32BitViewAreRepairedAndRestored) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    const fs::path base =
        fs::temp_directory_path() / ("drennow-wow64-wine-" + std::to_string(::getpid()));
    fs::remove_all(base);
    const std::string prefix = fixtures::CopyWineTemplate((base / "p").string());
    ASSERT_FALSE(prefix.empty()) << "no wineboot template prefix";
    const auto added = fixtures::RunWine(
        prefix,
        {"cmd", "/c",
         std::string("reg add HKLM\\Software\\DrennowWow /v Live /d "
                     "C:\\windows\\system32\\wowlive.dll /reg:32 /f & "
                     "reg add HKLM\\Software\\DrennowWow /v Dead /d "
                     "C:\\windows\\system32\\wowdead.dll /reg:32 /f & "
                     "reg add ") +
             kShared + " /v C:\\windows\\system32\\wowlive.dll /t REG_DWORD /d 1 /reg:32 /f & " +
             "reg add " + kShared +
             " /v C:\\windows\\system32\\wowgone.dll /t REG_DWORD /d 1 /reg:32 /f"});
    ASSERT_EQ(added.exitCode, 0) << added.output;
    std::ofstream(fs::path(prefix) / "drive_c/windows/syswow64/wowlive.dll").put('x');
    const std::string before = Query32(prefix);
    ASSERT_NE(before.find("wowdead.dll"), std::string::npos) << before;

    {
        platform::Status status;
        auto services = platform::wine::OpenPrefix(prefix, status);
        ASSERT_TRUE(services) << status.message;
        repairtest::ScriptedHost host;
        engine::ScanSession session(*services, host);
        engine::SectionRows rows = engine::BuildSectionRows(*services);
        for (engine::SectionRow& row : rows) row.selected = row.section == 7 || row.section == 13;
        session.Scan(rows);
        std::set<std::u16string> found;
        for (int section : {7, 13})
            for (engine::Problem& problem : session.Results().Section(section).problems) {
                if (problem.exact.subKey.find(u"Wow6432Node") != std::u16string::npos)
                    found.insert(problem.exact.name);
                else problem.repair = false;  // Wine's own entries stay
            }
        EXPECT_EQ(found,
                  (std::set<std::u16string>{u"Dead", u"C:\\windows\\system32\\wowgone.dll"}));
        host.answers = {engine::Answer::Yes};
        const RepairReport report =
            RepairCommand(session.Results(), session.Repair(), *services, host);
        ASSERT_EQ(report.end, RepairReport::End::Done) << report.reason;
        EXPECT_EQ(report.registry.removed, 2);
    }
    const std::string after = Query32(prefix);
    EXPECT_EQ(after.find("wowdead.dll"), std::string::npos) << after;
    EXPECT_EQ(after.find("wowgone.dll"), std::string::npos) << after;
    EXPECT_NE(after.find("wowlive.dll"), std::string::npos) << after;
    {
        platform::Status status;
        auto services = platform::wine::OpenPrefix(prefix, status);
        ASSERT_TRUE(services) << status.message;
        repairtest::ScriptedHost host;
        BackupCatalogue catalogue(*services, host);
        catalogue.LoadCatalogue();
        ASSERT_EQ(catalogue.ListedCount(), 1);
        catalogue.LoadBackupEntries(0);
        EXPECT_EQ(catalogue.Restore().restored, 2);
    }
    EXPECT_EQ(Query32(prefix), before);
    if (!std::getenv("DRENNOW_KEEP_TEST_PREFIX")) fs::remove_all(base);
}

}  // namespace
}  // namespace repair
