// A 64-bit prefix with its 32-bit half, after a 32-bit setup program: every value is judged in
// the view of the program that reads it, the sections walk both halves of their keys, and a
// value behind a link key is reported once per section.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <tuple>

#include "engine/ScanSession.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/Wow64Prefix.h"

namespace {

using fixtures::Hive;
using Found = std::multiset<std::tuple<int, std::string, std::string>>;  // section, key, name

// Every registry section of a scan: what each reported, by its key and value name.
Found ScanRegistry(platform::Services& services) {
    enginetest::ScriptHost host;
    engine::ScanSession session(services, host);
    session.SetPumpInterval(std::chrono::milliseconds(0));
    engine::SectionRows rows = engine::BuildSectionRows(services);
    for (engine::SectionRow& row : rows) row.selected = row.drive.empty();
    session.Scan(rows);
    Found found;
    for (int section = 1; section < engine::kSectionCount; ++section)
        for (const engine::Problem& p : session.Results().Section(section).problems)
            found.insert({section, p.key, p.name});
    return found;
}

TEST(Wow64Views, FreshPrefixesScanClean) {
    fixtures::Wow64Prefix wow64;
    EXPECT_EQ(ScanRegistry(*wow64.Open()), Found{});
    fixtures::TestPrefix plain;  // 64-bit, without a 32-bit half
    EXPECT_EQ(ScanRegistry(*plain.Open()), Found{});
}

TEST(Wow64Views, ASetupsEntriesAreJudgedInTheViewOfTheProgramThatReadsThem) {
    fixtures::Wow64Prefix prefix;
    for (const char* file :
         {"C:\\windows\\syswow64\\wowhelper.exe", "C:\\windows\\syswow64\\wowcom.dll",
          "C:\\windows\\syswow64\\wowbare.exe", "C:\\windows\\syswow64\\catroot\\only32.cat",
          "C:\\windows\\system32\\native64.exe", "C:\\windows\\system32\\catroot\\vendor.cat",
          "C:\\windows\\system32\\drivers\\etc\\vendor.conf",
          "C:\\Program Files (x86)\\Vendor\\app.exe",
          "C:\\Program Files (x86)\\Common Files\\Vendor\\shared.dll",
          "C:\\Program Files\\Common Files\\Vendor\\shared64.dll"})
        prefix.CreateFile(file);

    constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    constexpr const char* kRun32 = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    constexpr const char* kApp = "Software\\Wow6432Node\\Vendor\\App";
    constexpr const char* kFolders32 =
        "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    constexpr const char* kClsid32 = "Software\\Classes\\Wow6432Node\\CLSID";
    // A shared key: written by either kind of program.
    prefix.AddKeyBlock(Hive::System, kRun,
                       "\"WowHelper\"=\"C:\\\\windows\\\\system32\\\\wowhelper.exe\"\n"
                       "\"Bare\"=\"wowbare.exe\"\n"
                       "\"Native\"=\"C:\\\\windows\\\\system32\\\\native64.exe\"\n"
                       "\"Gone\"=\"C:\\\\windows\\\\system32\\\\gone.exe\"");
    prefix.AddKeyBlock(Hive::System, kRun32,
                       "\"WowHelper\"=\"C:\\\\windows\\\\system32\\\\wowhelper.exe\"\n"
                       "\"Bare\"=\"wowbare.exe\"\n"
                       "\"BareGone\"=\"gonebare.exe\"");
    prefix.AddKeyBlock(
        Hive::System, kApp,
        "\"Path\"=\"C:\\\\Program Files (x86)\\\\Vendor\\\\app.exe\"\n"
        "\"Sysnative\"=\"C:\\\\windows\\\\sysnative\\\\native64.exe\"\n"
        "\"Catalog\"=\"C:\\\\windows\\\\system32\\\\catroot\\\\vendor.cat\"\n"
        "\"Hosts\"=\"C:\\\\windows\\\\system32\\\\drivers\\\\etc\\\\vendor.conf\"\n"
        // Missing as the 32-bit program reads them, though a 64-bit one would find them.
        "\"Only64\"=\"C:\\\\windows\\\\system32\\\\native64.exe\"\n"
        "\"ExemptOnly32\"=\"C:\\\\windows\\\\system32\\\\catroot\\\\only32.cat\"");
    prefix.AddKeyBlock(Hive::System, kFolders32,
                       "\"Vendor\"=str(2):\"%ProgramFiles%\\\\Vendor\\\\app.exe\"\n"
                       "\"Only64\"=str(2):\"%CommonProgramFiles%\\\\Vendor\\\\shared64.dll\"");
    prefix.AddKeyBlock(Hive::System,
                       std::string(kClsid32) +
                           "\\{11111111-2222-3333-4444-555555555555}"
                           "\\InprocServer32",
                       "@=\"C:\\\\windows\\\\system32\\\\wowcom.dll\"");
    prefix.AddKeyBlock(Hive::System,
                       std::string(kClsid32) +
                           "\\{66666666-2222-3333-4444-555555555555}"
                           "\\InprocServer32",
                       "@=\"C:\\\\windows\\\\system32\\\\gonecom.dll\"");
    prefix.AddKeyBlock(
        Hive::System, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
        "\"C:\\\\Program Files (x86)\\\\Common Files\\\\Vendor\\\\shared.dll\"=dword:00000001\n"
        "\"C:\\\\windows\\\\system32\\\\wowcom.dll\"=dword:00000001\n"
        "\"C:\\\\Program Files (x86)\\\\Common Files\\\\Gone\\\\gone.dll\"=dword:00000001");
    constexpr const char* kUninstall32 =
        "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    prefix.AddKeyBlock(Hive::System, std::string(kUninstall32) + "\\Vendor",
                       "\"UninstallString\"=\"C:\\\\Program Files (x86)\\\\Vendor\\\\app.exe\"");
    prefix.AddKeyBlock(Hive::System, std::string(kUninstall32) + "\\Gone",
                       "\"UninstallString\"=\"C:\\\\Program Files (x86)\\\\Gone\\\\uninst.exe\"");
    // Behind a link: the 32-bit App Paths are the 64-bit ones.
    prefix.AddKeyBlock(Hive::System,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe",
                       "@=\"C:\\\\Gone\\\\gone.exe\"");

    const std::string lm = "[HKEY_LOCAL_MACHINE\\";
    const std::string sw = lm + "SOFTWARE\\";
    const std::string run = "Microsoft\\Windows\\CurrentVersion\\Run]";
    const std::string gone32 = "Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gone]";
    const std::string dead32 = "{66666666-2222-3333-4444-555555555555}\\InprocServer32]";
    const Found expected = {
        {1, lm + kFolders32 + "]", "\"Only64\""},
        {2, "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\" + dead32, "@"},
        {3, lm + "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe]", "@"},
        {7, lm + "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs]",
         "\"C:\\\\Program Files (x86)\\\\Common Files\\\\Gone\\\\gone.dll\""},
        {8, lm + "SOFTWARE\\" + run, "\"Gone\""},
        {8, sw + "Wow6432Node\\" + run, "\"BareGone\""},
        {9, lm + "Software\\" + gone32, "\"UninstallString\""},
        {13, sw + "Classes\\Wow6432Node\\CLSID\\" + dead32, "@"},
        {13, sw + "Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe]", "@"},
        {13, sw + run, "\"Gone\""},
        {13, sw + "Wow6432Node\\Vendor\\App]", "\"Only64\""},
        {13, sw + "Wow6432Node\\Vendor\\App]", "\"ExemptOnly32\""},
        {13, sw + gone32, "\"UninstallString\""},
    };
    EXPECT_EQ(ScanRegistry(*prefix.Open()), expected);
}

}  // namespace
