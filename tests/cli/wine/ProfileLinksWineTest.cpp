// The shortcut walk on a prefix that `wineboot -i` made with a test home: the profile folders
// link into that home, which holds dead shortcuts of its own and a second prefix. Only the
// prefix's own shortcuts and those of the linked Desktop folder are judged and repaired; the
// repaired ones come back through Clean Restore, never over a file standing there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/shelllink/ShellLink.h"
#include "tests/cli/CliRun.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteDeadShortcut(const fs::path& path) {
    fs::create_directories(path.parent_path());
    platform::shelllink::ShellLinkRecipe recipe;
    recipe.target = "C:\\gone\\" + path.stem().string() + ".exe";
    const auto bytes = platform::shelllink::WriteShellLink(recipe);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

json CliJson(const std::vector<std::string>& args, int wantExit) {
    const clitest::CliRun run = clitest::Cli(args);
    EXPECT_EQ(run.exitCode, wantExit) << run.out;
    json doc = json::parse(run.out, nullptr, false);
    EXPECT_FALSE(doc.is_discarded()) << run.out;
    return doc;
}

TEST(ProfileLinksWine, WalkStaysInThePrefixAndRepairedShortcutsComeBack) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    if (!fs::exists(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli"))
        GTEST_SKIP() << "drennow-cli is not built";
    std::string base = (fs::temp_directory_path() / "drennow-home-XXXXXX").string();
    ASSERT_NE(::mkdtemp(base.data()), nullptr);
    const fs::path home = base;
    const fs::path prefix = home / ".wine";
    fs::create_directories(home / "Desktop");  // an XDG folder: Desktop links to it
    const std::string env = "HOME=" + clitest::Quote(home.string()) +
                            " WINEPREFIX=" + clitest::Quote(prefix.string()) + " WINEDEBUG=-all ";
    ASSERT_EQ(std::system((env + "wineboot -i >/dev/null 2>&1; " + env + "wineserver -w").c_str()),
              0);
    std::string user;
    for (const auto& entry : fs::directory_iterator(prefix / "drive_c/users"))
        if (entry.path().filename() != "Public") user = entry.path().filename().string();
    ASSERT_FALSE(user.empty());
    ASSERT_TRUE(fs::is_symlink(prefix / "drive_c/users" / user / "Music"));  // -> the home

    // Judged: the prefix's own, and the linked Desktop's.
    const fs::path own = prefix / "drive_c/own-dead.lnk";
    const fs::path desk = home / "Desktop/desk-dead.lnk";
    // Never judged: the home itself (Music, Pictures, ... link to it), a second prefix in the
    // Desktop folder, a link out of the Desktop folder, and a name "A" strings cannot hold.
    const std::vector<fs::path> outside = {
        home / "home-dead.lnk",
        home / "Desktop/Games/drive_c/users/x/Desktop/other-prefix-dead.lnk",
        home / "Elsewhere/elsewhere-dead.lnk",
        prefix / "drive_c/\xd0\xaf\xd1\x80\xd0\xbb\xd1\x8b\xd0\xba.lnk",
    };
    WriteDeadShortcut(own);
    WriteDeadShortcut(desk);
    for (const fs::path& path : outside) WriteDeadShortcut(path);
    std::ofstream(home / "Desktop/Games/system.reg") << "WINE REGISTRY Version 2\n";
    fs::create_directory_symlink(home / "Elsewhere", home / "Desktop/Elsewhere");
    const std::string ownBytes = ReadAll(own), deskBytes = ReadAll(desk);

    const std::set<std::string> judged = {"C:\\own-dead.lnk",
                                          "C:\\users\\" + user + "\\Desktop\\desk-dead.lnk"};
    const json scan =
        CliJson({"--prefix", prefix.string(), "scan", "--sections", "14", "--json"}, 1);
    std::set<std::string> reported;
    for (const auto& section : scan["sections"]) {
        if (section["number"] != 14) continue;
        for (const auto& problem : section["problems"]) {
            const std::string key = problem["key"];
            reported.insert(key.substr(1, key.size() - 2));
        }
    }
    EXPECT_EQ(reported, judged);

    const json repair =
        CliJson({"--prefix", prefix.string(), "repair", "--sections", "14", "--yes", "--json"}, 0);
    EXPECT_EQ(repair["repaired"], 2);
    EXPECT_FALSE(fs::exists(own));
    EXPECT_FALSE(fs::exists(desk));
    for (const fs::path& path : outside) EXPECT_TRUE(fs::exists(path)) << path;

    // Only shortcut files were chosen: the block lists them as its entries.
    const json list = CliJson({"--prefix", prefix.string(), "backups", "list", "--json"}, 0);
    ASSERT_EQ(list["backups"].size(), 1u);
    EXPECT_EQ(list["backups"][0]["count"], "2");
    const json shown = CliJson({"--prefix", prefix.string(), "backups", "show", "1", "--json"}, 0);
    std::set<std::string> saved;
    for (const auto& file : shown["shortcutFiles"]) saved.insert(file["path"]);
    EXPECT_EQ(saved, judged);

    const json restored =
        CliJson({"--prefix", prefix.string(), "backups", "restore", "1", "--json"}, 0);
    EXPECT_EQ(restored["filesRestored"], 2);
    EXPECT_EQ(ReadAll(own), ownBytes);
    EXPECT_EQ(ReadAll(desk), deskBytes);

    // Once more: both stand there now and are left as they are, each named.
    std::ofstream(desk, std::ios::binary | std::ios::trunc) << "changed since";
    const json again =
        CliJson({"--prefix", prefix.string(), "backups", "restore", "1", "--json"}, 3);
    EXPECT_EQ(again["filesRestored"], 0);
    EXPECT_EQ(again["filesFailed"], 2);
    EXPECT_EQ(again["failures"].size(), 2u);
    EXPECT_EQ(ReadAll(desk), "changed since");

    CliJson({"--prefix", prefix.string(), "backups", "delete", "1", "--json"}, 0);
    const std::string backup =
        ReadAll(prefix / "drive_c/Program Files/Norlix Drennow/backup/backup.txt");
    EXPECT_EQ(backup.find("Shortcut"), std::string::npos) << backup;
    fs::remove_all(home);
}

}  // namespace
