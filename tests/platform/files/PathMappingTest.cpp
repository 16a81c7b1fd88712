// Windows paths to prefix files: case matching, normalisation, links, long paths, and the
// listing cache that a scan turns on.
#include <filesystem>

#include "tests/platform/files/FilesTestSupport.h"

namespace fs = std::filesystem;
using files_test::PrefixTest;

namespace {

class PathMapping : public PrefixTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        prefix_.CreateFile("C:\\Data\\Readme.TXT", "mixed");
        prefix_.CreateFile("C:\\Data\\README.txt", "upper");
        prefix_.CreateFile("C:\\Data\\Sub Dir\\tool.exe", "x");
        Sys().SetDirectoryCaching(GetParam());
    }
};

TEST_P(PathMapping, ExactNameWinsThenAnyCaseVariant) {
    EXPECT_EQ(ReadLines("C:\\Data\\README.txt"), "upper");
    EXPECT_EQ(ReadLines("C:\\Data\\Readme.TXT"), "mixed");
    // No exact match: one of the two case variants answers.
    const std::string other = ReadLines("c:\\DATA\\readme.txt");
    EXPECT_TRUE(other == "upper" || other == "mixed") << other;
    EXPECT_TRUE(Exists("c:\\data\\SUB DIR\\TOOL.EXE"));
    EXPECT_FALSE(Exists("C:\\Data\\Readme.txt.bak"));
}

TEST_P(PathMapping, SeparatorsDotsAndTrailingCharactersAsWindows) {
    EXPECT_TRUE(Exists("C:/Data/Sub Dir/tool.exe"));
    EXPECT_TRUE(Exists("C:\\Data\\.\\Sub Dir\\..\\Sub Dir\\\\tool.exe"));
    // ".." above the drive root stays at the root.
    EXPECT_TRUE(Exists("C:\\..\\..\\Data\\README.txt"));
    EXPECT_TRUE(Exists("C:\\Data\\Sub Dir\\tool.exe. . "));
    EXPECT_TRUE(Exists("C:\\Data.\\README.txt"));
    EXPECT_FALSE(Exists("C:\\Data \\README.txt"));   // an inner space is part of the name
    EXPECT_FALSE(Exists("C:\\Data..\\README.txt"));  // only one inner dot is dropped
    EXPECT_TRUE(Exists("\\\\?\\C:\\Data\\README.txt"));
    EXPECT_TRUE(Exists("C:\\Data\\Sub Dir\\"));
    EXPECT_FALSE(Exists("C:\\Data\\README.txt\\"));  // a file is no folder
    EXPECT_TRUE(Exists("C:"));
    EXPECT_TRUE(Exists("c:\\"));
}

TEST_P(PathMapping, PathsWithoutADriveAreInTheCurrentFolderCsRoot) {
    for (const char* path : {"\\Data\\README.txt", "Data\\README.txt", "Data/Sub Dir", ".", ".."})
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_FALSE(Exists("Sub Dir\\tool.exe"));
    EXPECT_FALSE(Exists("\\\\?\\Data\\README.txt"));  // a literal path names no folder
}

TEST_P(PathMapping, PathsWithoutAMappingDoNotExist) {
    for (const char* path : {"\\\\server\\share\\Data", "//server/share/Data", "", "Q:\\Data",
                             "C:\\Data\\READ*.txt", "C:\\Data\\a|b"})
        EXPECT_FALSE(Exists(path)) << path;
    EXPECT_FALSE(Sys().PathFileExistsA(nullptr));
}

TEST_P(PathMapping, LongPathsAreTestedInFull) {
    std::string path = "C:\\Data";
    for (int i = 0; i < 30; ++i) path += "\\folder-number-" + std::to_string(i);
    prefix_.CreateFile(path + "\\deep.txt", "deep");
    ASSERT_GT(path.size(), 260u);
    EXPECT_TRUE(Exists(path + "\\deep.txt"));
    EXPECT_EQ(Sys().GetFileAttributesA((path + "\\DEEP.TXT").c_str()),
              platform::FILE_ATTRIBUTE_ARCHIVE);
}

TEST_P(PathMapping, AttributesAndDanglingLinks) {
    fs::create_symlink(prefix_.Dir() + "/nowhere", prefix_.HostPath("C:\\Data\\gone.lnk"));
    fs::create_directory_symlink("Sub Dir", prefix_.HostPath("C:\\Data\\linked"));
    Sys().SetDirectoryCaching(GetParam());  // the listings changed behind the backend
    EXPECT_EQ(Sys().GetFileAttributesA("C:\\Data"), platform::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(Sys().GetFileAttributesA("C:\\DATA\\LINKED"), platform::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(Exists("C:\\Data\\linked\\tool.exe"));
    EXPECT_EQ(Sys().GetFileAttributesA("C:\\Data\\gone.lnk"), platform::INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Exists("C:\\Data\\gone.lnk"));
    EXPECT_FALSE(Exists("C:\\Data\\README.txt\\inside"));
}

INSTANTIATE_TEST_SUITE_P(CachedAndUncached, PathMapping, ::testing::Bool());

TEST_F(PrefixTest, DeleteRemovesFilesOnlyAndNeverFollowsADanglingLink) {
    prefix_.CreateFile("C:\\Links\\dead.lnk", "x");
    prefix_.CreateFolder("C:\\Links\\Folder.lnk");
    const std::string outside = prefix_.Dir() + "/outside.txt";
    fs::create_symlink(outside, prefix_.HostPath("C:\\Links\\dangling.lnk"));

    EXPECT_TRUE(Sys().DeleteFileA("c:\\links\\DEAD.LNK"));
    EXPECT_FALSE(fs::exists(prefix_.HostPath("C:\\Links\\dead.lnk")));
    EXPECT_FALSE(Sys().DeleteFileA("C:\\Links\\dead.lnk"));  // already gone

    EXPECT_FALSE(Sys().DeleteFileA("C:\\Links\\Folder.lnk"));
    EXPECT_TRUE(fs::is_directory(prefix_.HostPath("C:\\Links\\Folder.lnk")));

    EXPECT_FALSE(Sys().DeleteFileA("C:\\Links\\dangling.lnk"));
    EXPECT_TRUE(fs::is_symlink(prefix_.HostPath("C:\\Links\\dangling.lnk")));
    // Nor may a text file be created through it.
    EXPECT_FALSE(Sys().OpenTextFile("C:\\Links\\dangling.lnk", platform::TextFileMode::Append));
    EXPECT_FALSE(fs::exists(outside));
}

TEST_F(PrefixTest, DeletingALinkedFileRemovesTheLinkNotItsTarget) {
    prefix_.CreateFile("C:\\Real\\target.txt", "keep");
    fs::create_symlink(prefix_.HostPath("C:\\Real\\target.txt"),
                       prefix_.HostPath("C:\\Real\\alias.lnk"));
    EXPECT_TRUE(Sys().DeleteFileA("C:\\Real\\alias.lnk"));
    EXPECT_FALSE(fs::is_symlink(prefix_.HostPath("C:\\Real\\alias.lnk")));
    EXPECT_EQ(ReadLines("C:\\Real\\target.txt"), "keep");
}

TEST_F(PrefixTest, CreateDirectoryMakesOneLevel) {
    EXPECT_FALSE(Sys().CreateDirectoryA("C:\\New\\Two"));
    EXPECT_FALSE(fs::exists(prefix_.Dir() + "/drive_c/New"));
    EXPECT_TRUE(Sys().CreateDirectoryA("C:\\New"));
    EXPECT_TRUE(Sys().CreateDirectoryA("C:\\new\\Two"));
    EXPECT_TRUE(fs::is_directory(prefix_.Dir() + "/drive_c/New/Two"));
    EXPECT_FALSE(Sys().CreateDirectoryA("C:\\NEW"));  // exists already
}

TEST_F(PrefixTest, CachedListingsFollowOurOwnChanges) {
    prefix_.CreateFile("C:\\Cache\\a.lnk", "x");
    Sys().SetDirectoryCaching(true);
    EXPECT_TRUE(Exists("C:\\Cache\\a.lnk"));
    EXPECT_FALSE(Exists("C:\\Cache\\Made"));
    // A change from outside is not seen during the scan: the listing is cached.
    prefix_.CreateFile("C:\\Cache\\later.txt", "x");
    EXPECT_FALSE(Exists("C:\\Cache\\later.txt"));
    // Our own delete and folder creation drop what they change.
    EXPECT_TRUE(Sys().DeleteFileA("C:\\Cache\\a.lnk"));
    EXPECT_FALSE(Exists("C:\\Cache\\a.lnk"));
    EXPECT_TRUE(Sys().CreateDirectoryA("C:\\Cache\\Made"));
    EXPECT_TRUE(Exists("C:\\cache\\made"));
    EXPECT_TRUE(Exists("C:\\Cache\\later.txt"));
    // Turning the cache off reads the disk again.
    fs::remove(prefix_.HostPath("C:\\Cache\\later.txt"));
    Sys().SetDirectoryCaching(false);
    EXPECT_FALSE(Exists("C:\\Cache\\later.txt"));
}

}  // namespace
