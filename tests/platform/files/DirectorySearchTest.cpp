// Directory searches as the shortcut walk uses them: Wine's entry order, dots, full paths and
// the folder identity that keeps a walk from entering one folder twice.
#include <filesystem>
#include <map>
#include <set>

#include <gmock/gmock.h>

#include "tests/platform/files/FilesTestSupport.h"

namespace fs = std::filesystem;
using files_test::PrefixTest;
using ::testing::ElementsAre;

namespace {

TEST_F(PrefixTest, EntriesComeSortedWithDotsFirstExceptInADriveRoot) {
    for (const char* name : {"zeta", "Alpha", "beta", "_u", "0x", "Gamma"})
        prefix_.CreateFile(std::string("C:\\Order\\") + name, "");
    prefix_.CreateFolder("C:\\Order\\sub");
    fs::create_symlink(prefix_.Dir() + "/missing", prefix_.HostPath("C:\\Order\\dangle.lnk"));

    // As Wine 8 lists them: ignoring case, '_' after the letters; dangling links left out.
    EXPECT_THAT(SearchNames("C:\\Order\\*.*"),
                ElementsAre(".", "..", "0x", "Alpha", "beta", "Gamma", "sub", "zeta", "_u"));
    EXPECT_THAT(SearchNames("c:\\ORDER\\*A"), ElementsAre("Alpha", "beta", "Gamma", "zeta"));

    const auto root = SearchNames("C:\\*.*");
    EXPECT_FALSE(root.empty());
    for (const auto& name : root) EXPECT_TRUE(name != "." && name != "..") << name;
}

TEST_F(PrefixTest, EntriesCarryFullPathFolderFlagAndIdentity) {
    prefix_.CreateFile("C:\\Walk\\Caf\xc3\xa9.lnk", "");
    prefix_.CreateFolder("C:\\Walk\\Inner");
    auto search = Sys().FindFirstFileA("C:\\walk\\*.*");
    ASSERT_TRUE(search);
    std::map<std::string, platform::FindEntry> byName;
    platform::FindEntry entry;
    while (search->Next(entry)) byName[entry.name] = entry;

    ASSERT_EQ(byName.size(), 4u);
    const auto& file = byName.at(fixtures::TestPrefix::Ansi("Caf\xc3\xa9.lnk"));
    EXPECT_EQ(file.path, fixtures::TestPrefix::Ansi("C:\\walk\\Caf\xc3\xa9.lnk"));
    EXPECT_FALSE(file.directory);
    EXPECT_TRUE(Exists(file.path));  // the path leads back to the same file

    const auto& inner = byName.at("Inner");
    EXPECT_TRUE(inner.directory);
    EXPECT_EQ(inner.path, "C:\\walk\\Inner");
    EXPECT_TRUE(byName.at(".").IsDots() && byName.at("..").IsDots());
    EXPECT_TRUE(byName.at(".").directory && byName.at("..").directory);

    // The search of a folder knows the folder's identity, whatever spelling led to it.
    platform::FolderId id;
    ASSERT_TRUE(Sys().GetFolderIdentity("C:\\WALK\\INNER", &id));
    auto innerSearch = Sys().FindFirstFileA("c:\\walk\\inner\\*.*");
    ASSERT_TRUE(innerSearch);
    EXPECT_EQ(innerSearch->FolderIdentity(), id);
    EXPECT_NE(search->FolderIdentity(), id);
    EXPECT_FALSE(Sys().GetFolderIdentity(file.path.c_str(), &id));
}

TEST_F(PrefixTest, LinksAreFollowedForTheFolderFlagAndDanglingOnesLeftOut) {
    prefix_.CreateFolder("C:\\Links\\real");
    prefix_.CreateFile("C:\\Links\\file.txt", "x");
    const std::string links = prefix_.HostPath("C:\\Links");
    fs::create_directory_symlink("real", links + "/to folder");
    fs::create_symlink("file.txt", links + "/to file");
    fs::create_symlink("nowhere", links + "/dangling");
    for (bool caching : {false, true}) {
        Sys().SetDirectoryCaching(caching);
        auto search = Sys().FindFirstFileA("C:\\Links\\*.*");
        ASSERT_TRUE(search);
        std::map<std::string, bool> folders;
        platform::FindEntry entry;
        while (search->Next(entry)) folders[entry.name] = entry.directory;
        EXPECT_EQ(folders, (std::map<std::string, bool>{{".", true},
                                                        {"..", true},
                                                        {"file.txt", false},
                                                        {"real", true},
                                                        {"to file", false},
                                                        {"to folder", true}}))
            << caching;
        platform::FolderId real;
        ASSERT_TRUE(Sys().GetFolderIdentity("C:\\Links\\real", &real));
        auto linked = Sys().FindFirstFileA("C:\\Links\\to folder\\*.*");
        ASSERT_TRUE(linked);
        EXPECT_EQ(linked->FolderIdentity(), real) << caching;
    }
    Sys().SetDirectoryCaching(false);
}

// Walks like the shortcut scanner: breadth first, entering each physical folder once.
std::vector<std::string> WalkOnce(platform::Services& sys, const std::string& start) {
    std::vector<std::string> visited, queue{start};
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    while (!queue.empty()) {
        const std::string folder = queue.front();
        queue.erase(queue.begin());
        auto search = sys.FindFirstFileA((folder + "\\*.*").c_str());
        if (!search) continue;
        const platform::FolderId id = search->FolderIdentity();
        if (!seen.insert({id.device, id.inode}).second) continue;
        visited.push_back(folder);
        platform::FindEntry entry;
        while (search && search->Next(entry))
            if (entry.directory && !entry.IsDots()) queue.push_back(entry.path);
    }
    return visited;
}

TEST_F(PrefixTest, HomeLinkedThreeTimesAndALinkLoopAreEnteredOnce) {
    const std::string home = prefix_.Dir() + "/home";
    fs::create_directories(home + "/Pictures");
    const std::string profile = prefix_.HostPath("C:\\users\\" + prefix_.UserName());
    for (const char* name : {"Desktop", "Documents", "Downloads"})
        fs::create_directory_symlink(home, profile + "/" + name);
    fs::create_directory_symlink("..", home + "/Pictures/loop");  // Pictures/loop -> home

    const auto visited = WalkOnce(Sys(), "C:\\users\\" + prefix_.UserName());
    // The profile, one of the three links to home, and home's Pictures.
    EXPECT_EQ(visited.size(), 3u);
    std::set<std::string> pictures;
    for (const auto& folder : visited)
        if (folder.ends_with("\\Pictures")) pictures.insert(folder);
    EXPECT_EQ(pictures.size(), 1u);
}

TEST_F(PrefixTest, UnreadableFoldersGiveNothing) {
    prefix_.CreateFile("C:\\Locked\\inside.lnk", "");
    prefix_.CreateFile("C:\\Open\\visible.lnk", "");
    fs::permissions(prefix_.HostPath("C:\\Locked"), fs::perms::owner_write | fs::perms::owner_exec);
    platform::Services& sys = Sys();
    const int result = files_test::RunUnprivileged(prefix_.Dir(), [&] {
        if (sys.FindFirstFileA("C:\\Locked\\*.*")) return 1;
        if (!sys.FindFirstFileA("C:\\Open\\*.*")) return 2;
        return 0;
    });
    fs::permissions(prefix_.HostPath("C:\\Locked"), fs::perms::owner_all);
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(Sys().FindFirstFileA("C:\\Nowhere\\*.*"));
    EXPECT_FALSE(Sys().FindFirstFileA("C:\\Open\\*.exe"));
}

}  // namespace
