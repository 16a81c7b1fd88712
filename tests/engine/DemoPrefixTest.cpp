// examples/demo-prefix is the known-problems prefix: this test fails when the checked-in copy
// differs from what AddKnownProblems builds. Run it with DRENNOW_UPDATE_DEMO_PREFIX=1 to write
// the copy afresh.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tests/engine/KnownProblems.h"

namespace fs = std::filesystem;

namespace {

// Every file (its bytes) and symbolic link (its target) below `root`, by relative path.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    if (!fs::exists(root)) return tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string rel = fs::relative(it->path(), root).string();
        if (it->is_symlink()) {
            tree[rel] = "-> " + fs::read_symlink(it->path()).string();
            it.disable_recursion_pending();
        } else if (it->is_regular_file()) {
            std::ifstream in(it->path(), std::ios::binary);
            tree[rel] = std::string(std::istreambuf_iterator<char>(in), {});
        }  // folders are implied by their files (git keeps no empty folder)
    }
    return tree;
}

}  // namespace

TEST(DemoPrefix, MatchesTheKnownProblemsPrefix) {
    fixtures::TestPrefix prefix(enginetest::kKnownProblemsUser);
    enginetest::AddKnownProblems(prefix);
    prefix.WriteHives();
    const fs::path demo = fs::path(DRENNOW_SOURCE_DIR) / "examples" / "demo-prefix";
    if (const char* update = std::getenv("DRENNOW_UPDATE_DEMO_PREFIX"); update && *update == '1') {
        fs::remove_all(demo);
        fs::create_directories(demo);
        fs::copy(prefix.Dir(), demo, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
    const auto expected = Tree(prefix.Dir());
    const auto actual = Tree(demo);
    EXPECT_FALSE(expected.empty());
    for (const auto& [path, content] : expected) {
        auto it = actual.find(path);
        EXPECT_TRUE(it != actual.end()) << path << " is missing from " << demo;
        if (it != actual.end()) {
            EXPECT_TRUE(it->second == content) << path << " differs";
        }
    }
    for (const auto& [path, content] : actual)
        EXPECT_TRUE(expected.count(path)) << path << " is in the demo prefix but not built";
}
