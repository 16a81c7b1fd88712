// The quick answers a scan gets with caching on (remembered folders, remembered drives) are
// the answers the uncached backend gives, and follow changes the backend itself makes.
#include <filesystem>

#include "tests/platform/files/FilesTestSupport.h"

namespace fs = std::filesystem;
using files_test::PrefixTest;

namespace {

class CachedLookup : public PrefixTest {
protected:
    void SetUp() override {
        prefix_.CreateFile("C:\\Program Files\\Vendor One\\Tool 2000\\tool.exe", "MZ");
        prefix_.CreateFile("C:\\Program Files\\Vendor One\\Tool 2000\\bin\\core.dll", "MZ");
        prefix_.CreateFile("C:\\Data\\notes", "x");
        prefix_.CreateFolder("C:\\Data\\tool");
    }
    // Every path asked twice in a row and once more after others, so remembered folders are
    // used on the second and third time.
    std::vector<bool> Answers(const std::vector<std::string>& paths) {
        std::vector<bool> out;
        for (int round = 0; round < 3; ++round)
            for (const auto& path : paths) out.push_back(Exists(path));
        return out;
    }
};

const std::vector<std::string> kPaths = {
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.e",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.exe",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.exe /run",
    "c:\\PROGRAM FILES\\vendor one\\TOOL 2000\\BIN\\Core.DLL",
    "C:/Program Files/Vendor One/Tool 2000/bin/core.dll",
    "C:\\Program Files\\Vendor One\\Tool 2000\\bin\\..\\tool.exe. . ",
    "C:\\Program Files\\Vendor One.\\Tool 2000\\tool.exe",
    "C:\\Program Files\\Vendor One \\Tool 2000\\tool.exe",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.exe\\",
    "C:\\Program Files\\Vendor One\\Tool 2000\\bin\\",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.exe\\core.dll",
    "C:\\Program Files\\Vendor One\\Tool 2000\\to?l.exe",
    "C:\\Program Files\\Vendor One\\Tool 2000\\tool.exe -x /y",
    "C:\\Data\\notes\\..",
    "C:\\Data\\tool\\.",
    "C:\\Data\\notes\\.",
    "\\\\?\\C:\\Data\\notes",
    "\\\\?\\C:",
    "C:",
    "C:\\",
    "C:tool.exe",
    "D:\\Data\\notes",
    "\\\\server\\share\\file.txt",
};

TEST_F(CachedLookup, AnswersAsTheUncachedBackend) {
    const std::vector<bool> uncached = Answers(kPaths);
    Sys().SetDirectoryCaching(true);
    const std::vector<bool> cached = Answers(kPaths);
    Sys().SetDirectoryCaching(false);
    for (std::size_t i = 0; i < cached.size(); ++i)
        EXPECT_EQ(cached[i], uncached[i]) << kPaths[i % kPaths.size()];
    // A few answers spelled out, so that both ways cannot be wrong together.
    EXPECT_TRUE(uncached[3]);
    EXPECT_FALSE(uncached[0]);
    EXPECT_TRUE(uncached[5]);
    EXPECT_FALSE(uncached[10]);  // a file named with a separator at its end
    EXPECT_TRUE(uncached[11]);
    EXPECT_FALSE(uncached[12]);  // a file used as a folder
}

TEST_F(CachedLookup, FollowsDeletionsAndNewFoldersOfTheBackend) {
    Sys().SetDirectoryCaching(true);
    const std::string dll = "C:\\Program Files\\Vendor One\\Tool 2000\\bin\\core.dll";
    const std::string folder = "C:\\Program Files\\Vendor One\\Tool 2000\\bin\\plugins";
    ASSERT_TRUE(Exists(dll));
    ASSERT_FALSE(Exists(folder + "\\a.dll"));
    EXPECT_TRUE(Sys().DeleteFileA(dll.c_str()));
    EXPECT_FALSE(Exists(dll));
    EXPECT_TRUE(Sys().CreateDirectoryA(folder.c_str()));
    EXPECT_TRUE(Exists(folder));
    EXPECT_FALSE(Exists(folder + "\\a.dll"));
    prefix_.CreateFile(folder + "\\a.dll", "MZ");
    // Made behind the backend's back: the scan's remembered listing stays as it was ...
    EXPECT_FALSE(Exists(folder + "\\a.dll"));
    Sys().SetDirectoryCaching(false);
    // ... until the scan ends.
    EXPECT_TRUE(Exists(folder + "\\a.dll"));
}

TEST_F(CachedLookup, DrivesAreReadOncePerScan) {
    prefix_.AddDrive('d', "../drive_d");
    const auto drives = [this] {
        char buffer[128] = {};
        const platform::DWORD n = Sys().GetLogicalDriveStringsA(sizeof(buffer), buffer);
        return std::string(buffer, n);
    };
    const std::string before = drives();
    EXPECT_EQ(before, std::string("C:\\\0D:\\\0", 8));
    Sys().SetDirectoryCaching(true);
    EXPECT_EQ(drives(), before);
    EXPECT_EQ(Sys().GetDriveTypeA("D:\\"), platform::DRIVE_FIXED);
    prefix_.AddDrive('e', "../drive_e");
    fs::remove(prefix_.Dir() + "/dosdevices/d:");
    EXPECT_EQ(drives(), before);
    EXPECT_EQ(Sys().GetDriveTypeA("D:\\"), platform::DRIVE_FIXED);
    Sys().SetDirectoryCaching(false);
    EXPECT_EQ(drives(), std::string("C:\\\0E:\\\0", 8));
    EXPECT_EQ(Sys().GetDriveTypeA("D:\\"), platform::DRIVE_NO_ROOT_DIR);
}

}  // namespace

namespace {

std::vector<std::string> Listing(platform::Services& sys, const std::string& pattern) {
    std::vector<std::string> out;
    auto search = sys.FindFirstFileA(pattern.c_str());
    if (!search) return {"<none>"};
    platform::FindEntry entry;
    while (search->Next(entry))
        out.push_back(entry.name + (entry.directory ? "/" : "") + " " + entry.path);
    const platform::FolderId id = search->FolderIdentity();
    out.push_back(std::to_string(id.device != 0) + std::to_string(id.inode));
    return out;
}

TEST_F(CachedLookup, SearchesDuringAScanListAsOutsideOne) {
    prefix_.CreateFolder("C:\\Data\\Sub");
    prefix_.CreateFile("C:\\Data\\b.lnk", "x");
    prefix_.CreateFile("C:\\Data\\A.txt", "x");
    fs::create_directory_symlink("Sub", prefix_.HostPath("C:\\Data\\Linked"));
    fs::create_symlink("nowhere", prefix_.HostPath("C:\\Data\\Dangling"));
    const std::vector<std::string> patterns = {"C:\\Data\\*.*", "C:\\Data\\*.lnk", "C:\\*",
                                               "C:\\Data\\Sub\\*.*", "C:\\Nothing\\*.*"};
    std::vector<std::vector<std::string>> outside;
    for (const auto& pattern : patterns) outside.push_back(Listing(Sys(), pattern));
    Sys().SetDirectoryCaching(true);
    // Once with the folder's listing not read yet, once with it read by a lookup before.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < patterns.size(); ++i)
            EXPECT_EQ(Listing(Sys(), patterns[i]), outside[i]) << patterns[i] << " " << round;
        Sys().SetDirectoryCaching(false);
        Sys().SetDirectoryCaching(true);
        EXPECT_TRUE(Exists("C:\\Data\\A.txt"));
        EXPECT_TRUE(Exists("C:\\Data\\Sub\\."));
    }
    Sys().SetDirectoryCaching(false);
    ASSERT_GE(outside[0].size(), 6u);
    EXPECT_EQ(outside[0][0].substr(0, 3), "./ ");
    EXPECT_EQ(outside[4], std::vector<std::string>{"<none>"});
}

}  // namespace

namespace {

TEST_F(CachedLookup, NamesBeyondAsciiAnswerAsOutsideAScan) {
    prefix_.CreateFile(
        "C:\\Donn\xc3\xa9"
        "es\\\xc3\x89t\xc3\xa9.txt",
        "x");  // Données\Été.txt
    const std::vector<std::string> paths = {
        fixtures::TestPrefix::Ansi("C:\\DONN\xc3\x89"
                                   "ES\\\xc3\xa9t\xc3\xa9.TXT"),
        fixtures::TestPrefix::Ansi("C:\\Donn\xc3\xa9"
                                   "es\\\xc3\x89t\xc3\xa9.txt"),
        fixtures::TestPrefix::Ansi("C:\\Donn\xc3\xa9"
                                   "es\\ete.txt"),
        "C:\\Donnees\\Ete.txt",
    };
    const std::vector<bool> uncached = Answers(paths);
    Sys().SetDirectoryCaching(true);
    EXPECT_EQ(Answers(paths), uncached);
    Sys().SetDirectoryCaching(false);
    EXPECT_EQ(uncached[0], true);
    EXPECT_EQ(uncached[1], true);
    EXPECT_EQ(uncached[2], false);
    EXPECT_EQ(uncached[3], false);
}

}  // namespace
