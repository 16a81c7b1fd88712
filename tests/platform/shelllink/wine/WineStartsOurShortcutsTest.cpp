// Shortcuts made by our writer, opened by Wine's shell (`start`): Wine finds the target and
// the arguments in them, whichever of LinkInfo and ID list they carry.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/shelllink/ShellLink.h"
#include "tests/fixtures/WineTemplate.h"

namespace {
namespace fs = std::filesystem;
using platform::shelllink::ShellLinkRecipe;
using platform::shelllink::WriteShellLink;

struct Case {
    const char* name;
    std::string target;  // Windows-1252
    bool idList, linkInfo;
    bool runs;
};

TEST(WineStartsOurShortcuts, WineFindsTargetAndArguments) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    std::string pattern = (fs::temp_directory_path() / "drennow-wine-start-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    struct Cleanup {
        std::string dir;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } cleanup{pattern};
    const std::string prefix = fixtures::CopyWineTemplate(pattern + "/prefix");
    ASSERT_FALSE(prefix.empty()) << "no Wine template prefix";
    const fs::path driveC = fs::path(prefix) / "drive_c";

    // A copy of cmd.exe in a folder with a space and a non-ASCII letter.
    const fs::path accented = driveC / "Caf\u00e9 dir";
    fs::create_directories(accented);
    fs::copy_file(driveC / "windows/system32/cmd.exe", accented / "cmd.exe");

    const std::string cmd = "C:\\windows\\system32\\cmd.exe";
    const std::string accentedCmd = "C:\\Caf\xe9 dir\\cmd.exe";
    const Case cases[] = {
        {"both", cmd, true, true, true},
        {"linkinfo", cmd, false, true, true},
        {"idlist", cmd, true, false, true},
        {"accented", accentedCmd, true, true, true},
        {"accentedidlist", accentedCmd, true, false, true},
        {"missing", "C:\\windows\\system32\\nosuch.exe", true, true, false},
    };
    std::string batch;
    for (const Case& c : cases) {
        ShellLinkRecipe wanted;
        wanted.target = c.target;
        wanted.withIdList = c.idList;
        wanted.withLinkInfo = c.linkInfo;
        wanted.arguments = u"/c echo ran> C:\\marker-";
        for (const char* p = c.name; *p; ++p) wanted.arguments.push_back(static_cast<char16_t>(*p));
        wanted.arguments += u".txt";
        const auto bytes = WriteShellLink(wanted);
        std::ofstream(driveC / (std::string(c.name) + ".lnk"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        batch += std::string("start /wait C:\\") + c.name + ".lnk\r\n";
    }
    std::ofstream(driveC / "run.bat", std::ios::binary) << batch;

    fixtures::RunWine(prefix, {"cmd.exe", "/c", "C:\\run.bat"});
    for (const Case& c : cases) {
        const fs::path marker = driveC / (std::string("marker-") + c.name + ".txt");
        EXPECT_EQ(fs::exists(marker), c.runs) << c.name;
        if (c.runs && fs::exists(marker)) {
            std::ifstream in(marker);
            std::string line;
            std::getline(in, line);
            EXPECT_EQ(line.substr(0, 3), "ran") << c.name;
        }
    }
}

}  // namespace
