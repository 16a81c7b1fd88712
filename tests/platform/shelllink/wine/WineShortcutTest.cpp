// Shortcuts saved by Wine itself (WScript.Shell's CreateShortcut) read back with the target
// Wine wrote.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/shelllink/ShellLink.h"
#include "platform/codepage/Codepage.h"
#include "tests/fixtures/WineTemplate.h"

namespace {
namespace fs = std::filesystem;
using platform::shelllink::ChooseTarget;
using platform::shelllink::ParseShellLink;

struct TempFolder {
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "drennow-wine-lnk-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    std::string path;
};

struct Case {
    const char* link;        // under C:\links
    const char* vbsTarget;   // VBScript expression
    std::string hostTarget;  // under drive_c, UTF-8; empty: not created
    bool folder;
    std::u16string expected;
};

TEST(WineShortcuts, ReadBackWithTheTargetWineWrote) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    TempFolder temp;
    ASSERT_FALSE(temp.path.empty());
    const std::string prefix = fixtures::CopyWineTemplate(temp.path + "/prefix");
    ASSERT_FALSE(prefix.empty()) << "no Wine template prefix";
    const fs::path driveC = fs::path(prefix) / "drive_c";

    // Wine 8.0's VBScript has no ChrW; Chr takes the ANSI code (Windows-1252).
    const Case cases[] = {
        {"file.lnk", "\"C:\\target\\file.txt\"", "target/file.txt", false, u"C:\\target\\file.txt"},
        {"folder.lnk", "\"C:\\target\\folder\"", "target/folder", true, u"C:\\target\\folder"},
        {"spaces.lnk", "\"C:\\Program Files\\My App\\my app.exe\"",
         "Program Files/My App/my app.exe", false, u"C:\\Program Files\\My App\\my app.exe"},
        {"accent.lnk", "\"C:\\Caf\" & Chr(233) & \"\\na\" & Chr(239) & \"ve.txt\"",
         "Caf\u00e9/na\u00efve.txt", false, u"C:\\Caf\u00e9\\na\u00efve.txt"},
        {"missing.lnk", "\"C:\\target\\missing.txt\"", "", false, u"C:\\target\\missing.txt"},
    };
    std::string vbs =
        "Set sh = CreateObject(\"WScript.Shell\")\r\n"
        "Sub Make(lnk, target)\r\n"
        "  Set s = sh.CreateShortcut(\"C:\\links\\\" & lnk)\r\n"
        "  s.TargetPath = target\r\n"
        "  s.Arguments = \"/a \"\"b c\"\"\"\r\n"
        "  s.WorkingDirectory = \"C:\\target\"\r\n"
        "  s.Save\r\n"
        "End Sub\r\n";
    for (const Case& c : cases) {
        vbs += std::string("Make \"") + c.link + "\", " + c.vbsTarget + "\r\n";
        if (c.hostTarget.empty()) continue;
        const fs::path host = driveC / c.hostTarget;
        fs::create_directories(c.folder ? host : host.parent_path());
        if (!c.folder) std::ofstream(host) << "x";
    }
    fs::create_directories(driveC / "links");
    std::ofstream(driveC / "make.vbs", std::ios::binary) << vbs;

    const auto run = fixtures::RunWine(prefix, {"wscript.exe", "//B", "C:\\make.vbs"});
    ASSERT_EQ(run.exitCode, 0);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        std::ifstream file(driveC / "links" / c.link, std::ios::binary);
        ASSERT_TRUE(file) << "Wine wrote no shortcut";
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                              std::istreambuf_iterator<char>()};
        const auto link = ParseShellLink(bytes.data(), bytes.size());
        ASSERT_TRUE(link.valid);
        EXPECT_FALSE(link.advertised);
        const std::u16string localW = platform::codepage::AnsiToUtf16(link.localBasePath);
        EXPECT_EQ(ChooseTarget(link, localW, u"C:\\links", nullptr), c.expected);
        // Wine's ID list names the same path, which is what Resolve would fall back on.
        EXPECT_EQ(link.idListPath, c.expected);
        EXPECT_EQ(link.arguments, u"/a \"b c\"");
        EXPECT_EQ(link.workingDir, u"C:\\target");
    }
}

}  // namespace
