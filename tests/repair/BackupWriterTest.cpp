// The backup file as WriteBackup leaves it on disk, byte for byte, and where it goes.
#include <gtest/gtest.h>

#include <filesystem>

#include "repair/BackupLocation.h"
#include "repair/BackupWriter.h"
#include "tests/repair/RepairTestSupport.h"

namespace repair {
namespace {

using repairtest::Crlf;
using repairtest::ReadBytes;

engine::RepairLists TwoEntries() {
    engine::RepairLists lists;
    lists.registry = {{R"([HKEY_LOCAL_MACHINE\Software\Example])", R"("Path"="c:\\old\\tool.exe")"},
                      {R"([HKEY_CURRENT_USER\Software\Example\Run])", "@=dword:0000000a"}};
    return lists;
}

const char* const kTwoEntryBlock =
    "\n"
    ">>   4/5/2026  21:6:3  >>2\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Example]\n"
    "\"Path\"=\"c:\\\\old\\\\tool.exe\"\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Example\\Run]\n"
    "@=dword:0000000a\n"
    "\n";

class BackupWriterTest : public ::testing::Test {
protected:
    fixtures::TestPrefix prefix;
    std::unique_ptr<repairtest::FixedTimeServices> services = repairtest::OpenFixed(prefix);
    std::string BackupPath() const { return prefix.HostPath(repairtest::kBackupWindowsPath); }
};

TEST_F(BackupWriterTest, FirstBackupMakesTheFolderAndWritesTheBlockWithCrLf) {
    ASSERT_TRUE(services);
    ASSERT_FALSE(std::filesystem::exists(prefix.HostPath("C:\\Program Files\\Norlix Drennow")));
    const platform::Status status = WriteBackup(*services, TwoEntries());
    ASSERT_TRUE(status.ok()) << status.message;
    EXPECT_EQ(ReadBytes(BackupPath()), Crlf(kTwoEntryBlock));
}

TEST_F(BackupWriterTest, ConsecutiveBackupsAreSeparatedByTwoEmptyLines) {
    ASSERT_TRUE(services);
    ASSERT_TRUE(WriteBackup(*services, TwoEntries()).ok());
    services->SetTime({2027, 1, 1, 9, 5, 3});
    engine::RepairLists shortcutsOnly;
    shortcutsOnly.shortcuts = {"C:\\a.lnk"};
    ASSERT_TRUE(WriteBackup(*services, shortcutsOnly).ok());
    // A repair of shortcut files only leaves a block of count 0 with no entries.
    EXPECT_EQ(ReadBytes(BackupPath()),
              Crlf(std::string(kTwoEntryBlock) + "\n>>   1/1/2027  9:5:3  >>0\n\n"));
}

TEST_F(BackupWriterTest, ExistingLinesAreCopiedWholeAndGetTheirLineEnd) {
    ASSERT_TRUE(services);
    const std::string longLine(300, 'k');
    // A file as a delete leaves it, whose last line lost its line end.
    repairtest::WriteBytes(BackupPath(),
                           ">>   1/1/2026  1:2:3  >>1\r\n[" + longLine + "]\r\n@=dword:00000001");
    ASSERT_TRUE(WriteBackup(*services, TwoEntries()).ok());
    EXPECT_EQ(ReadBytes(BackupPath()), Crlf(">>   1/1/2026  1:2:3  >>1\n[" + longLine +
                                            "]\n@=dword:00000001\n" + kTwoEntryBlock));
}

TEST_F(BackupWriterTest, BlockedFolderFailsAndWritesNothing) {
    ASSERT_TRUE(services);
    // A file named "backup" stands where the folder should be.
    prefix.CreateFile("C:\\Program Files\\Norlix Drennow\\backup", "not a folder");
    const platform::Status status = WriteBackup(*services, TwoEntries());
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message.empty());
    EXPECT_EQ(ReadBytes(prefix.HostPath("C:\\Program Files\\Norlix Drennow\\backup")),
              "not a folder");
}

TEST_F(BackupWriterTest, EntryWithALineBreakIsRefusedAndTheFileStays) {
    ASSERT_TRUE(services);
    ASSERT_TRUE(WriteBackup(*services, TwoEntries()).ok());
    engine::RepairLists lists;
    lists.registry = {{"[HKEY_CURRENT_USER\\bad\nkey]", "@=dword:00000001"}};
    EXPECT_FALSE(WriteBackup(*services, lists).ok());
    EXPECT_EQ(ReadBytes(BackupPath()), Crlf(kTwoEntryBlock));
}

TEST_F(BackupWriterTest, BackupLivesInTheProgramFolderOfThePrefix) {
    ASSERT_TRUE(services);
    EXPECT_EQ(ProgramFolder(*services), "C:\\Program Files\\Norlix Drennow\\");
    EXPECT_EQ(BackupFile(*services), repairtest::kBackupWindowsPath);
}

TEST(BackupLocation, FolderAndFileFromTheProgramFolder) {
    EXPECT_EQ(BackupFolder(std::string("C:\\P\\")), "C:\\P\\backup");
    EXPECT_EQ(BackupFolder(std::string("C:/P/")), "C:/P/\\backup");
    EXPECT_EQ(BackupFolder(std::string("tool.exe")), "tool.exe\\backup");
    EXPECT_EQ(BackupFile(std::string("C:\\P\\backup")), "C:\\P\\backup\\backup.txt");
    EXPECT_EQ(BackupFile(std::string("C:\\P\\backup\\")), "C:\\P\\backup\\backup.txt");
}

TEST(HeaderLine, NoLeadingZerosDayFirst) {
    EXPECT_EQ(HeaderLine({2027, 1, 1, 9, 5, 3}, 12), ">>   1/1/2027  9:5:3  >>12");
    EXPECT_EQ(HeaderLine({2026, 12, 31, 23, 59, 0}, 0), ">>   31/12/2026  23:59:0  >>0");
}

}  // namespace
}  // namespace repair
