// Shortcut targets read from real .lnk files in the prefix; reading never writes the file.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/platform/files/FilesTestSupport.h"

namespace fs = std::filesystem;
using files_test::PrefixTest;

namespace {

TEST_F(PrefixTest, TargetOfAShortcutFile) {
    prefix_.CreateFile("C:\\Program Files\\Tool\\tool.exe", "x");
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\Tool.lnk",
                           "C:\\Program Files\\Tool\\tool.exe");
    prefix_.CreateShortcut("C:\\Links\\Gone.lnk", "C:\\Old\\caf\xc3\xa9.exe");
    const std::string host = prefix_.HostPath("C:\\Links\\Gone.lnk");
    const auto before = fs::last_write_time(host);
    const auto size = fs::file_size(host);

    EXPECT_EQ(Sys().GetShortcutTarget("c:\\USERS\\public\\desktop\\tool.LNK"),
              "C:\\Program Files\\Tool\\tool.exe");
    EXPECT_EQ(Sys().GetShortcutTarget("C:\\Links\\Gone.lnk"),
              fixtures::TestPrefix::Ansi("C:\\Old\\caf\xc3\xa9.exe"));
    EXPECT_EQ(fs::last_write_time(host), before);
    EXPECT_EQ(fs::file_size(host), size);
}

TEST_F(PrefixTest, UnreadableShortcutsHaveNoTarget) {
    prefix_.CreateFile("C:\\Links\\text.lnk", "not a shortcut at all");
    prefix_.CreateFolder("C:\\Links\\folder.lnk");
    fs::create_symlink(prefix_.Dir() + "/nothing", prefix_.HostPath("C:\\Links\\dangling.lnk"));

    for (const char* path : {"C:\\Links\\text.lnk", "C:\\Links\\folder.lnk",
                             "C:\\Links\\dangling.lnk", "C:\\Links\\absent.lnk", "\\\\s\\x.lnk"})
        EXPECT_EQ(Sys().GetShortcutTarget(path), "") << path;
}

TEST_F(PrefixTest, ShortcutsAreReadOnlyAsFarAsTheirStructuresGo) {
    // A sound shortcut, then padding far beyond what is read: Wine stops at the terminal
    // block, so the padding changes nothing.
    prefix_.CreateShortcut("C:\\Links\\padded.lnk", "C:\\windows\\notepad.exe");
    ASSERT_EQ(::truncate(prefix_.HostPath("C:\\Links\\padded.lnk").c_str(), 17 << 20), 0);
    EXPECT_EQ(Sys().GetShortcutTarget("C:\\Links\\padded.lnk"), "C:\\windows\\notepad.exe");
}

}  // namespace
