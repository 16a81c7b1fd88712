// Text files as the backup writer and reader use them, and the atomic whole-file replacement.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/platform/files/FilesTestSupport.h"

namespace fs = std::filesystem;
using files_test::PrefixTest;
using platform::TextFileMode;

namespace {

std::string HostBytes(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(PrefixTest, ReadsCrLfAndLfLinesAndALastLineWithoutEnd) {
    prefix_.CreateFile("C:\\t\\mixed.txt", "one\r\ntwo\n\r\n\xe9t\xe9\r\r\nlast");
    EXPECT_EQ(ReadLines("C:\\T\\MIXED.TXT"), "one|two||\xe9t\xe9\r|last");
    prefix_.CreateFile("C:\\t\\ended.txt", "a\r\nb\r\n");
    EXPECT_EQ(ReadLines("C:\\t\\ended.txt"), "a|b");
    prefix_.CreateFile("C:\\t\\empty.txt", "");
    EXPECT_EQ(ReadLines("C:\\t\\empty.txt"), "");
    EXPECT_FALSE(Sys().OpenTextFile("C:\\t\\absent.txt", TextFileMode::Read));
    EXPECT_FALSE(Sys().OpenTextFile("C:\\t", TextFileMode::Read));
}

TEST_F(PrefixTest, WritesLfAsCrLfAndAppendsAtTheEnd) {
    prefix_.CreateFolder("C:\\backup");
    auto file = Sys().OpenTextFile("C:\\backup\\backup.txt", TextFileMode::CreateWrite);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->WriteString("\n>>   4/5/2026  21:6:3  >>1\n\n"));
    EXPECT_TRUE(file->WriteString("[HKEY_CURRENT_USER\\x]\n\xe9=\"1\"\r"));
    EXPECT_TRUE(file->Close());
    const std::string host = prefix_.HostPath("C:\\backup\\backup.txt");
    EXPECT_EQ(HostBytes(host),
              "\r\n>>   4/5/2026  21:6:3  >>1\r\n\r\n[HKEY_CURRENT_USER\\x]\r\n\xe9=\"1\"\r");

    auto append = Sys().OpenTextFile("C:\\BACKUP\\Backup.TXT", TextFileMode::Append);
    ASSERT_TRUE(append);
    append->SeekToEnd();
    EXPECT_TRUE(append->WriteString("\nend\n"));
    EXPECT_TRUE(append->Close());
    EXPECT_TRUE(HostBytes(host).ends_with("\"1\"\r\r\nend\r\n"));

    // A new file needs its folder.
    EXPECT_FALSE(Sys().OpenTextFile("C:\\nofolder\\x.txt", TextFileMode::CreateWrite));
}

TEST_F(PrefixTest, ReplaceSwapsTheWholeFile) {
    prefix_.CreateFile("C:\\b\\backup.txt", "old\r\n");
    const std::string host = prefix_.HostPath("C:\\b\\backup.txt");
    ::chmod(host.c_str(), 0640);
    ASSERT_TRUE(Sys().ReplaceTextFile("c:\\B\\BACKUP.TXT", "new\nlines\n").ok());
    EXPECT_EQ(HostBytes(host), "new\r\nlines\r\n");
    EXPECT_EQ(fs::status(host).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(host).parent_path()), {}), 1);

    ASSERT_TRUE(Sys().ReplaceTextFile("C:\\b\\fresh.txt", "x").ok());
    EXPECT_EQ(HostBytes(prefix_.HostPath("C:\\b\\fresh.txt")), "x");
}

TEST_F(PrefixTest, FailedReplaceLeavesTheOldFileAndSaysWhy) {
    prefix_.CreateFile("C:\\ro\\backup.txt", "precious\r\n");
    const std::string folder = prefix_.HostPath("C:\\ro");
    const std::string host = folder + "/backup.txt";
    ::chmod(host.c_str(), 0666);
    platform::Services& sys = Sys();
    const int result = files_test::RunUnprivileged(prefix_.Dir(), [&] {
        // The folder is not writable for this user: no temporary file can be made.
        ::chmod(folder.c_str(), 0555);
        const platform::Status status = sys.ReplaceTextFile("C:\\ro\\backup.txt", "lost?");
        if (status.ok()) return 1;
        if (status.code != platform::ERROR_ACCESS_DENIED) return 2;
        if (status.message.find("C:\\ro\\backup.txt") == std::string::npos) return 3;
        return 0;
    });
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(HostBytes(host), "precious\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);

    const platform::Status missing = Sys().ReplaceTextFile("C:\\gone\\backup.txt", "x");
    EXPECT_EQ(missing.code, platform::ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(missing.message.empty());
    prefix_.CreateFolder("C:\\ro\\dir.txt");
    EXPECT_FALSE(Sys().ReplaceTextFile("C:\\ro\\dir.txt", "x").ok());
    EXPECT_TRUE(fs::is_directory(folder + "/dir.txt"));
}

TEST_F(PrefixTest, FoldersModuleAndTimeAnswerAsWindows) {
    char buffer[1000];
    EXPECT_EQ(Sys().GetWindowsDirectoryA(buffer, sizeof(buffer)), 10u);
    EXPECT_STREQ(buffer, "C:\\windows");
    EXPECT_EQ(Sys().GetSystemDirectoryA(buffer, sizeof(buffer)), 19u);
    EXPECT_STREQ(buffer, "C:\\windows\\system32");
    EXPECT_EQ(Sys().GetWindowsDirectoryA(buffer, 10), 11u);  // needs room for the zero
    EXPECT_EQ(Sys().GetModuleFileNameA(nullptr, buffer, sizeof(buffer)), 50u);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Norlix Drennow\\Norlix Drennow.exe");
    EXPECT_EQ(Sys().GetModuleFileNameA(nullptr, buffer, 8), 8u);
    EXPECT_STREQ(buffer, "C:\\Prog");

    const platform::LocalTime t = Sys().GetLocalTime();
    EXPECT_GE(t.year, 2024);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31);
    EXPECT_TRUE(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60);
}

}  // namespace
