// Every checker's fine and problem cases, judged against a real small prefix, and the
// existence test they share.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Checkers.h"
#include "engine/PathTest.h"
#include "engine/Sections.h"
#include "tests/fixtures/TestPrefix.h"

using fixtures::TestPrefix;
using platform::REG_BINARY;
using platform::REG_DWORD;
using platform::REG_EXPAND_SZ;
using platform::REG_MULTI_SZ;
using platform::REG_SZ;

namespace {

constexpr engine::Verdict kFine = engine::Verdict::Fine;
constexpr engine::Verdict kProblem = engine::Verdict::Problem;

class Checkers : public ::testing::Test {
protected:
    void SetUp() override {
        prefix_.CreateFile("C:\\windows\\notepad.exe", "MZ");
        prefix_.CreateFile("C:\\windows\\system32\\present.dll", "MZ");
        prefix_.CreateFile("C:\\windows\\Fonts\\heresans.ttf", "font");
        prefix_.CreateFile("C:\\windows\\media\\chord.wav", "RIFF");
        prefix_.CreateFile("C:\\windows\\help\\here.hlp", "help");
        prefix_.CreateFile("C:\\Program Files\\Here App\\here.exe", "MZ");
        prefix_.AddDrive('d', "../drive_d");
        prefix_.SetString(fixtures::Hive::System, "Software\\Wine\\Drives", "d:", "cdrom");
        services_ = prefix_.Open();
        ASSERT_TRUE(services_);
    }

    // Judges a value with `section`'s checker through the section dispatch.
    engine::Verdict Check(int section, const std::string& key, const std::string& name,
                          const std::string& data, platform::DWORD type = REG_SZ) {
        std::vector<platform::BYTE> bytes(data.begin(), data.end());
        bytes.push_back(0);
        return engine::CheckSectionValue(
            section, *services_,
            {key, name, bytes.data(), type, static_cast<platform::DWORD>(bytes.size())});
    }
    engine::Verdict CheckDword(int section, const std::string& key, const std::string& name,
                               std::uint32_t number) {
        platform::BYTE bytes[4];
        std::memcpy(bytes, &number, 4);
        return engine::CheckSectionValue(section, *services_, {key, name, bytes, REG_DWORD, 4});
    }

    TestPrefix prefix_;
    std::unique_ptr<platform::Services> services_;
};

const std::string kAnyKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";
const std::string kInproc = "HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32";

}  // namespace

TEST_F(Checkers, ExistenceTest) {
    EXPECT_TRUE(engine::PathExists(*services_, ""));
    EXPECT_TRUE(engine::PathExists(*services_, "C:\\no such folder"));  // no dot
    EXPECT_TRUE(engine::PathExists(*services_, "C:\\Program Files\\Here App\\here.exe /quiet"));
    EXPECT_TRUE(engine::PathExists(*services_, "c:\\PROGRAM FILES\\here app\\HERE.EXE"));
    EXPECT_FALSE(engine::PathExists(*services_, "C:\\Program Files\\Gone App\\gone.exe /quiet"));
    EXPECT_FALSE(engine::PathExists(*services_, "C:\\windows\\gone.exe"));
    // The prefix that stops just before the dot names a folder of the same name.
    prefix_.CreateFolder("C:\\data\\archive");
    EXPECT_TRUE(engine::PathExists(*services_, "C:\\data\\archive.zip"));
}

TEST_F(Checkers, OnlyStringAndDwordTypesAreJudged) {
    for (int section : {1, 3, 5, 8, 13}) {
        EXPECT_EQ(Check(section, kAnyKey, "", "C:\\gone\\x.exe", REG_BINARY), kFine) << section;
        EXPECT_EQ(Check(section, kAnyKey, "", "C:\\gone\\x.exe", REG_MULTI_SZ), kFine) << section;
    }
    for (int section : {4, 11, 14, 0, 15})
        EXPECT_EQ(Check(section, kAnyKey, "n", "C:\\gone\\x.exe"), kFine) << section;
}

TEST_F(Checkers, RegistryIntegrity) {
    EXPECT_EQ(Check(1, kAnyKey, "Cache", "C:\\gone\\cache.dir"), kProblem);
    EXPECT_EQ(Check(1, kAnyKey, "Fonts", "C:\\windows\\Fonts"), kFine);
    EXPECT_EQ(Check(1, kAnyKey, "Missing", "C:\\no such folder"), kFine);  // no dot
    EXPECT_EQ(Check(1, kAnyKey, "Empty", ""), kProblem);
    EXPECT_EQ(Check(1, kAnyKey, "", ""), kFine);
    EXPECT_EQ(Check(1, kAnyKey, "Short", "ab"), kFine);
    EXPECT_EQ(Check(1, kAnyKey, "Relative", "gone\\x.dir"), kFine);
    EXPECT_EQ(Check(1, kAnyKey, "Quoted", "\"C:\\windows\\notepad.exe\""), kFine);
    EXPECT_EQ(Check(1, kAnyKey, "Fonts", "%SystemRoot%\\Fonts\\heresans.ttf", REG_EXPAND_SZ),
              kFine);
    EXPECT_EQ(Check(1, kAnyKey, "Old", "%SystemRoot%\\Gone\\old.dir", REG_EXPAND_SZ), kProblem);
    // Unexpanded, the same text is not a drive path at all.
    EXPECT_EQ(Check(1, kAnyKey, "Old", "%SystemRoot%\\Gone\\old.dir", REG_SZ), kFine);
}

TEST_F(Checkers, CustomControls) {
    EXPECT_EQ(Check(2, kInproc, "", "present.dll"), kFine);
    EXPECT_EQ(Check(2, kInproc, "", "notepad.exe"), kFine);  // in the Windows folder
    EXPECT_EQ(Check(2, kInproc, "", "gonectl.dll"), kProblem);
    EXPECT_EQ(Check(2, "HKEY_CLASSES_ROOT\\CLSID\\{1}\\inprocSERVER32", "", "gonectl.dll"),
              kProblem);
    EXPECT_EQ(Check(2, kInproc, "ThreadingModel", "gone.dll"), kFine);
    EXPECT_EQ(Check(2, kInproc, "", "C:\\Program Files\\Gone\\gone.ocx"), kProblem);
    EXPECT_EQ(Check(2, kInproc, "", "C:\\windows\\system32\\present.dll"), kFine);
    EXPECT_EQ(Check(2, kInproc, "", "\"C:\\Program Files\\Gone\\gone.ocx\""), kFine);
    EXPECT_EQ(Check(2, "HKEY_CLASSES_ROOT\\CLSID\\{1}\\LocalServer32", "", "gone.exe"), kFine);
    EXPECT_EQ(Check(2, kInproc + "\\Sub", "", "gone.dll"), kFine);
    // The first occurrence decides: an earlier InprocServer32 in the path makes it fine.
    EXPECT_EQ(Check(2, "HKEY_CLASSES_ROOT\\InprocServer32\\x\\InprocServer32", "", "gone.dll"),
              kFine);
}

TEST_F(Checkers, SoftwareLocations) {
    EXPECT_EQ(Check(3, kAnyKey, "", "\"C:\\Program Files\\Here App\\here.exe\" /start"), kFine);
    EXPECT_EQ(Check(3, kAnyKey, "", "\"C:\\Program Files\\Gone App\\gone.exe\" /start"), kProblem);
    EXPECT_EQ(Check(3, kAnyKey, "", "C:\\windows\\notepad.exe;C:\\gone"), kFine);
    EXPECT_EQ(Check(3, kAnyKey, "Path", "C:\\gone\\x.exe"), kFine);
    EXPECT_EQ(Check(3, kAnyKey, "", "gone.exe"), kFine);
}

TEST_F(Checkers, WindowsFonts) {
    EXPECT_EQ(Check(5, kAnyKey, "Here Sans (TrueType)", "heresans.ttf"), kFine);
    EXPECT_EQ(Check(5, kAnyKey, "Gone Sans (TrueType)", "gonesans.ttf"), kProblem);
    EXPECT_EQ(Check(5, kAnyKey, "Blank", ""), kProblem);
    EXPECT_EQ(Check(5, kAnyKey, "B", ""), kFine);
    EXPECT_EQ(Check(5, kAnyKey, "Full", "C:\\windows\\Fonts\\heresans.ttf"), kFine);
    EXPECT_EQ(Check(5, kAnyKey, "Full", "C:\\Fonts\\heresans.ttf"), kProblem);
    EXPECT_EQ(Check(5, kAnyKey, "NoDot", "arial"), kFine);
}

TEST_F(Checkers, HelpAndResources) {
    EXPECT_EQ(Check(6, kAnyKey, "here.hlp", "C:\\windows\\help"), kFine);
    EXPECT_EQ(Check(6, kAnyKey, "here.hlp", "C:\\windows\\help\\"), kFine);
    EXPECT_EQ(Check(6, kAnyKey, "gone.hlp", "C:\\windows\\help"), kProblem);
    EXPECT_EQ(Check(6, kAnyKey, "gone.hlp", ""), kProblem);
    EXPECT_EQ(Check(6, kAnyKey, "", "C:\\gone\\x.hlp"), kFine);
    EXPECT_EQ(Check(6, kAnyKey, "gone.hlp", "help"), kFine);  // not a drive path
}

TEST_F(Checkers, SharedPrograms) {
    EXPECT_EQ(CheckDword(7, kAnyKey, "C:\\windows\\system32\\present.dll", 1), kFine);
    EXPECT_EQ(CheckDword(7, kAnyKey, "C:\\Program Files\\Common Files\\gone.dll", 1), kProblem);
    EXPECT_EQ(Check(7, kAnyKey, "C:\\Program Files\\Common Files\\gone.dll", "x"), kProblem);
    EXPECT_EQ(CheckDword(7, kAnyKey, "gone.dll", 1), kFine);
}

TEST_F(Checkers, StartupPrograms) {
    EXPECT_EQ(Check(8, kAnyKey, "Notepad", "notepad.exe"), kFine);
    EXPECT_EQ(Check(8, kAnyKey, "Updater", "gonesvc.exe"), kProblem);
    EXPECT_EQ(Check(8, kAnyKey, "Agent", "C:\\Program Files\\Gone\\agent.exe /background"),
              kProblem);
    EXPECT_EQ(Check(8, kAnyKey, "Quoted", "\"C:\\Program Files\\Gone\\agent.exe\""), kFine);
    EXPECT_EQ(Check(8, kAnyKey, "Dll", "rundll32 shell32.dll,Control_RunDLL"), kFine);
    EXPECT_EQ(Check(8, kAnyKey, "Here", "C:\\Program Files\\Here App\\here.exe -min"), kFine);
}

TEST_F(Checkers, AddRemovePrograms) {
    const std::string gone = "\"C:\\Program Files\\Gone\\unins000.exe\" /SILENT";
    EXPECT_EQ(Check(9, kAnyKey, "UninstallString", gone), kProblem);
    EXPECT_EQ(Check(9, kAnyKey, "uninstallSTRING", gone), kProblem);
    EXPECT_EQ(Check(9, kAnyKey, "QuietUninstallString", gone), kFine);
    EXPECT_EQ(Check(9, kAnyKey, "UninstallString", "msiexec /x {1}"), kFine);
    EXPECT_EQ(Check(9, kAnyKey, "UninstallString", "C:\\Program Files\\Here App\\here.exe /u"),
              kFine);
    EXPECT_EQ(CheckDword(9, kAnyKey, "C:\\Program Files\\Gone\\cache.dat", 0), kProblem);
    EXPECT_EQ(CheckDword(9, kAnyKey, "cache.dat", 0), kFine);
    EXPECT_EQ(Check(9, kAnyKey, "C:\\Program Files\\Gone\\cache.dat", ""), kFine);
}

TEST_F(Checkers, VirtualDevices) {
    EXPECT_EQ(Check(10, kAnyKey, "VDD", "C:\\windows\\system32\\gonevdd.dll"), kProblem);
    EXPECT_EQ(Check(10, kAnyKey, "VDD", "C:\\windows\\system32\\present.dll"), kFine);
    EXPECT_EQ(Check(10, kAnyKey, "Dev", "VDD0"), kFine);
    // Not cleaned: the quote makes it no drive path.
    EXPECT_EQ(Check(10, kAnyKey, "VDD", "\"C:\\gone.dll\""), kFine);
}

TEST_F(Checkers, SoundAndAppevents) {
    EXPECT_EQ(Check(12, kAnyKey, "", "chord.wav"), kFine);  // only in media
    EXPECT_EQ(Check(12, kAnyKey, "", "notepad.exe"), kFine);
    EXPECT_EQ(Check(12, kAnyKey, "", "gone.wav"), kProblem);
    EXPECT_EQ(Check(12, kAnyKey, "", "C:\\windows\\media\\gone exit.wav"), kProblem);
    EXPECT_EQ(Check(12, kAnyKey, "", "C:\\windows\\media\\chord.wav"), kFine);
    EXPECT_EQ(Check(12, kAnyKey, "", ""), kFine);
    EXPECT_EQ(Check(12, kAnyKey, "", "%SystemRoot%\\media\\gone.wav", REG_EXPAND_SZ), kFine);
}

TEST_F(Checkers, ValidFilesPath) {
    EXPECT_EQ(Check(13, kAnyKey, "InstallDir", "C:\\Program Files\\Gone\\gone.exe"), kProblem);
    EXPECT_EQ(Check(13, kAnyKey, "Cmd", "\"C:\\Program Files\\Gone\\gone.exe\" -x"), kProblem);
    EXPECT_EQ(Check(13, kAnyKey, "Here", "C:\\Program Files\\Here App\\here.exe"), kFine);
    EXPECT_EQ(Check(13, kAnyKey, "List", "C:\\windows\\notepad.exe;C:\\gone.exe"), kFine);
    EXPECT_EQ(Check(13, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Advanced INF Setup\\IE", "x",
                    "C:\\gone.exe"),
              kFine);
    EXPECT_EQ(Check(13, kAnyKey, "LastBackupFile", "C:\\gone.exe"), kFine);
    EXPECT_EQ(Check(13, kAnyKey, "systemdb", "C:\\gone.exe"), kFine);
    // D: is an optical drive: its paths are never judged.
    EXPECT_EQ(Check(13, kAnyKey, "Disc", "D:\\gone.exe"), kFine);
    EXPECT_EQ(Check(13, kAnyKey, "Relative", "gone.exe"), kFine);
    // A DWORD whose data cannot spell a path is fine whatever its name.
    EXPECT_EQ(CheckDword(13, kAnyKey, "C:\\gone.exe", 1), kFine);
}

TEST(CleanedText, RemovesQuotesAndReplacesSeparators) {
    EXPECT_EQ(engine::CleanedText(" \"C:\\a b\\x.exe\",1 "), "C:\\a b\\x.exe 1");
    EXPECT_EQ(engine::CleanedText("a?b*c<d>e|f;g"), "a b c d e f;g");
    EXPECT_EQ(engine::CleanedText("a;b", true), "a b");
    EXPECT_EQ(engine::CleanedText("\"\""), "");
}
