// Wine's short (8.3) names: the names Wine makes (checked against a table taken from Wine 8
// itself) and paths that use them, for existence tests, searches and shortcut targets.
#include <fstream>
#include <map>

#include "platform/codepage/Codepage.h"
#include "platform/wine/files/ShortName.h"
#include "tests/platform/files/FilesTestSupport.h"

using files_test::PrefixTest;
namespace files = platform::wine::files;

namespace {

// Long name -> the short name Wine gave it (data/make-wine-short-names.sh).
const std::map<std::string, std::string>& WineShortNames() {
    static const std::map<std::string, std::string> table = [] {
        std::map<std::string, std::string> rows;
        std::ifstream in(DRENNOW_SOURCE_DIR "/tests/platform/files/data/wine-short-names.txt");
        std::string line;
        while (std::getline(in, line)) {
            const auto tab = line.find('\t');
            if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
            rows.emplace(line.substr(0, tab), line.substr(tab + 1));
        }
        return rows;
    }();
    return table;
}

std::string Short(const std::string& longName) { return WineShortNames().at(longName); }

TEST(ShortNames, AsWineMakesThem) {
    ASSERT_GE(WineShortNames().size(), 40u) << "the table of Wine's short names is missing";
    for (const auto& [longName, wine] : WineShortNames()) {
        // Wine gives a valid 8.3 name back as it is: it has no other short name.
        const std::string expected = wine == longName ? "" : wine;
        EXPECT_EQ(files::ShortNameOfHostName(longName), expected) << longName;
    }
}

class ShortPaths : public PrefixTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        for (const char* name : {"Notepad Plus.exe", "Other Name.exe", "abc~1.txt", "README.TXT"})
            prefix_.CreateFile(Folder() + "\\" + name, "x");
        prefix_.CreateFile(
            "C:\\Donn\xc3\xa9"
            "es\\T\xc5\x8dol.exe",
            "x");
        Sys().SetDirectoryCaching(GetParam());
    }
    static std::string Folder() { return "C:\\Program Files\\Norton Utilities"; }
    static std::string ShortFolder() {
        return "C:\\" + Short("Program Files") + "\\" + Short("Norton Utilities");
    }
    static std::string Hashed(const char* legalName) {
        return platform::codepage::Utf16ToUtf8(
            files::HashShortName(platform::codepage::Utf8ToUtf16(legalName)));
    }
};

TEST_P(ShortPaths, ShortAndMixedPathsExist) {
    const std::string exe = Short("Notepad Plus.exe");
    std::string lower = ShortFolder() + "\\" + exe;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& path :
         {ShortFolder() + "\\" + exe, lower, ShortFolder() + "\\",
          "C:\\Program Files\\" + Short("Norton Utilities") + "\\Notepad Plus.exe",
          "C:\\" + Short("Program Files") + "\\Norton Utilities\\" + exe,
          ShortFolder() + "\\abc~1.txt",  // a valid 8.3 name with '~' is found by itself
          fixtures::TestPrefix::Ansi("C:\\Donn\xc3\xa9"
                                     "es\\") +
              Short("T\xc5\x8dol.exe")})
        EXPECT_TRUE(Exists(path)) << path;
}

TEST_P(ShortPaths, NamesWineDoesNotMakeAreMissing) {
    const std::string exe = Short("Notepad Plus.exe");
    std::string otherHash = exe;
    otherHash[7] = otherHash[7] == 'A' ? 'B' : 'A';
    for (const std::string& path :
         {std::string("C:\\PROGRA~1"), std::string("C:\\PROGRA~1\\Norton Utilities"),
          ShortFolder() + "\\" + otherHash, ShortFolder() + "\\" + exe.substr(0, exe.size() - 1),
          ShortFolder() + "\\" + exe.substr(0, 8), ShortFolder() + "\\" + exe + "\\",
          // Valid 8.3 names have no made name.
          ShortFolder() + "\\" + Hashed("README.TXT"), ShortFolder() + "\\" + Hashed("abc~1.txt")})
        EXPECT_FALSE(Exists(path)) << path;
}

TEST_P(ShortPaths, SearchesMatchShortFoldersAndShortNames) {
    using V = std::vector<std::string>;
    const V all = SearchNames(Folder() + "\\*");
    EXPECT_EQ(SearchNames(ShortFolder() + "\\*"), all);
    // As in Wine, a mask is matched against the made short names too.
    EXPECT_EQ(SearchNames(Folder() + "\\" + Short("Notepad Plus.exe")), V{"Notepad Plus.exe"});
    EXPECT_EQ(SearchNames(ShortFolder() + "\\????~*"), (V{"Notepad Plus.exe", "Other Name.exe"}));
    EXPECT_EQ(SearchNames(Folder() + "\\PROGRA~1"), V{});
}

TEST_P(ShortPaths, ShortcutTargetsResolveShortNames) {
    platform::shelllink::ShellLinkRecipe recipe;
    recipe.withLinkInfo = false;  // the relative path decides
    recipe.relativePath = platform::codepage::Utf8ToUtf16("..\\" + Short("Norton Utilities") +
                                                          "\\" + Short("Notepad Plus.exe"));
    prefix_.CreateShortcut("C:\\Program Files\\Links\\np.lnk", "C:\\gone\\np.exe", recipe);
    // Found beside the shortcut only when the short names resolve.
    EXPECT_EQ(Sys().GetShortcutTarget("C:\\Program Files\\Links\\np.lnk"),
              "C:\\Program Files\\" + Short("Norton Utilities") + "\\" + Short("Notepad Plus.exe"));
}

INSTANTIATE_TEST_SUITE_P(CacheOffOn, ShortPaths, ::testing::Bool());

}  // namespace
