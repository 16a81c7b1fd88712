// The whole repair on a real prefix: the question, the backup, the deletions and the messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "repair/RepairCommand.h"
#include "repair/BrowserSettings.h"
#include "repair/ShortcutBackup.h"
#include "tests/fixtures/FakeWineServer.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace repair {
namespace {

using fixtures::Hive;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using repairtest::Query;
namespace fs = std::filesystem;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunKey =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";
constexpr const char* kShortcut = "C:\\users\\Public\\Desktop\\Gone.lnk";

using fixtures::AddProblem;

class RepairCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        prefix.SetString(Hive::User, kRun, "Dead", "c:\\gone\\dead.exe");
        prefix.SetString(Hive::User, kRun, "Kept", "c:\\gone\\kept.exe");
        prefix.SetString(Hive::System, "Software\\Classes\\CLSID\\{1}\\InprocServer32", "",
                         "c:\\gone\\x.dll");
        prefix.CreateFolder("C:\\target");
        prefix.CreateShortcut(kShortcut, "C:\\gone\\app.exe");
        AddProblem(results, 8, kRunKey, "\"Dead\"", "\"c:\\\\gone\\\\dead.exe\"");
        AddProblem(results, 8, kRunKey, "\"Kept\"", "\"c:\\\\gone\\\\kept.exe\"", false);
        AddProblem(results, 2,
                   "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{1}\\InprocServer32]", "@",
                   "\"c:\\\\gone\\\\x.dll\"");
        AddProblem(results, 14, std::string("[") + kShortcut + "]", "@",
                   "\"C:\\\\gone\\\\app.exe\"");
    }

    std::unique_ptr<platform::Services> Reopen() { return prefix.Open(); }
    bool ShortcutExists() const { return prefix.Exists(kShortcut); }
    std::string BackupPath() const { return prefix.HostPath(repairtest::kBackupWindowsPath); }
    bool DeadValuesPresent(platform::Services& s) {
        return Query(s, HKEY_CURRENT_USER, kRun, "Dead") &&
               Query(s, HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\{1}\\InprocServer32", "");
    }

    // Rewrites user.reg as another program would after it was read; returns its new text.
    std::string ChangeUserHiveOnDisk() {
        const std::string hive = prefix.HivePath(Hive::User);
        const std::string changed = prefix.ReadHive(Hive::User) + "\n";
        repairtest::WriteBytes(hive, changed);
        fs::last_write_time(hive, fs::last_write_time(hive) + std::chrono::seconds(5));
        return changed;
    }

    fixtures::TestPrefix prefix;
    engine::ScanResults results;
    engine::RepairLists lists;
    repairtest::ScriptedHost host;
};

TEST_F(RepairCommandTest, YesSavesTheBackupThenDeletesAndReportsTheTotal) {
    auto services = repairtest::OpenFixed(prefix);
    ASSERT_TRUE(services);
    const std::string shortcutCopy =
        SavedShortcutText({kShortcut, repairtest::ReadBytes(prefix.HostPath(kShortcut))});
    host.answers = {engine::Answer::Yes};
    const RepairReport report = RepairCommand(results, lists, *services, host);

    EXPECT_EQ(report.end, RepairReport::End::Done);
    EXPECT_TRUE(report.backupWritten);
    EXPECT_EQ(report.registry.removed, 2);
    EXPECT_EQ(report.shortcuts.removed, 1);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].text, "Do you want to save a backup before repairing(Recommended)?");
    EXPECT_EQ(host.boxes[0].caption, "Information");
    EXPECT_EQ(host.boxes[0].style.Win32(), 0x23u);
    EXPECT_EQ(host.boxes[1].text, "Total 3 problem(s) have been repaired successfully!");
    EXPECT_EQ(host.boxes[1].caption, "");
    EXPECT_EQ(host.boxes[1].style, engine::Buttons::Ok);
    EXPECT_EQ(host.screens, (std::vector<int>{4}));

    EXPECT_EQ(
        repairtest::ReadBytes(BackupPath()),
        repairtest::Crlf(std::string("\n>>   4/5/2026  21:6:3  >>2\n\n"
                                     "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{1}\\"
                                     "InprocServer32]\n@=\"c:\\\\gone\\\\x.dll\"\n\n") +
                         kRunKey + "\n\"Dead\"=\"c:\\\\gone\\\\dead.exe\"\n\n" + shortcutCopy));
    auto after = Reopen();
    ASSERT_TRUE(after);
    EXPECT_FALSE(Query(*after, HKEY_CURRENT_USER, kRun, "Dead"));
    EXPECT_FALSE(
        Query(*after, HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\{1}\\InprocServer32", ""));
    EXPECT_TRUE(Query(*after, HKEY_CURRENT_USER, kRun, "Kept"));
    // The key of a deleted value stays; only values are ever removed.
    EXPECT_TRUE(repairtest::KeyExists(*after, HKEY_LOCAL_MACHINE,
                                      "Software\\Classes\\CLSID\\{1}\\InprocServer32"));
    EXPECT_FALSE(ShortcutExists());
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop"));
    EXPECT_TRUE(prefix.Exists("C:\\target"));
}

TEST_F(RepairCommandTest, CancelChangesNothingAndSaysNothingMore) {
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    host.answers = {engine::Answer::Cancel};
    const RepairReport report = RepairCommand(results, lists, *services, host);
    EXPECT_EQ(report.end, RepairReport::End::Cancelled);
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.screens.empty());
    EXPECT_FALSE(fs::exists(BackupPath()));
    EXPECT_TRUE(ShortcutExists());
    auto after = Reopen();
    ASSERT_TRUE(after);
    EXPECT_TRUE(DeadValuesPresent(*after));
}

TEST_F(RepairCommandTest, NoDeletesWithoutABackup) {
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    host.answers = {engine::Answer::No};
    const RepairReport report = RepairCommand(results, lists, *services, host);
    EXPECT_EQ(report.end, RepairReport::End::Done);
    EXPECT_FALSE(report.backupWritten);
    EXPECT_FALSE(fs::exists(BackupPath()));
    EXPECT_FALSE(ShortcutExists());
    auto after = Reopen();
    ASSERT_TRUE(after);
    EXPECT_FALSE(Query(*after, HKEY_CURRENT_USER, kRun, "Dead"));
}

TEST_F(RepairCommandTest, EveryRecordLeftStillAsksAndRepairsNone) {
    for (auto& section : results.sections) {
        for (engine::Problem& problem : section.problems) problem.repair = false;
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    host.answers = {engine::Answer::Yes};
    RepairCommand(results, lists, *services, host);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].text, "Total 0 problem(s) have been repaired successfully!");
    EXPECT_TRUE(ShortcutExists());
    // Yes still writes a block, with no entries.
    EXPECT_EQ(repairtest::ReadBytes(BackupPath()).find(">>0\r\n\r\n") != std::string::npos, true);
}

TEST_F(RepairCommandTest, UnwritableBackupStopsBeforeAnyDeletion) {
    prefix.CreateFile("C:\\Program Files\\Norlix Drennow\\backup", "in the way");
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    host.answers = {engine::Answer::Yes};
    const RepairReport report = RepairCommand(results, lists, *services, host);
    EXPECT_EQ(report.end, RepairReport::End::BackupFailed);
    EXPECT_EQ(report.Repaired(), 0);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_NE(host.boxes[1].text.find("backup could not be saved"), std::string::npos);
    EXPECT_TRUE(host.screens.empty());
    EXPECT_FALSE(services->HasUncommittedChanges());
    EXPECT_TRUE(ShortcutExists());
    auto after = Reopen();
    ASSERT_TRUE(after);
    EXPECT_TRUE(DeadValuesPresent(*after));
}

TEST_F(RepairCommandTest, RunningWineserverRefusesTheRepair) {
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    fixtures::FakeWineServer server(prefix.Dir());
    ASSERT_TRUE(server.Running());
    const std::string userHive = prefix.ReadHive(Hive::User);
    host.answers = {engine::Answer::No};
    const RepairReport report = RepairCommand(results, lists, *services, host);
    EXPECT_NE(report.end, RepairReport::End::Done);
    EXPECT_EQ(report.Repaired(), 0);
    EXPECT_TRUE(ShortcutExists());
    EXPECT_EQ(prefix.ReadHive(Hive::User), userHive);
    // Refused before the backup question, which would be answered for nothing.
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find("Nothing has been repaired"), std::string::npos);
    EXPECT_NE(host.boxes[0].text.find("wineserver -k"), std::string::npos) << host.boxes[0].text;
}

TEST_F(RepairCommandTest, FailedCommitDeletesNoShortcutFile) {
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    // Someone else rewrites the hive while the backup question is open: ours must not
    // overwrite it.
    std::string changed;
    host.onBox = [&] {
        if (changed.empty()) changed = ChangeUserHiveOnDisk();
    };
    host.answers = {engine::Answer::No};
    const RepairReport report = RepairCommand(results, lists, *services, host);
    host.onBox = nullptr;
    EXPECT_NE(report.end, RepairReport::End::Done);
    EXPECT_EQ(report.shortcuts.removed, 0);
    EXPECT_TRUE(ShortcutExists());
    EXPECT_EQ(prefix.ReadHive(Hive::User), changed);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_NE(host.boxes[1].text.find("othing has been repaired"), std::string::npos)
        << host.boxes[1].text;
    // The next save (a browser setting) writes the setting, not the refused deletions.
    ASSERT_TRUE(ApplyRegeditLock(*services, host, true).ok());
    const std::string after = prefix.ReadHive(Hive::User);
    EXPECT_NE(after.find("\"Dead\""), std::string::npos);
    EXPECT_NE(after.find("\"DisableRegistryTools\"=dword:00000001"), std::string::npos);
}

// A hive another program changed since the scan is refused before the backup question; the
// window's refusal asks whether to scan again.
TEST_F(RepairCommandTest, HiveChangedSinceTheScanIsRefusedBeforeTheQuestion) {
    const struct {
        bool offer;
        engine::Answer answer;
        engine::BoxStyle style;
        bool scanAgain;
    } cases[] = {
        {false, engine::Answer::Ok, engine::Icon::Information, false},
        {true, engine::Answer::Yes, {engine::Buttons::YesNo, engine::Icon::Question}, true},
        {true, engine::Answer::No, {engine::Buttons::YesNo, engine::Icon::Question}, false},
    };
    for (const auto& c : cases) {
        auto services = prefix.Open();
        const std::string changed = ChangeUserHiveOnDisk();
        host.boxes.clear();
        host.answers = {c.answer};
        const RepairReport report = RepairCommand(results, lists, *services, host, c.offer);
        EXPECT_EQ(report.end, RepairReport::End::Refused);
        EXPECT_EQ(report.scanAgain, c.scanAgain);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(
            host.boxes[0].text.find("Nothing has been repaired: " + prefix.HivePath(Hive::User) +
                                    " was changed by another program"),
            0u)
            << host.boxes[0].text;
        EXPECT_NE(host.boxes[0].text.find("Scan again"), std::string::npos);
        EXPECT_EQ(host.boxes[0].style, c.style);
        EXPECT_EQ(prefix.ReadHive(Hive::User), changed);
        EXPECT_TRUE(ShortcutExists());
    }
}

// The backup is saved before the deletions; when the commit is then refused, nothing was
// removed, so the backup block must go again: with or without earlier backups in the file.
TEST_F(RepairCommandTest, RefusedCommitLeavesTheBackupFileAsItWas) {
    const std::optional<std::string> earlierBackups[] = {
        std::nullopt,
        repairtest::Crlf("\n>>   1/2/2026  3:4:5  >>1\n\n[HKEY_CURRENT_USER\\Software\\Old]\n"
                         "\"Name\"=\"c:\\\\old.exe\"\n\n"),
    };
    for (const auto& earlier : earlierBackups) {
        SCOPED_TRACE(earlier ? "earlier backups" : "no backup file");
        if (earlier) repairtest::WriteBytes(BackupPath(), *earlier);
        else fs::remove(BackupPath());
        auto services = repairtest::OpenFixed(prefix);
        ASSERT_TRUE(services);
        std::string changed;
        host.onBox = [&] {
            if (changed.empty()) changed = ChangeUserHiveOnDisk();
        };
        host.answers = {engine::Answer::Yes};
        host.boxes.clear();
        const RepairReport report = RepairCommand(results, lists, *services, host);
        host.onBox = nullptr;
        EXPECT_EQ(report.end, RepairReport::End::CommitFailed);
        EXPECT_FALSE(report.backupWritten);
        EXPECT_EQ(fs::exists(BackupPath()), earlier.has_value());
        if (earlier) {
            EXPECT_EQ(repairtest::ReadBytes(BackupPath()), *earlier);
        }
        EXPECT_EQ(prefix.ReadHive(Hive::User), changed);
    }
}

TEST_F(RepairCommandTest, OutcomesCountWhatHappened) {
    engine::ScanResults odd;
    // The same value twice (the second is already gone), a value never there, a key that no
    // longer exists, and a key line no scan writes.
    AddProblem(odd, 8, kRunKey, "\"Dead\"", "\"x\"");
    AddProblem(odd, 8, kRunKey, "\"Dead\"", "\"x\"");
    AddProblem(odd, 8, kRunKey, "\"NeverThere\"", "\"x\"");
    AddProblem(odd, 3, "[HKEY_CURRENT_USER\\Software\\GoneKey]", "\"v\"", "\"x\"");
    AddProblem(odd, 3, "[HKEY_CURRENT_CONFIG\\Software\\X]", "\"v\"", "\"x\"");
    AddProblem(odd, 14, "[C:\\users\\Public\\Desktop\\NotThere.lnk]", "@", "\"x\"");
    // A folder where a shortcut file was: deleting it as a file fails.
    AddProblem(odd, 14, "[C:\\target]", "@", "\"x\"");
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    host.answers = {engine::Answer::No};
    const RepairReport report = RepairCommand(odd, lists, *services, host);
    EXPECT_EQ(report.registry.removed, 1);
    EXPECT_EQ(report.registry.alreadyAbsent, 3);
    EXPECT_EQ(report.registry.failed, 1);
    EXPECT_EQ(report.shortcuts.alreadyAbsent, 1);
    EXPECT_EQ(report.shortcuts.failed, 1);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].text.rfind("Total 5 problem(s) have been repaired successfully!\n", 0),
              0u)
        << host.boxes[1].text;
    EXPECT_NE(host.boxes[1].text.find("2 problem(s) could not be repaired"), std::string::npos);
    EXPECT_NE(host.boxes[1].text.find("HKEY_CURRENT_CONFIG"), std::string::npos);
    // The repair log lists what is gone, not the entries that failed.
    ASSERT_EQ(lists.repaired.size(), 5u);
    for (const engine::Problem& problem : lists.repaired)
        EXPECT_EQ(problem.key.find("HKEY_CURRENT_CONFIG"), std::string::npos);
    EXPECT_EQ(lists.repaired[4].key, "C:\\users\\Public\\Desktop\\NotThere.lnk");
    EXPECT_TRUE(prefix.Exists("C:\\target"));
    // Deleting never creates a key that was gone.
    auto after = Reopen();
    ASSERT_TRUE(after);
    EXPECT_FALSE(repairtest::KeyExists(*after, HKEY_CURRENT_USER, "Software\\GoneKey"));
}

TEST_F(RepairCommandTest, NameWithQuoteAndEqualsDeletesOnlyItself) {
    prefix.SetString(Hive::User, "Software\\Q", "a", "keep me");
    prefix.SetString(Hive::User, "Software\\Q", "a\"=b", "c:\\gone.exe");
    prefix.SetString(Hive::User, "Software\\Q", "back\\slash", "c:\\gone.exe");
    prefix.SetString(Hive::User, "Software\\Q", "x", "1");
    engine::ScanResults quoted;
    AddProblem(quoted, 3, "[HKEY_CURRENT_USER\\Software\\Q]", "\"a\\\"=b\"", "\"c:\\\\gone.exe\"");
    AddProblem(quoted, 3, "[HKEY_CURRENT_USER\\Software\\Q]", "\"back\\\\slash\"",
               "\"c:\\\\gone.exe\"");
    AddProblem(quoted, 3, "[HKEY_CURRENT_USER\\Software\\Q]", "\"x\"", "\"1\"");
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    host.answers = {engine::Answer::No};
    const RepairReport report = RepairCommand(quoted, lists, *services, host);
    EXPECT_EQ(report.registry.removed, 3);
    auto after = Reopen();
    ASSERT_TRUE(after);
    EXPECT_EQ(Query(*after, HKEY_CURRENT_USER, "Software\\Q", "a"), repairtest::Sz("keep me"));
    EXPECT_FALSE(Query(*after, HKEY_CURRENT_USER, "Software\\Q", "a\"=b"));
    EXPECT_FALSE(Query(*after, HKEY_CURRENT_USER, "Software\\Q", "back\\slash"));
    EXPECT_FALSE(Query(*after, HKEY_CURRENT_USER, "Software\\Q", "x"));
}

}  // namespace
}  // namespace repair
