// Short paths as Wine gives them (GetShortPathNameW through `winepath -s`) in a real
// `wineboot -i` prefix: the existence test finds what they name.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/PathTest.h"
#include "platform/wine/WinePrefix.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;

TEST(ShortPathWine, WinesShortPathsExist) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    const std::string dir =
        (fs::temp_directory_path() / ("drennow-short-wine-" + std::to_string(::getpid()))).string();
    ASSERT_FALSE(fixtures::CopyWineTemplate(dir).empty());
    // Windows path (ASCII, so the "A" calls take it as it is) -> host path under drive_c.
    const std::vector<std::string> files = {
        "C:\\Program Files\\Norton Utilities\\Notepad Plus.exe",
        "C:\\Program Files (x86)\\My Tool 2.0\\setup.exe.config",
        "C:\\ProgramData\\archive.tar.gz",
        "C:\\users\\Public\\Release Notes.txt",
    };
    std::vector<std::string> args = {"winepath", "-s"};
    for (const std::string& file : files) {
        std::string host = dir + "/drive_c/" + file.substr(3);
        for (char& c : host)
            if (c == '\\') c = '/';
        fs::create_directories(fs::path(host).parent_path());
        std::ofstream(host) << "x";
        args.push_back(file);
    }
    args.push_back("C:\\PROGRA~1\\Norton Utilities\\Notepad Plus.exe");
    const fixtures::WineRun run = fixtures::RunWine(dir, args);
    ASSERT_EQ(run.exitCode, 0);
    std::vector<std::string> shortPaths;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        shortPaths.push_back(line);
    }
    ASSERT_EQ(shortPaths.size(), files.size() + 1) << run.output;
    EXPECT_EQ(shortPaths.back(), "") << "Wine makes no PROGRA~1";
    fixtures::StopWineServer(dir);

    platform::Status status;
    auto services = platform::wine::OpenPrefix(dir, status);
    ASSERT_TRUE(services) << status.message;
    for (const bool caching : {false, true}) {
        services->SetDirectoryCaching(caching);
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string& shortPath = shortPaths[i];
            EXPECT_NE(shortPath, files[i]) << "Wine gave no short form";
            EXPECT_TRUE(engine::PathExists(*services, shortPath)) << shortPath;
            EXPECT_TRUE(engine::PathExists(*services, shortPath + " /S")) << shortPath;
            // Short folders with the long name at the end, as installers also write them.
            const std::string mixed =
                shortPath.substr(0, shortPath.rfind('\\')) + files[i].substr(files[i].rfind('\\'));
            EXPECT_TRUE(engine::PathExists(*services, mixed)) << mixed;
        }
        EXPECT_FALSE(engine::PathExists(*services, args.back())) << args.back();
    }
    services.reset();
    fs::remove_all(dir);
}

}  // namespace
