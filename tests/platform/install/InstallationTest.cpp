// Finding a Wine installation on disk, and which values it counts as its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/codepage/Codepage.h"
#include "platform/wine/install/InstallationLocator.h"
#include "platform/wine/install/WineInstallation.h"
#include "tests/fixtures/InstallationFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::wine::LocateInstallation;

class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override {
        base = fs::temp_directory_path() / ("drennow-install-" + std::to_string(::getpid()));
        fs::remove_all(base);
        fixtures::MakeInstallationFolder(base / "opt" / "wine");
        // A launcher folder whose wine is a link into the installation.
        fs::create_directories(base / "links" / "bin");
        fs::create_symlink(base / "opt" / "wine" / "bin" / "wine", base / "links" / "bin" / "wine");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(base, ignored);
    }
    fs::path base;
};

TEST_F(InstallationTest, LocatesTheInstallationFromItsRootItsProgramOrPath) {
    const std::string root = (base / "opt" / "wine").string();
    const std::string empty = (base / "links").string();  // no wine directly in it
    struct Case {
        std::string choice, path;
        bool found;
    } cases[] = {
        {root, "", true},                                             // --wine ROOT
        {root + "/bin/wine", "", true},                               // WINE=program
        {(base / "links" / "bin" / "wine").string(), "", true},       // a link to the program
        {"", empty + ":" + (base / "links" / "bin").string(), true},  // PATH, link resolved
        {"", empty, false},                                           // no wine on PATH
        {"wine", (base / "links" / "bin").string(), true},            // WINE=wine, on PATH
        {(base / "nowhere").string(), (base / "links" / "bin").string(), false},  // bad choice
        {empty, "", false},  // a folder that is none
    };
    for (const Case& c : cases) {
        std::string note;
        const auto place = LocateInstallation(c.choice, c.path, note);
        ASSERT_EQ(place.has_value(), c.found) << c.choice << " / " << c.path;
        if (place) {
            EXPECT_EQ(fs::path(place->dataDir), fs::path(root) / "share" / "wine");
            EXPECT_EQ(fs::path(place->fontModule),
                      fs::path(root) / "lib" / "wine" / "x86_64-unix" / "win32u.so");
            EXPECT_TRUE(note.empty());
        } else {
            EXPECT_NE(note.find("Wine's own entries are reported"), std::string::npos) << note;
        }
    }
}

TEST_F(InstallationTest, CountsAsItsOwnOnlyWhatItWrites) {
    std::string note;
    const auto place = LocateInstallation((base / "opt" / "wine").string(), "", note);
    ASSERT_TRUE(place);
    const auto installation = platform::wine::WineInstallation::Read(*place);
    const platform::HKEY hklm = platform::HKEY_LOCAL_MACHINE;
    const char16_t* nt = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    const char16_t* win = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
    struct Case {
        platform::HKEY root;
        std::u16string key, name, data;
        bool own;
    } cases[] = {
        {hklm, u"Software\\Microsoft\\DirectMusic", u"GMFilePath",
         u"C:\\windows\\system32\\drivers\\gm.dls", true},
        {hklm, u"SOFTWARE\\microsoft\\directmusic", u"gmfilepath",
         u"c:\\WINDOWS\\system32\\drivers\\GM.DLS", true},
        {hklm, u"Software\\Wow6432Node\\Microsoft\\DirectMusic", u"GMFilePath",
         u"C:\\windows\\syswow64\\drivers\\gm.dls", true},
        {hklm, u"Software\\Microsoft\\DirectMusic", u"GMFilePath",
         u"C:\\Program Files\\Synth\\gm.dls", false},  // an installer's own file
        {platform::HKEY_CURRENT_USER, u"Software\\Microsoft\\DirectMusic", u"GMFilePath",
         u"C:\\windows\\system32\\drivers\\gm.dls", false},
        {hklm, u"Software\\Microsoft\\DirectMusic", u"Other",
         u"C:\\windows\\system32\\drivers\\gm.dls", false},
        {platform::HKEY_CLASSES_ROOT, u"chm.file\\DefaultIcon", u"", u"C:\\windows\\hh.exe,0",
         true},
        {hklm, u"Software\\Classes\\chm.file\\DefaultIcon", u"", u"C:\\windows\\hh.exe,0", true},
        {hklm, u"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wordpad.exe", u"",
         u"C:\\Program Files\\Windows NT\\wordpad.exe", true},
        {hklm, nt, u"Courier", u"coure.fon", true},
        {hklm, win, u"MS Serif", u"serife.fon", true},  // only the tail of another string
        {hklm, nt, u"Small Fonts", u"SMALLE.FON", true},
        {hklm, nt, u"MS Sans Serif", u"sseriff.fon", true},  // the 120 dpi choice
        {hklm, nt, u"Dead Sans", u"coure.fon", false},       // a name Wine gives no font
        {hklm, nt, u"Courier", u"deadsans.ttf", false},      // a file Wine names nowhere
        {hklm, nt, u"Courier", u"C:\\windows\\Fonts\\coure.fon", false},  // not Wine's form
        {hklm, u"Software\\Vendor\\Fonts", u"Courier", u"coure.fon", false},
        {hklm, nt, u"ELF", u"ELF", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(installation.Writes(c.root, c.key, c.name, c.data), c.own)
            << platform::codepage::Utf16ToUtf8(c.key) << " "
            << platform::codepage::Utf16ToUtf8(c.name) << " = "
            << platform::codepage::Utf16ToUtf8(c.data);
}

}  // namespace
