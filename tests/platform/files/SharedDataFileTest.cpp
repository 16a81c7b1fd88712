// The shipped data files are found from the program's folder: <folder>/../share/drennow/<name>,
// through symbolic links, and nothing is found where they are missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/DataFiles.h"
#include "tests/fixtures/TestPrefix.h"

namespace {
namespace fs = std::filesystem;

TEST(SharedDataFileTest, FindsTheFilesBesideTheProgramFolderOnly) {
    fixtures::TestPrefix scratch;
    const fs::path root = scratch.Dir();
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/drennow");
    std::ofstream(root / "usr/share/drennow/manual.html") << "<html></html>";
    // The build folder's layout: the data is a link to the source tree.
    fs::create_directories(root / "source/examples/demo-prefix");
    fs::create_directory_symlink(root / "source/examples/demo-prefix",
                                 root / "usr/share/drennow/demo-prefix");

    struct Case {
        fs::path folder;
        const char* name;
        fs::path expected;  // empty: not found
    };
    const Case cases[] = {
        {root / "usr/bin", "manual.html", root / "usr/share/drennow/manual.html"},
        {root / "usr/bin", "demo-prefix", root / "source/examples/demo-prefix"},
        {root / "usr/bin", "missing.html", {}},
        {root / "usr", "manual.html", {}},
        {{}, "manual.html", {}},
    };
    for (const Case& c : cases) {
        const fs::path expected = c.expected.empty() ? fs::path() : fs::canonical(c.expected);
        EXPECT_EQ(platform::SharedDataFileFrom(c.folder, c.name), expected)
            << c.folder << " " << c.name;
    }
}

TEST(SharedDataFileTest, TheProgramFolderIsTheRunningTestsFolder) {
    const fs::path folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::is_regular_file(folder / "test_files")) << folder;
}

}  // namespace
