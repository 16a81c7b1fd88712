// drennow-cli on a fresh `wineboot -i` prefix: nothing to report once the installed Wine's own
// entries are known; the nine of them, with one note, when no installation can be found.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/wine/install/InstallationLocator.h"
#include "tests/cli/CliProcess.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;

std::size_t Count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

TEST(WinesOwnEntriesCli, AFreshPrefixHasNoProblems) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    if (!clitest::CliProcess::Built()) GTEST_SKIP() << "drennow-cli is not built";
    const fs::path base = fs::temp_directory_path() / ("drennow-own-" + std::to_string(::getpid()));
    const std::string prefix = fixtures::CopyWineTemplate(base.string());
    ASSERT_FALSE(prefix.empty());
    std::string note;
    const auto place = platform::wine::LocateInstallation(std::string(), note);
    ASSERT_TRUE(place) << note;
    const std::string root = fs::path(place->dataDir).parent_path().parent_path().string();

    struct Case {
        std::vector<std::string> wine;  // --wine and its DIR, if any
        int exitCode;
        std::size_t notes, problems;
    } cases[] = {
        {{}, 0, 0, 0},                                       // the wine on PATH
        {{"--wine", root}, 0, 0, 0},                         // its root named
        {{"--wine", (base / "no-wine").string()}, 1, 1, 9},  // none there
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--prefix", prefix};
        args.insert(args.end(), c.wine.begin(), c.wine.end());
        args.push_back("scan");
        clitest::CliProcess run(args, clitest::ChildOptions{});
        const int code = run.Wait();
        const std::string out = run.Output();
        EXPECT_EQ(code, c.exitCode) << out;
        EXPECT_EQ(Count(out, "Wine's own entries are reported too"), c.notes) << out;
        EXPECT_NE(out.find(std::to_string(c.problems) + " problem(s) found"), std::string::npos)
            << out;
    }
    std::error_code ignored;
    fs::remove_all(base, ignored);
}

}  // namespace
