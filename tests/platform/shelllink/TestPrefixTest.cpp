// The prefix builder is the oracle other tests rely on: its hive text must be what Wine
// writes, and its tree what the backend expects.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/TestPrefix.h"

namespace {
namespace fs = std::filesystem;
using fixtures::Hive;
using fixtures::TestPrefix;

// The same values written by `wine reg add` into a Wine 8.0 prefix gave exactly these
// lines (only the key times differ): lower-case folded order, `\x` with four digits before
// a hex digit, escaped brackets in key names, hex wrapping after 17 bytes.
TEST(TestPrefixHive, WritesValuesAsWineDoes) {
    TestPrefix prefix;
    const std::string key = "Software\\T[x]";
    prefix.SetString(Hive::User, key, "é1", "a\"b\\cé z");
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i <= 0x2a; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
    prefix.SetBinary(Hive::User, key, "_u", bytes);
    prefix.SetMultiString(Hive::User, key, "Zed", {"a", "b"});
    prefix.SetExpandString(Hive::User, key, "ab", "%SystemRoot%");
    prefix.SetDword(Hive::User, key, "", 17);
    prefix.SetString(Hive::User, key + "\\Sub", "", "");

    const std::string expected =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
        "\n"
        "#arch=win64\n"
        "\n"
        "[Software\\\\T\\[x\\]] 1700000000\n"
        "#time=1da1747c66d0000\n"
        "@=dword:00000011\n"
        "\"_u\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
        "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a\n"
        "\"ab\"=str(2):\"%SystemRoot%\"\n"
        "\"Zed\"=str(7):\"a\\0b\\0\"\n"
        "\"\\x00e91\"=\"a\\\"b\\\\c\\xe9 z\"\n"
        "\n"
        "[Software\\\\T\\[x\\]\\\\Sub] 1700000000\n"
        "#time=1da1747c66d0000\n"
        "@=\"\"\n";
    EXPECT_EQ(prefix.HiveText(Hive::User), expected);
    prefix.WriteHives();
    EXPECT_EQ(prefix.ReadHive(Hive::User), expected);
}

TEST(TestPrefixHive, KeysMergeCaseInsensitivelyAndKeepFirstSpelling) {
    TestPrefix prefix;
    prefix.SetString(Hive::System, "Software\\Vendor", "Path", "C:\\a");
    prefix.SetString(Hive::System, "SOFTWARE\\vendor", "PATH", "C:\\b");
    prefix.AddKey(Hive::System, "Software\\Empty");
    prefix.SetRaw(Hive::System, "Software\\Vendor", "odd", 1, {0x41});
    const std::string text = prefix.HiveText(Hive::System);
    EXPECT_NE(text.find(";; All keys relative to REGISTRY\\\\Machine\n"), std::string::npos);
    // The intermediate key "Software" has no block; the empty leaf has one.
    EXPECT_EQ(text.find("[Software]"), std::string::npos);
    EXPECT_NE(text.find("\n[Software\\\\Empty] 1700000000\n#time=1da1747c66d0000\n\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Software\\\\Vendor] 1700000000\n#time=1da1747c66d0000\n"
                        "\"odd\"=hex(1):41\n\"Path\"=\"C:\\\\b\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(prefix.HiveText(Hive::UserDefault).find("REGISTRY\\\\User\\\\.Default\n"),
              std::string::npos);
}

TEST(TestPrefixTree, HasTheFoldersDrivesAndFilesAsked) {
    std::string dir;
    {
        TestPrefix prefix("alice");
        dir = prefix.Dir();
        const fs::path root(dir);
        EXPECT_TRUE(fs::is_symlink(root / "dosdevices/c:"));
        EXPECT_EQ(fs::read_symlink(root / "dosdevices/c:"), "../drive_c");
        for (const char* folder :
             {"windows/system32", "windows/Fonts", "windows/media", "users/alice", "Program Files"})
            EXPECT_TRUE(fs::is_directory(root / "drive_c" / folder)) << folder;
        for (Hive hive : {Hive::System, Hive::User, Hive::UserDefault})
            EXPECT_EQ(prefix.ReadHive(hive).rfind("WINE REGISTRY Version 2\n;; All keys", 0), 0u);

        prefix.CreateFile("C:\\Program Files\\App\\app.exe", "MZ");
        EXPECT_TRUE(fs::is_regular_file(root / "drive_c/Program Files/App/app.exe"));
        EXPECT_TRUE(prefix.Exists("c:/Program Files/App/app.exe"));
        EXPECT_FALSE(prefix.Exists("C:\\Program Files\\App\\gone.exe"));

        prefix.AddDrive('D', "../drive_d");
        prefix.CreateFolder("D:\\Data");
        EXPECT_TRUE(fs::is_directory(root / "drive_d/Data"));
        prefix.AddDrive('z', "/");
        EXPECT_EQ(fs::read_symlink(root / "dosdevices/z:"), "/");

        prefix.CreateShortcut("C:\\users\\alice\\Desktop\\App.lnk",
                              "C:\\Program Files\\App\\app.exe");
        EXPECT_GT(fs::file_size(root / "drive_c/users/alice/Desktop/App.lnk"), 0x4Cu);
        EXPECT_THROW(prefix.HostPath("\\\\server\\share"), std::invalid_argument);
    }
    EXPECT_FALSE(fs::exists(dir));
    EXPECT_TRUE(fs::exists("/"));  // the z: link was removed, not followed
}

TEST(TestPrefixText, AnsiGivesWindows1252) {
    EXPECT_EQ(TestPrefix::Ansi("Café €"), "Caf\xe9 \x80");
    EXPECT_EQ(TestPrefix::Ansi("Ā"), "?");
}

}  // namespace
