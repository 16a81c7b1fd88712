// A scan of a real `wineboot -i` prefix into which Wine's own tools put dead entries: `reg add`
// in the area of every registry section that reports, and a shortcut saved by WScript.Shell.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/ScanSession.h"
#include "platform/wine/WinePrefix.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/WineTemplate.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace {

namespace fs = std::filesystem;

struct Dead {
    int section;
    const char* key;    // as `reg add` takes it
    const char* value;  // "" for the default value
    const char* extra;  // further arguments
    const char* shownKey;
};

const Dead kDead[] = {
    {1, "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Dead Folder", "/d C:\\gone\\folder.old",
     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"},
    {2, "HKLM\\Software\\Classes\\CLSID\\{0D0E0A0D-1111-4000-8000-000000000001}\\InprocServer32",
     "", "/d C:\\gone\\control.dll",
     "HKEY_CLASSES_ROOT\\CLSID\\{0D0E0A0D-1111-4000-8000-000000000001}\\InprocServer32"},
    {3, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\deadapp.exe", "",
     "/d C:\\gone\\deadapp.exe",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\deadapp.exe"},
    {5, "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", "Dead Sans",
     "/d deadsans.ttf",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"},
    {6, "HKLM\\Software\\Microsoft\\Windows\\Help", "dead.hlp", "/d C:\\gone",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Help"},
    {7, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", "C:\\gone\\shared.dll",
     "/t REG_DWORD /d 1",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"},
    {8, "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Dead Agent",
     "/d C:\\gone\\agent.exe",
     "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {9, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dead App",
     "UninstallString", "/d C:\\gone\\unins000.exe",
     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dead App"},
    {10, "HKLM\\System\\CurrentControlSet\\Control\\VirtualDeviceDrivers", "Dead VDD",
     "/d C:\\gone\\vdd.dll",
     "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\VirtualDeviceDrivers"},
    {12, "HKCU\\AppEvents\\Schemes\\Apps\\.Default\\DeadEvent\\.Current", "",
     "/d C:\\gone\\dead.wav",
     "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\DeadEvent\\.Current"},
    {13, "HKCU\\Software\\Dead Vendor", "Last File", "/d C:\\gone\\file.dat",
     "HKEY_CURRENT_USER\\SOFTWARE\\Dead Vendor"},
    // Where Wine itself writes its own values: an installer's data there is still reported.
    {5, "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts", "Small Fonts",
     "/d deadsmall.fon", "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts"},
    {13, "HKLM\\Software\\Microsoft\\DirectMusic", "GMFilePath", "/d C:\\gone\\synth\\gm.dls",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\DirectMusic"},
};

TEST(ScanWine, ReportsWhatWinesOwnToolsLeftDead) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    const std::string dir =
        (fs::temp_directory_path() / ("drennow-scan-wine-" + std::to_string(::getpid()))).string();
    ASSERT_FALSE(fixtures::CopyWineTemplate(dir).empty());

    std::string batch;
    for (const Dead& d : kDead) {
        batch += std::string("reg add \"") + d.key + "\" ";
        batch += *d.value ? std::string("/v \"") + d.value + "\" " : std::string("/ve ");
        batch += std::string(d.extra) + " /f\r\n";
    }
    std::ofstream(dir + "/drive_c/add.bat", std::ios::binary) << batch;
    ASSERT_EQ(fixtures::RunWine(dir, {"cmd", "/c", "C:\\add.bat"}).exitCode, 0);
    fs::create_directories(dir + "/drive_c/links");
    std::ofstream(dir + "/drive_c/make.vbs", std::ios::binary)
        << "Set s = CreateObject(\"WScript.Shell\").CreateShortcut(\"C:\\links\\Dead.lnk\")\r\n"
           "s.TargetPath = \"C:\\gone\\tool.exe\"\r\ns.Save\r\n";
    ASSERT_EQ(fixtures::RunWine(dir, {"wscript.exe", "//B", "C:\\make.vbs"}).exitCode, 0);
    ASSERT_TRUE(fs::exists(dir + "/drive_c/links/Dead.lnk"));

    platform::Status status;
    auto services = platform::wine::OpenPrefix(dir, status);
    ASSERT_TRUE(services) << status.message;
    enginetest::ScriptHost host;
    engine::ScanSession session(*services, host);
    session.SetPumpInterval(std::chrono::milliseconds(0));
    engine::SectionRows rows = engine::BuildSectionRows(*services);
    for (engine::SectionRow& row : rows) row.selected = true;
    ASSERT_EQ(session.Scan(rows), engine::ScanOutcome::ProblemsFound);

    auto reported = [&session](int section, const std::string& key, const std::string& name) {
        const engine::TextList& found =
            fixtures::RecordTexts(session.Results().Section(section).problems);
        for (std::size_t i = 0; i + 3 < found.size(); i += 4)
            if (found[i] == "[" + key + "]" && found[i + 1] == name) return true;
        return false;
    };
    for (const Dead& d : kDead) {
        const std::string name = *d.value ? std::string("\"") + d.value + "\"" : "@";
        std::string escaped;
        for (char c : name) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        EXPECT_TRUE(reported(d.section, d.shownKey, escaped))
            << "section " << d.section << ": " << d.shownKey << " " << name;
    }
    EXPECT_TRUE(reported(14, "C:\\links\\Dead.lnk", "@"));

    fixtures::StopWineServer(dir);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

}  // namespace
