// drennow-cli prefixes, --prefix by name and scan --all, on a fake home of launcher files.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/fixtures/LauncherHome.h"

namespace {

using json = nlohmann::ordered_json;

using clitest::HomeRun;

class PrefixesCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::TestPrefix withProblem;
        withProblem.SetString(fixtures::Hive::User,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Gone",
                              "C:\\Program Files\\Gone\\gone.exe");
        fixtures::FillLauncherHome(home_);
        home_.Prefix("Games/Problem", "win64", &withProblem);
        home_.Write(".config/lutris/games/problem-game-1700000002.yml",
                    "game:\n  prefix: " + home_.Path("Games/Problem") + "\n");
        // A prefix whose hive is no hive: listed, but it cannot be scanned.
        home_.Write(".local/share/wineprefixes/dotnet/user.reg", "garbage\n");
    }

    // drennow-cli with this home as $HOME (and no $WINEPREFIX of the test's own).
    HomeRun Cli(const std::vector<std::string>& args) {
        return clitest::CliInEnvironment("-u WINEPREFIX HOME=" + clitest::Quote(home_.Dir()), args,
                                         home_.Path("stderr.txt"));
    }

    fixtures::FakeHome home_;
};

TEST_F(PrefixesCommandTest, JsonListsEveryPrefixWithItsFields) {
    const HomeRun run = Cli({"prefixes", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json doc = json::parse(run.out);
    ASSERT_EQ(doc["prefixes"].size(), 12u) << run.out;
    const std::vector<std::string> fields{"path", "kind",           "name",  "id",   "arch",
                                          "wine", "server_running", "owner", "yours"};
    for (const json& entry : doc["prefixes"]) {
        std::vector<std::string> keys;
        for (const auto& item : entry.items()) keys.push_back(item.key());
        EXPECT_EQ(keys, fields);
        EXPECT_TRUE(entry["path"].get<std::string>().starts_with(home_.Dir() + "/"));
    }
    const json& first = doc["prefixes"][2];  // Half-Life 2: the Proton that ran it
    EXPECT_EQ(first["name"], "Half-Life 2");
    EXPECT_EQ(first["id"], "220");
    EXPECT_EQ(first["wine"], home_.Path(".local/share/Steam/steamapps/common/Proton 8.0/files"));
    EXPECT_TRUE(doc["prefixes"][1]["wine"].is_null());
}

TEST_F(PrefixesCommandTest, VerboseSaysWhatWasSkipped) {
    EXPECT_EQ(Cli({"prefixes"}).err, "");
    const HomeRun run = Cli({"prefixes", "--verbose"});
    EXPECT_NE(run.err.find("broken-1700000001.yml names no prefix"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Office 2010"), std::string::npos) << run.out;
}

TEST_F(PrefixesCommandTest, PrefixTakesSteamIdsAndExactNames) {
    const struct {
        std::string choice;
        int exitCode;
        std::string prefix;  // the scanned folder below the home, or a text stderr holds
    } cases[] = {
        {"steam:440", 0, "Games/SteamLibrary/steamapps/compatdata/440/pfx"},
        {"problem-game", 1, "Games/Problem"},
        {"Office 2010", 0, ".local/share/bottles/bottles/Office"},
        {"steam:999", 2, "Half-Life 2 (steam, steam:220)"},
        {"office", 2, "Office 2010 (bottles)"},
    };
    for (const auto& c : cases) {
        const HomeRun run =
            Cli({"--prefix", c.choice, "scan", "--sections", "Startup Programs", "--json"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.choice << ": " << run.err;
        if (c.exitCode == 2)
            EXPECT_NE(run.err.find(c.prefix), std::string::npos) << c.choice << ": " << run.err;
        else EXPECT_EQ(json::parse(run.out)["prefix"], home_.Path(c.prefix)) << c.choice;
    }
}

TEST_F(PrefixesCommandTest, PrefixNamingSeveralIsAUsageErrorListingThem) {
    home_.Write(".config/lutris/games/Notepad-1.yml", "game:\n  prefix: ~/Games/Problem\n");
    const HomeRun run = Cli({"--prefix", "Notepad", "scan"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(home_.Path(".PlayOnLinux/wineprefix/Notepad")), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(home_.Path("Games/Problem")), std::string::npos) << run.err;
}

TEST_F(PrefixesCommandTest, ScanAllGoesOnPastAPrefixItCannotRead) {
    const HomeRun run = Cli({"scan", "--all", "--sections", "Startup Programs", "--json"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const json doc = json::parse(run.out);
    ASSERT_EQ(doc["prefixes"].size(), 12u);
    int scanned = 0;
    for (const json& entry : doc["prefixes"]) {
        const std::string name = entry["name"];
        if (name == "dotnet") {
            EXPECT_TRUE(entry.contains("error")) << entry.dump();
            continue;
        }
        ASSERT_TRUE(entry.contains("sections")) << entry.dump();
        EXPECT_EQ(entry["total"], name == "problem-game" ? 1 : 0) << name;
        EXPECT_EQ(entry["sections"].size(), 14u);
        ++scanned;
    }
    EXPECT_EQ(scanned, 11);
    const HomeRun text = Cli({"scan", "--all", "--sections", "Startup Programs"});
    EXPECT_NE(text.out.find("cannot be scanned"), std::string::npos) << text.out;
}

// Another user's prefix (here one given to nobody) is marked, and scan --all still scans it.
TEST_F(PrefixesCommandTest, AnotherUsersPrefixIsMarkedAndScanned) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a prefix to another user needs root";
    const std::string theirs = home_.Path("Games/Problem");
    ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
    const passwd* nobody = ::getpwuid(65534);
    ASSERT_NE(nobody, nullptr);
    const std::string owner = nobody->pw_name;

    const HomeRun list = Cli({"prefixes", "--json"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const json listed = json::parse(list.out);
    for (const json& entry : listed["prefixes"]) {
        const bool mine = entry["path"] != theirs;
        EXPECT_EQ(entry["yours"], mine) << entry.dump();
        EXPECT_EQ(entry["owner"], mine ? "root" : owner) << entry.dump();
    }
    const HomeRun text = Cli({"prefixes"});
    const std::size_t row = text.out.find("problem-game ");
    ASSERT_NE(row, std::string::npos) << text.out;
    EXPECT_NE(text.out.substr(row, text.out.find('\n', row) - row).find(" " + owner + " "),
              std::string::npos)
        << text.out;

    const HomeRun scan = Cli({"scan", "--all", "--sections", "Startup Programs", "--json"});
    const json scanned = json::parse(scan.out);
    for (const json& entry : scanned["prefixes"]) {
        if (entry["path"] == theirs) {
            EXPECT_EQ(entry["total"], 1) << entry.dump();
        }
    }
    EXPECT_NE(scan.err.find("This prefix belongs to " + owner), std::string::npos) << scan.err;
}

}  // namespace
