// drennow-cli scan, run as the real program on the demo prefix and on a missing one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"

namespace {

using clitest::Cli;

class ScanCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli"))
            GTEST_SKIP() << "drennow-cli is not built";
    }
};

TEST_F(ScanCommand, DemoScanAsJsonListsAllFourteenSectionsInOrder) {
    const clitest::CliRun run = Cli({"--demo", "scan", "--json"});
    ASSERT_EQ(run.exitCode, 1) << run.out;  // problems found
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_TRUE(std::filesystem::path(doc["prefix"].get<std::string>()).is_absolute());
    ASSERT_EQ(doc["sections"].size(), 14u);
    int total = 0;
    for (std::size_t i = 0; i < 14; ++i) {
        const auto& section = doc["sections"][i];
        EXPECT_EQ(section["number"], i + 1);
        EXPECT_EQ(section["count"].get<int>(), static_cast<int>(section["problems"].size()));
        total += section["count"].get<int>();
        for (const auto& p : section["problems"]) EXPECT_EQ(p["mark"], "0");
    }
    EXPECT_EQ(doc["sections"][0]["name"], "Registry Integrity");
    EXPECT_EQ(doc["sections"][13]["name"], "Valid Shortcut");
    EXPECT_EQ(doc["total"].get<int>(), total);
    // Sections that never report stay at zero, every other section of the demo has problems.
    for (std::size_t i : {3u, 10u}) EXPECT_EQ(doc["sections"][i]["count"], 0);
    for (std::size_t i : {0u, 1u, 2u, 4u, 5u, 6u, 7u, 8u, 9u, 11u, 12u, 13u})
        EXPECT_GT(doc["sections"][i]["count"], 0);
}

TEST_F(ScanCommand, ExitStatusSaysWhatHappened) {
    EXPECT_EQ(Cli({"--demo", "scan", "--sections", "4,11"}).exitCode, 0);  // nothing found
    EXPECT_EQ(Cli({"--demo", "scan", "--sections", "99"}).exitCode, 2);    // usage
    EXPECT_EQ(Cli({"--prefix", "/nonexistent/drennow-prefix", "scan"}).exitCode, 3);
    const clitest::CliRun human = Cli({"--demo", "scan", "--sections", "8"});
    EXPECT_EQ(human.exitCode, 1);
    EXPECT_NE(human.out.find("problem(s) found"), std::string::npos) << human.out;
}

}  // namespace
