// The Windows backend's own tests (tests/win32, built by `make windows`) run under Wine in a
// copy of the template prefix.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;

TEST(WindowsTestsWine, PassUnderWine) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    const std::string tests = std::string(DRENNOW_WINDOWS_BUILD) + "/tests/test_win32.exe";
    if (!fs::exists(tests)) GTEST_SKIP() << tests << " is not built (make windows)";
    const std::string dir =
        (fs::temp_directory_path() / ("drennow-win32-tests-" + std::to_string(::getpid())))
            .string();
    ASSERT_FALSE(fixtures::CopyWineTemplate(dir).empty());
    const fixtures::WineRun run = fixtures::RunWine(dir, {tests, "--gtest_brief=1"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("[  PASSED  ]"), std::string::npos) << run.output;
    std::error_code ec;
    fs::remove_all(dir, ec);
}

}  // namespace
