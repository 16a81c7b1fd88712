// Writing saved entries back into a real prefix's registry, and what the user is told.
#include <gtest/gtest.h>

#include "repair/BackupCatalogue.h"
#include "repair/RestoreEntries.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"

namespace repair {
namespace {

using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using repairtest::Query;
using repairtest::RegValue;

class RestoreTest : public ::testing::Test {
protected:
    fixtures::TestPrefix prefix;
    std::unique_ptr<platform::Services> services = prefix.Open();
    repairtest::ScriptedHost host;
    std::string BackupPath() const { return prefix.HostPath(repairtest::kBackupWindowsPath); }
};

TEST_F(RestoreTest, EveryDataFormIsWrittenAsItWas) {
    ASSERT_TRUE(services);
    const std::vector<repair::BackupEntry> entries = {
        {"[HKEY_LOCAL_MACHINE\\Software\\Example]", "\"Path\"", "\"c:\\\\old\\\\Tool.EXE\""},
        {"[HKEY_CURRENT_USER\\Software\\Example\\Run]", "@", "dword:0000000a"},
        {"[HKEY_CURRENT_USER\\Software\\Example\\Run]", "\"Upper\"", "DWORD:0000000A"},
        {"[HKEY_CURRENT_USER\\Software\\Example]", "\"Exp\"", "hex(2):97,00,98,00,00,00"},
        {"[HKEY_CURRENT_USER\\Software\\Example]", "\"Multi\\nLine\"", "\"a\\rb\\nc\""},
    };
    const repair::RestoreOutcome outcome = repair::RestoreEntries(*services, host, entries);
    EXPECT_EQ(outcome.restored, 5);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_EQ(host.waitDepth, 0);
    EXPECT_EQ(host.waitCursors, 1);

    EXPECT_EQ(Query(*services, HKEY_LOCAL_MACHINE, "Software\\Example", "Path"),
              repairtest::Sz("c:\\old\\Tool.EXE"));
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\Example\\Run", ""),
              repairtest::Dword(10));
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\Example\\Run", "Upper"),
              repairtest::Dword(10));
    const RegValue expand{platform::REG_EXPAND_SZ, {'a', 'b', 0}};
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\Example", "Exp"), expand);
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\Example", "Multi\nLine"),
              repairtest::Sz("a\rb\nc"));
}

TEST_F(RestoreTest, MalformedEntriesAreSkippedAndCountedTheRestStillRestored) {
    ASSERT_TRUE(services);
    const std::vector<repair::BackupEntry> entries = {
        {"[HKEY_CURRENT_USER]", "@", "\"x\""},
        {"HKEY_CURRENT_USER\\Software\\NoBrackets", "@", "\"x\""},
        {"[HKEY_CURRENT_CONFIG\\Software\\X]", "@", "\"x\""},
        {"[HKEY_CURRENT_USER\\Software\\Bad]", "\"n\"", "hex:01,02"},
        {"[HKEY_CURRENT_USER\\Software\\Bad]", "\"\"", "\"x\""},
        {"[HKEY_CURRENT_USER\\Software\\Good]", "\"n\"", "\"kept\""},
    };
    const repair::RestoreOutcome outcome = repair::RestoreEntries(*services, host, entries);
    EXPECT_EQ(outcome.restored, 1);
    EXPECT_EQ(outcome.failed, 5);
    EXPECT_EQ(outcome.failures.size(), 5u);
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\Good", "n"), repairtest::Sz("kept"));
    EXPECT_FALSE(repairtest::KeyExists(*services, HKEY_CURRENT_USER, "Software\\NoBrackets"));
    EXPECT_FALSE(Query(*services, HKEY_CURRENT_USER, "Software\\Bad", "n"));
}

TEST_F(RestoreTest, RestoreFromTheCatalogueIsCommittedAndSaysSuccessed) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(
        BackupPath(), repairtest::Crlf("\n>>   1/1/2026  0:0:0  >>2\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\R]\n\"A\"=\"Text\"\n\n"
                                       "[HKEY_LOCAL_MACHINE\\Software\\R]\n@=dword:00000007\n\n"));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    catalogue.LoadBackupEntries(0);
    const repair::RestoreOutcome outcome = catalogue.Restore();
    EXPECT_EQ(outcome.restored, 2);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Restore Successed!");
    EXPECT_EQ(host.boxes[0].caption, "Information");
    EXPECT_EQ(host.boxes[0].style, engine::Icon::Information);
    EXPECT_FALSE(services->HasUncommittedChanges());
    // What the restore wrote is on disk: a fresh backend reads it back.
    auto reopened = prefix.Open();
    ASSERT_TRUE(reopened);
    EXPECT_EQ(Query(*reopened, HKEY_CURRENT_USER, "Software\\R", "A"), repairtest::Sz("Text"));
    EXPECT_EQ(Query(*reopened, HKEY_LOCAL_MACHINE, "Software\\R", ""), repairtest::Dword(7));
}

TEST_F(RestoreTest, PartlyFailedRestoreGivesTheNumbers) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(),
                           repairtest::Crlf(">>   1/1/2026  0:0:0  >>2\n"
                                            "[HKEY_CURRENT_USER\\Software\\R]\n\"A\"=\"Text\"\n"
                                            "[HKEY_PERFORMANCE_DATA\\R]\n@=dword:00000007\n"));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    catalogue.LoadBackupEntries(0);
    const repair::RestoreOutcome outcome = catalogue.Restore();
    EXPECT_EQ(outcome.restored, 1);
    EXPECT_EQ(outcome.failed, 1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text, "Restore Successed!");
    EXPECT_NE(host.boxes[0].text.find("1 entry restored, 1 could not be restored"),
              std::string::npos)
        << host.boxes[0].text;
    EXPECT_NE(host.boxes[0].text.find("HKEY_PERFORMANCE_DATA"), std::string::npos);
}

TEST_F(RestoreTest, DamagedLinesAreSkippedAloneAndEveryLaterEntryIsRestored) {
    ASSERT_TRUE(services);
    // An entry cut to its key line, a value line without its key and a stray line: read by
    // position, each would shift every later pair of the block.
    repairtest::WriteBytes(
        BackupPath(), repairtest::Crlf("\n>>   1/1/2026  0:0:0  >>5\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\D]\n\"1\"=\"one\"\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\Cut]\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\D]\n\"2\"=\"two\"\n\n"
                                       "\"orphan\"=\"x\"\nstray\n"
                                       "[HKEY_CURRENT_USER\\Software\\D]\n\"3\"=\"three\"\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\D]\n@=dword:00000004\n\n"));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    catalogue.LoadBackupEntries(0);
    EXPECT_EQ(catalogue.DamagedLines(), 3);
    std::vector<std::string> names;
    for (const BackupEntry& entry : catalogue.Entries()) names.push_back(entry.nameText);
    EXPECT_EQ(names, (std::vector<std::string>{"\"1\"", "\"2\"", "\"3\"", "@"}));
    EXPECT_EQ(catalogue.Problems().size(), 4u);

    const repair::RestoreOutcome outcome = catalogue.Restore();
    EXPECT_EQ(outcome.restored, 4);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\D", "3"), repairtest::Sz("three"));
    EXPECT_EQ(Query(*services, HKEY_CURRENT_USER, "Software\\D", ""), repairtest::Dword(4));
    EXPECT_FALSE(repairtest::KeyExists(*services, HKEY_CURRENT_USER, "Software\\Cut"));
    // Another row's reading starts afresh.
    catalogue.LoadBackupEntries(1);
    EXPECT_EQ(catalogue.DamagedLines(), 0);
}

}  // namespace
}  // namespace repair
