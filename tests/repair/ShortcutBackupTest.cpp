// Shortcut files saved in the backup before a repair deletes them, and put back by restore.
#include <gtest/gtest.h>

#include <string>

#include "repair/BackupCatalogue.h"
#include "repair/BackupWriter.h"
#include "repair/EntryText.h"
#include "repair/RepairCommand.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace repair {
namespace {

using fixtures::Hive;
using repairtest::ReadBytes;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunKey =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]";
constexpr const char* kSaved = "C:\\users\\Public\\Desktop\\Gone.lnk";
// Larger than any shortcut a backup carries: it cannot be saved, so it must stay.
constexpr const char* kTooLarge = "C:\\users\\Public\\Desktop\\Huge.lnk";

using fixtures::AddProblem;

class ShortcutBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        prefix.SetString(Hive::User, kRun, "Dead", "c:\\gone\\dead.exe");
        prefix.CreateShortcut(kSaved, "C:\\gone\\app.exe");
        prefix.CreateFile(kTooLarge, std::string(kMaxSavedShortcutBytes + 1, 'L'));
        AddProblem(results, 8, kRunKey, "\"Dead\"", "\"c:\\\\gone\\\\dead.exe\"");
        for (const char* path : {kSaved, kTooLarge})
            AddProblem(results, 14, std::string("[") + path + "]", "@",
                       "\"C:\\\\gone\\\\app.exe\"");
        savedBytes = ReadBytes(prefix.HostPath(kSaved));
    }
    RepairReport Repair(engine::Answer answer) {
        services = repairtest::OpenFixed(prefix);
        host.answers = {answer};
        return RepairCommand(results, lists, *services, host);
    }

    fixtures::TestPrefix prefix;
    engine::ScanResults results;
    engine::RepairLists lists;
    repairtest::ScriptedHost host;
    std::unique_ptr<platform::Services> services;
    std::string savedBytes;
};

TEST_F(ShortcutBackupTest, OnlyAFileSavedInTheBackupIsDeletedAndRegistryReadersSkipTheCopy) {
    const RepairReport report = Repair(engine::Answer::Yes);
    EXPECT_EQ(report.shortcuts.removed, 1);
    EXPECT_EQ(report.shortcuts.failed, 1);
    EXPECT_FALSE(prefix.Exists(kSaved));
    EXPECT_TRUE(prefix.Exists(kTooLarge));
    ASSERT_EQ(report.shortcuts.failures.size(), 1u);
    EXPECT_NE(report.shortcuts.failures[0].find(kTooLarge), std::string::npos);

    // The header still counts the registry entries alone, and every line pair that the
    // registry reading rule splits as a value line is a registry entry of the repair.
    engine::TextList lines;
    ASSERT_TRUE(ReadTextLines(*services, repairtest::kBackupWindowsPath, lines));
    engine::TextList pairs;
    for (const std::string& line : lines)
        if (!TrimAscii(line).empty()) pairs.emplace_back(TrimAscii(line));
    ASSERT_EQ(pairs.size(), 5u);
    EXPECT_EQ(HeaderRow(pairs[0]).count, 1);
    EXPECT_TRUE(SplitValueLine(pairs[2]));
    EXPECT_FALSE(SplitValueLine(pairs[4]));

    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    ASSERT_EQ(catalogue.ListedCount(), 1);
    EXPECT_EQ(catalogue.Rows()[0].count, 2);
    catalogue.LoadBackupEntries(0);
    EXPECT_EQ(catalogue.Entries().size(), 1u);
    ASSERT_EQ(catalogue.Shortcuts().size(), 1u);
    EXPECT_EQ(catalogue.Shortcuts()[0].path, kSaved);
    EXPECT_EQ(catalogue.Shortcuts()[0].bytes, savedBytes);
    EXPECT_EQ(catalogue.Problems().size(), 2u);
    EXPECT_EQ(catalogue.Problems()[1].kind, engine::ProblemKind::ShortcutFile);
    EXPECT_EQ(catalogue.DamagedLines(), 0);
}

TEST_F(ShortcutBackupTest, WithoutABackupNothingIsSavedAndEveryFileGoes) {
    const RepairReport report = Repair(engine::Answer::No);
    EXPECT_EQ(report.shortcuts.removed, 2);
    EXPECT_FALSE(prefix.Exists(kTooLarge));
    EXPECT_FALSE(prefix.Exists(repairtest::kBackupWindowsPath));
}

TEST_F(ShortcutBackupTest, RestorePutsTheFileBackIntoItsFolderMadeAgain) {
    Repair(engine::Answer::Yes);
    std::filesystem::remove_all(prefix.HostPath("C:\\users\\Public\\Desktop"));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    catalogue.LoadBackupEntries(0);
    const repair::RestoreOutcome outcome = catalogue.Restore();
    EXPECT_EQ(outcome.restored, 1);
    EXPECT_EQ(outcome.filesRestored, 1);
    EXPECT_EQ(outcome.filesFailed, 0);
    EXPECT_EQ(ReadBytes(prefix.HostPath(kSaved)), savedBytes);
    EXPECT_EQ(host.boxes.back().text, "Restore Successed!");
}

}  // namespace
}  // namespace repair
