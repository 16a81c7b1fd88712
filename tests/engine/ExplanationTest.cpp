// What each checker looked for is what a problem says it looked for: the existence test's
// record of one judgement, checker by checker, and the line a person reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Checkers.h"
#include "engine/Explanation.h"
#include "engine/PathTest.h"
#include "engine/Sections.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using platform::REG_DWORD;
using platform::REG_EXPAND_SZ;
using platform::REG_SZ;

TEST(Explanation, EachCheckerRecordsThePathsItTested) {
    fixtures::TestPrefix prefix;
    auto services = prefix.Open();
    engine::ExistenceTest paths(*services);
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";
    const struct {
        int section;
        std::string key, name, data;
        platform::DWORD type;
        std::vector<std::string> asked;  // in the native view, in order
    } cases[] = {
        {1, key, "Dir", "%SystemRoot%\\gone\\x.dll", REG_EXPAND_SZ, {"C:\\windows\\gone\\x.dll"}},
        {2,
         key + "\\CLSID\\{1}\\InprocServer32",
         "",
         "gone.dll",
         REG_SZ,
         {"C:\\windows\\gone.dll", "C:\\windows\\system32\\gone.dll"}},
        {3,
         key,
         "",
         "\"C:\\Gone App\\gone.exe\" /start",
         REG_SZ,
         {"C:\\Gone App\\gone.exe /start"}},
        {5, key, "Gone (TrueType)", "gone.ttf", REG_SZ, {"C:\\windows\\Fonts\\gone.ttf"}},
        {6, key, "gone.hlp", "C:\\Help", REG_SZ, {"C:\\Help\\gone.hlp"}},
        {7, key, "C:\\Gone\\gone.dll", "", REG_DWORD, {"C:\\Gone\\gone.dll"}},
        {8,
         key,
         "Agent",
         "agent.exe",
         REG_SZ,
         {"C:\\windows\\agent.exe", "C:\\windows\\system32\\agent.exe"}},
        {9,
         key,
         "UninstallString",
         "C:\\Gone\\unins000.exe /SILENT",
         REG_SZ,
         {"C:\\Gone\\unins000.exe /SILENT"}},
        {10, key, "VDD", "C:\\Gone\\vdd.drv", REG_SZ, {"C:\\Gone\\vdd.drv"}},
        {12,
         key,
         "",
         "gone.wav",
         REG_SZ,
         {"C:\\windows\\gone.wav", "C:\\windows\\system32\\gone.wav",
          "C:\\windows\\media\\gone.wav"}},
        {13, key, "Data", "C:\\Gone\\data.bin", REG_SZ, {"C:\\Gone\\data.bin"}},
    };
    for (const auto& c : cases) {
        std::vector<platform::BYTE> bytes(c.data.begin(), c.data.end());
        platform::DWORD number = 1;
        if (c.type == REG_DWORD)
            bytes.assign(reinterpret_cast<platform::BYTE*>(&number),
                         reinterpret_cast<platform::BYTE*>(&number) + 4);
        else bytes.push_back(0);
        paths.StartRecording();
        const engine::Verdict verdict = engine::CheckSectionValue(
            c.section, paths,
            {c.key, c.name, bytes.data(), c.type, static_cast<platform::DWORD>(bytes.size())});
        EXPECT_EQ(verdict, engine::Verdict::Problem) << c.section;
        std::vector<std::string> asked;
        for (const auto& recorded : paths.Recorded()) {
            EXPECT_FALSE(recorded.found) << recorded.path;
            if (!recorded.wow64) asked.push_back(recorded.path);
        }
        EXPECT_EQ(asked, c.asked) << "section " << c.section;
    }
}

TEST(Explanation, TheLineSaysWhereOrWhyNowhere) {
    const struct {
        engine::CheckedPath checked;
        const char* line;
    } cases[] = {
        {{"C:\\Gone\\gone.exe", false, false, "/p/drive_c/Gone/gone.exe", ""},
         "Looked for C:\\Gone\\gone.exe \u2014 /p/drive_c/Gone/gone.exe: not found"},
        {{"C:\\windows\\syswow64\\x.dll", true, false, "/p/drive_c/windows/syswow64/x.dll", ""},
         "Looked for C:\\windows\\syswow64\\x.dll (32-bit view) \u2014 "
         "/p/drive_c/windows/syswow64/x.dll: not found"},
        {{"Q:\\x.exe", false, false, "", "there is no drive Q: in this prefix"},
         "Looked for Q:\\x.exe: not found; there is no drive Q: in this prefix"},
        {{"Z:\\x", false, false, "/x", "Z: is a network drive"},
         "Looked for Z:\\x \u2014 /x: not found (Z: is a network drive)"},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::CheckedPathText(c.checked), c.line);
}

}  // namespace
