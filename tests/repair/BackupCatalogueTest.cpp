// The backup list, a backup's entries and deleting a backup, on a real backup file.
#include <gtest/gtest.h>

#include <filesystem>

#include "repair/BackupCatalogue.h"
#include "repair/BackupWriter.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"

namespace repair {
namespace {

using repairtest::Crlf;
using repairtest::ReadBytes;

// Three blocks as WriteBackup writes them, with counts 2, 0 and 3.
const char* const kThreeBlocks =
    "\n>>   4/5/2026  21:6:3  >>2\n\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Example]\n\"Path\"=\"c:\\\\old\\\\tool.exe\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\Example\\Run]\n@=dword:0000000a\n\n"
    "\n>>   5/5/2026  8:0:0  >>0\n\n"
    "\n>>   6/5/2026  10:11:12  >>3\n\n"
    "[HKEY_CURRENT_USER\\Software\\A]\n\"x=dword:1\"=dword:0000000B\n\n"
    "[HKEY_CURRENT_USER\\Software\\B]\n\"q\\\"=\\\"\"=\"Mixed Case\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\C]\n@=hex(2):97,00,00,00\n\n";

class CatalogueTest : public ::testing::Test {
protected:
    fixtures::TestPrefix prefix;
    std::unique_ptr<platform::Services> services = prefix.Open();
    repairtest::ScriptedHost host;
    std::string BackupPath() const { return prefix.HostPath(repairtest::kBackupWindowsPath); }
};

TEST_F(CatalogueTest, ListsOnlyBlocksWithACountAboveZero) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(), Crlf(kThreeBlocks));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    ASSERT_EQ(catalogue.ListedCount(), 2);
    EXPECT_EQ(catalogue.Rows()[0].time, "4/5/2026  21:6:3");
    EXPECT_EQ(catalogue.Rows()[0].count, 2);
    EXPECT_EQ(catalogue.Rows()[1].time, "6/5/2026  10:11:12");
    EXPECT_EQ(catalogue.Rows()[1].count, 3);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(CatalogueTest, SecondRowLoadsTheEntriesOfTheThirdBlock) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(), Crlf(kThreeBlocks));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    catalogue.LoadBackupEntries(1);
    EXPECT_EQ(catalogue.Entries(),
              (std::vector<BackupEntry>{
                  {"[HKEY_CURRENT_USER\\Software\\A]", "\"x=dword:1\"", "dword:0000000B"},
                  {"[HKEY_CURRENT_USER\\Software\\B]", "\"q\\\"=\\\"\"", "\"Mixed Case\""},
                  {"[HKEY_CURRENT_USER\\Software\\C]", "@", "hex(2):97,00,00,00"}}));
    EXPECT_EQ(catalogue.DamagedLines(), 0);
    catalogue.LoadBackupEntries(0);
    EXPECT_EQ(catalogue.Entries().size(), 2u);
    EXPECT_EQ(catalogue.Entries()[1].nameText, "@");
    catalogue.LoadBackupEntries(2);
    EXPECT_TRUE(catalogue.Entries().empty());
}

TEST_F(CatalogueTest, DeletingTheSecondRowKeepsTheOtherBlocksTrimmed) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(), Crlf(kThreeBlocks));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    catalogue.LoadBackupEntries(1);
    ASSERT_TRUE(catalogue.DeleteBackup(1));
    EXPECT_TRUE(catalogue.Entries().empty());
    ASSERT_EQ(catalogue.ListedCount(), 1);
    EXPECT_EQ(catalogue.Rows()[0].count, 2);
    EXPECT_EQ(ReadBytes(BackupPath()),
              Crlf(">>   4/5/2026  21:6:3  >>2\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\Example]\n\"Path\"=\"c:\\\\old\\\\tool.exe\"\n"
                   "[HKEY_CURRENT_USER\\Software\\Example\\Run]\n@=dword:0000000a\n"
                   ">>   5/5/2026  8:0:0  >>0\n"));
    // The file reads the same after the rewrite: a fresh catalogue agrees.
    BackupCatalogue again(*services, host);
    again.LoadCatalogue();
    ASSERT_EQ(again.ListedCount(), 1);
    again.LoadBackupEntries(0);
    EXPECT_EQ(again.Entries().size(), 2u);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(CatalogueTest, DeletingTheOnlyBlockLeavesAnEmptyFile) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(),
                           Crlf("\n>>   1/1/2026  0:0:0  >>1\n\n[HKEY_USERS\\x]\n@=\"y\"\n\n"));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    ASSERT_TRUE(catalogue.DeleteBackup(0));
    EXPECT_EQ(ReadBytes(BackupPath()), "");
    catalogue.LoadCatalogue();
    EXPECT_EQ(catalogue.ListedCount(), 0);
}

TEST_F(CatalogueTest, FailedRewriteKeepsListAndFileAndSaysSo) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(), Crlf(kThreeBlocks));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    // The folder turns into a file after loading: the rewrite cannot happen.
    const std::string folder = prefix.HostPath("C:\\Program Files\\Norlix Drennow\\backup");
    std::filesystem::remove_all(folder);
    repairtest::WriteBytes(folder, "blocker");
    EXPECT_FALSE(catalogue.DeleteBackup(0));
    EXPECT_EQ(catalogue.ListedCount(), 2);
    EXPECT_EQ(ReadBytes(folder), "blocker");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Information");
    EXPECT_NE(host.boxes[0].text.find("could not be deleted"), std::string::npos);
}

TEST_F(CatalogueTest, FileChangedSinceListingIsNotRewrittenOverTheChange) {
    ASSERT_TRUE(services);
    repairtest::WriteBytes(BackupPath(), Crlf(kThreeBlocks));
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    // Another Drennow deletes the first backup after this list was read: the list's first
    // row is now the file's only listed block, which must not go in its stead.
    BackupCatalogue other(*services, host);
    other.LoadCatalogue();
    ASSERT_TRUE(other.DeleteBackup(0));
    const std::string changed = ReadBytes(BackupPath());
    EXPECT_FALSE(catalogue.DeleteBackup(0));
    EXPECT_EQ(ReadBytes(BackupPath()), changed);
    EXPECT_EQ(catalogue.ListedCount(), 2);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find("was changed by another program since the backups were "
                                      "listed; nothing was deleted"),
              std::string::npos)
        << host.boxes[0].text;
    // Listed again, the deletion goes through.
    catalogue.LoadCatalogue();
    EXPECT_TRUE(catalogue.DeleteBackup(0));
    EXPECT_EQ(ReadBytes(BackupPath()), Crlf(">>   5/5/2026  8:0:0  >>0\n"));
}

TEST_F(CatalogueTest, MissingFileAndOddHeadersGiveNoRows) {
    ASSERT_TRUE(services);
    BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    EXPECT_EQ(catalogue.ListedCount(), 0);
    // Counts that are empty, not a number, negative; a header indented (never listed, but it
    // still ends the block before it); a value line of no known form; a key without partner.
    repairtest::WriteBytes(BackupPath(),
                           Crlf(">>   1/1/2026  0:0:0  >>\n[HKEY_USERS\\a]\n@=\"a\"\n"
                                ">> x >>abc\n>> x >>-4\n"
                                ">>   2/1/2026  0:0:0  >> 2 \n"
                                "[HKEY_USERS\\b]\n@=\"b\"\n[HKEY_USERS\\c]\nc=\"x\"\n"
                                "  >>   3/1/2026  0:0:0  >>5\n[HKEY_USERS\\d]\n@=\"d\"\n"
                                ">>   4/1/2026  0:0:0  >>1\n[HKEY_USERS\\e]\n@=\"e\"\n"
                                "[HKEY_USERS\\lonely]\n"));
    catalogue.LoadCatalogue();
    ASSERT_EQ(catalogue.ListedCount(), 2);
    EXPECT_EQ(catalogue.Rows()[0].count, 2);
    catalogue.LoadBackupEntries(0);
    EXPECT_EQ(catalogue.Entries(), (std::vector<BackupEntry>{{"[HKEY_USERS\\b]", "@", "\"b\""}}));
    EXPECT_EQ(catalogue.DamagedLines(), 2);  // [c] and its line of no known form
    catalogue.LoadBackupEntries(1);
    EXPECT_EQ(catalogue.Entries(), (std::vector<BackupEntry>{{"[HKEY_USERS\\e]", "@", "\"e\""}}));
    EXPECT_EQ(catalogue.DamagedLines(), 1);  // the key without partner
}

TEST(HeaderRow, TimeIsTrimmedAndCountIsANumber) {
    BackupRow row = HeaderRow(">>   4/5/2026  21:6:3  >>2");
    EXPECT_EQ(row.time, "4/5/2026  21:6:3");
    EXPECT_EQ(row.count, 2);
    row = HeaderRow(">>x7");
    EXPECT_EQ(row.time, "");
    EXPECT_EQ(row.count, 7);
    EXPECT_EQ(HeaderRow(">> t >> 3").count, 3);
    EXPECT_EQ(HeaderRow(">> t >>+3").count, 3);
    EXPECT_EQ(HeaderRow(">> t >>0").count, 0);
    EXPECT_EQ(HeaderRow(">> t >>-1").count, -1);
    EXPECT_EQ(HeaderRow(">> t >>x").count, 0);
    EXPECT_EQ(HeaderRow(">> t >>").count, 0);
}

}  // namespace
}  // namespace repair
