// The ignore list from the terminal: a scan of a copy of the demo prefix with two entries
// ignored, and the ignore command.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"

namespace {

namespace fs = std::filesystem;
using clitest::Cli;

constexpr const char* kIgnoreFile = "drive_c/Program Files/Norlix Drennow/ignore.txt";

// A copy of the demo prefix of its own, removed afterwards.
class IgnoreOnDemo : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli"))
            GTEST_SKIP() << "drennow-cli is not built";
        std::string pattern = (fs::temp_directory_path() / "drennow-ignore-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        dir = (fs::path(folder_) / "prefix").string();
        fs::copy(fs::path(DRENNOW_SOURCE_DIR) / "examples" / "demo-prefix", dir,
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
    void TearDown() override {
        if (!folder_.empty()) fs::remove_all(folder_);
    }
    void WriteIgnoreFile(const std::string& text) const {
        fs::create_directories((fs::path(dir) / kIgnoreFile).parent_path());
        std::ofstream(fs::path(dir) / kIgnoreFile, std::ios::binary) << text;
    }
    nlohmann::json Scan(std::vector<std::string> extra = {}) const {
        std::vector<std::string> args = {"--prefix", dir, "scan", "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const clitest::HomeRun run = clitest::CliInEnvironment("", args, dir + "/../err.txt");
        EXPECT_EQ(run.exitCode, 1) << run.err;
        return nlohmann::json::parse(run.out);
    }
    std::string dir;

private:
    std::string folder_;
};

const char* const kTwoEntries =
    "Norlix Drennow ignore list 1\r\n"
    "value\t8\tHKEY_LOCAL_MACHINE\\software\\microsoft\\windows\\currentversion\\run\tgone "
    "agent\r\n"
    "not an entry\r\n"
    "shortcut\t-\tC:\\users\\Public\\Desktop\r\n";

TEST_F(IgnoreOnDemo, IgnoredEntriesAreLeftOutAndCountedAndNoIgnoreMarksThem) {
    const nlohmann::json all = Scan();
    WriteIgnoreFile(kTwoEntries);
    const nlohmann::json left = Scan();
    // The Run value is a problem in two sections (Startup Programs, Valid Files Path): it is
    // left out of both.
    EXPECT_EQ(left["total"], all["total"].get<int>() - 3);
    EXPECT_EQ(left["ignored"], 3);
    for (std::size_t i = 0; i < 14; ++i) {
        const bool touched = i == 7 || i == 12 || i == 13;
        EXPECT_EQ(left["sections"][i]["ignored"], touched ? 1 : 0) << i + 1;
        EXPECT_EQ(left["sections"][i]["count"],
                  all["sections"][i]["count"].get<int>() - (touched ? 1 : 0))
            << i + 1;
        for (const auto& problem : left["sections"][i]["problems"]) {
            EXPECT_NE(problem["name"], "\"Gone Agent\"");
            EXPECT_FALSE(
                problem["key"].get<std::string>().starts_with("[C:\\users\\Public\\Desktop\\"));
        }
    }

    // Each problem says what was looked for, and where that is on the host.
    const auto& agent = all["sections"][7]["problems"][0];
    ASSERT_EQ(agent["name"], "\"Gone Agent\"");
    EXPECT_EQ(agent["checked"][0]["path"], "C:\\Program Files\\Gone\\agent.exe");
    EXPECT_EQ(agent["checked"][0]["view"], "native");
    EXPECT_EQ(agent["checked"][0]["host"],
              fs::canonical(fs::path(dir) / "drive_c").string() + "/Program Files/Gone/agent.exe");
    const auto& shortcut = all["sections"][13]["problems"][0];
    ASSERT_EQ(shortcut["checked"].size(), 1u);
    EXPECT_EQ(shortcut["checked"][0]["found"], false);

    const nlohmann::json marked = Scan({"--no-ignore"});
    EXPECT_EQ(marked["total"], all["total"]);
    EXPECT_EQ(marked["ignored"], 3);
    std::vector<std::string> ignored;
    for (const auto& section : marked["sections"])
        for (const auto& problem : section["problems"])
            if (problem.value("ignored", false)) ignored.push_back(problem["key"]);
    const std::string run =
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]";
    EXPECT_EQ(ignored,
              (std::vector<std::string>{run, run, "[C:\\users\\Public\\Desktop\\Gone App.lnk]"}));
}

TEST_F(IgnoreOnDemo, IgnoreCommandsChangeTheListAndSayWhat) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* says;  // on standard output
    } steps[] = {
        {{"list"}, 0, "The ignore list is empty."},
        {{"add", "HKLM\\Software\\Gone Vendor", "--key"}, 0, "Added entry 1"},
        {{"add", "[HKEY_CURRENT_USER\\Software\\Gone]", "--name", "T\xC5\x8Dol"},
         0,
         "Added entry 2"},
        {{"add", "hkcu\\software\\gone", "--name", "t\xC5\x8Dol"}, 0, "already (entry 2)"},
        {{"add", "HKCU\\Software\\Gone", "--name", ""}, 0, "Added entry 3"},
        {{"add-shortcut", "C:\\users\\Public\\Desktop\\"}, 0, "Added entry 4"},
        {{"add", "HKCU\\Software"}, 2, ""},                          // neither --name nor --key
        {{"add", "HKCU\\Software", "--name", "x", "--key"}, 2, ""},  // both
        {{"add", "Software\\Gone", "--key"}, 2, ""},                 // no root
        {{"add-shortcut", "Desktop\\Gone.lnk"}, 2, ""},              // no drive
        {{"remove", "5"}, 2, ""},
        {{"remove", "1"}, 0, "Removed entry 1: HKEY_LOCAL_MACHINE\\Software\\Gone Vendor"},
    };
    for (const auto& step : steps) {
        std::vector<std::string> args = {"--prefix", dir, "ignore"};
        args.insert(args.end(), step.args.begin(), step.args.end());
        const clitest::CliRun run = Cli(args);
        EXPECT_EQ(run.exitCode, step.exitCode) << step.args[0] << " " << run.out;
        EXPECT_NE(run.out.find(step.says), std::string::npos) << run.out;
    }
    std::ifstream in(fs::path(dir) / kIgnoreFile, std::ios::binary);
    const std::string file(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(file,
              "Norlix Drennow ignore list 1\r\n"
              "value\t-\tHKEY_CURRENT_USER\\Software\\Gone\tT\xC5\x8Dol\r\n"
              "value\t-\tHKEY_CURRENT_USER\\Software\\Gone\t@\r\n"
              "shortcut\t-\tC:\\users\\Public\\Desktop\r\n");

    const clitest::CliRun list = Cli({"--prefix", dir, "ignore", "list", "--json"});
    const auto doc = nlohmann::json::parse(list.out);
    ASSERT_EQ(doc["entries"].size(), 3u);
    EXPECT_EQ(doc["entries"][0]["name"], "T\xC5\x8Dol");
    EXPECT_FALSE(doc["entries"][0]["present"]);  // an entry whose value is gone stays
    EXPECT_TRUE(doc["entries"][2]["present"]);

    EXPECT_EQ(Cli({"--prefix", dir, "ignore", "clear"}).out,
              "The ignore list was cleared (3 entries removed).\n");
    EXPECT_EQ(Scan()["ignored"], 0);
}

}  // namespace
