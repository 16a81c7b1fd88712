// Wine as the referee of the Wine-prefix backend: one prefix, planted with dead entries, near
// misses, shortcuts, short names, long paths, non-ASCII names and links, is scanned and
// repaired twice: by the Linux drennow-cli (our own backend) and by drennow-cli.exe under Wine
// (the Win32 backend over Wine's real API). Both must come to the same records and leave the
// same registry.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/codepage/Codepage.h"
#include "platform/shelllink/ShellLink.h"
#include "tests/cli/CliRun.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kExe = "C:\\Program Files\\Norlix Drennow\\drennow-cli.exe";
const std::string kLong = [] {
    std::string path = "C:\\long";
    for (int i = 0; i < 30; ++i) path += "\\abcdefghij";
    return path;
}();

// Data every planted place gets, one value each (UTF-8, Windows paths).
const std::vector<std::string> kVariants = {
    "C:\\gone\\dead.exe",
    "C:\\apps\\live.exe",
    "c:\\APPS\\LIVE.EXE",
    "C:/apps/live.exe",
    "\"C:\\apps\\live.exe\" /run",
    "\"C:\\gone\\dead.exe\" /run",
    "C:\\apps\\live.exe,1",
    "rundll32.exe C:\\gone\\x.dll,Entry",
    "C:\\apps\\live.exe C:\\gone\\x.txt",
    "%SystemRoot%\\system32\\gone.dll",
    "%SystemRoot%\\system32\\kernel32.dll",
    "%ProgramFiles%\\Referee App\\live program.exe",
    "%USERPROFILE%\\gone.txt",
    "%APPDATA%\\Referee\\gone.ini",
    "%TEMP%\\gone.tmp",
    "C:\\apps\\caf\xc3\xa9.exe",
    "C:\\apps\\na\xc3\xafve-gone.exe",
    "C:\\apps\\\xd0\xaf\xd1\x80\xd0\xbb\xd1\x8b\xd0\xba.exe",
    "C:\\apps\\\xc4\x80pple.exe",
    "C:\\applink\\live.exe",
    "C:\\dangling\\x.exe",
    "C:\\apps\\..\\apps\\live.exe",
    "C:\\apps\\.\\live.exe",
    "C:\\apps\\",
    "C:\\gone\\",
    "apps\\live.exe",
    "\\apps\\live.exe",
    "\\\\server\\share\\x.exe",
    "Z:\\nonexistent-referee\\x.exe",
    "C:\\Program Files\\Referee App\\live program.exe",
    "C:\\PROGRA~1\\gone.exe",
    kLong + "\\live.exe",
    kLong + "\\gone.exe",
};

// Where the variants go: a value of each in `key` (its name from the variant for
// `dataInName`), or a subkey of `key` per variant with the variant as `valueName`.
struct Place {
    const char* key;
    bool keyPerVariant;
    const char* valueName;  // for keyPerVariant; "" is the default value
    bool dataInName;
};
const Place kPlaces[] = {
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     false, nullptr, false},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths", true, "",
     false},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", false, nullptr,
     true},
    {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", false, nullptr, false},
    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true,
     "UninstallString", false},
    {"HKEY_CURRENT_USER\\Software\\Referee Vendor", false, nullptr, false},
};

std::u16string RegString(const std::string& utf8) {
    std::u16string out = u"\"";
    for (char16_t c : platform::codepage::Utf8ToUtf16(utf8)) {
        if (c == u'\\' || c == u'"') out += u'\\';
        out += c;
    }
    return out + u"\"";
}

// The .reg file `reg import` reads (UTF-16 with its byte-order mark, as regedit writes it).
std::u16string PlantedRegFile() {
    std::u16string reg = u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n";
    auto key = [&reg](const std::string& name) {
        reg += u"[" + platform::codepage::Utf8ToUtf16(name) + u"]\r\n";
    };
    for (const Place& place : kPlaces) {
        if (!place.keyPerVariant) key(place.key);
        for (std::size_t i = 0; i < kVariants.size(); ++i) {
            const std::u16string number = platform::codepage::Utf8ToUtf16(std::to_string(i));
            if (place.keyPerVariant) {
                key(std::string(place.key) + "\\referee" + std::to_string(i) + ".exe");
                const std::u16string name =
                    *place.valueName ? RegString(place.valueName) : std::u16string(u"@");
                reg += name + u"=" + RegString(kVariants[i]) + u"\r\n\r\n";
            } else if (place.dataInName) {
                reg += RegString(kVariants[i]) + u"=dword:00000001\r\n";
            } else {
                reg += u"\"v" + number + u"\"=" + RegString(kVariants[i]) + u"\r\n";
            }
        }
        reg += u"\r\n";
    }
    // Names the "A" calls cannot hold exactly: a best-fit letter whose A name is that of
    // another key, and names outside Windows-1252.
    key("HKEY_CURRENT_USER\\Software\\Referee Vendor\\\xc4\x80"
        "bc");
    reg += RegString("\xc4\x80-name") + u"=" + RegString("C:\\gone\\a.exe") + u"\r\n\r\n";
    key("HKEY_CURRENT_USER\\Software\\Referee Vendor\\Abc");
    reg += RegString("A-name") + u"=" + RegString("C:\\gone\\b.exe") + u"\r\n";
    reg += RegString("\xd0\xaf\xd1\x80\xd0\xbb\xd1\x8b\xd0\xba") + u"=" +
           RegString("C:\\gone\\c.exe") + u"\r\n\r\n";
    return reg;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void WriteShortcut(const fs::path& path, const platform::shelllink::ShellLinkRecipe& recipe) {
    const auto bytes = platform::shelllink::WriteShellLink(recipe);
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

platform::shelllink::ShellLinkRecipe Link(const std::string& target, bool idList = true,
                                          bool linkInfo = true) {
    platform::shelllink::ShellLinkRecipe recipe;
    recipe.target = target;
    recipe.withIdList = idList;
    recipe.withLinkInfo = linkInfo;
    return recipe;
}

// Points the profile folders' links (Desktop, Documents, ...) into `home`, a home of the
// test's own instead of the real one.
void LinkProfilesTo(const fs::path& prefix, const fs::path& home) {
    for (const auto& user : fs::directory_iterator(prefix / "drive_c/users")) {
        for (const auto& entry : fs::directory_iterator(user.path())) {
            if (!fs::is_symlink(entry.symlink_status())) continue;
            const fs::path target = home / entry.path().filename();
            fs::create_directories(target);
            fs::remove(entry.path());
            fs::create_directory_symlink(target, entry.path());
        }
    }
}

// Files, folders, links and shortcuts of the planted prefix; `home` stands in for the host's
// home, which the profile folders link to.
void PlantFiles(const fs::path& prefix, const fs::path& home) {
    const fs::path c = prefix / "drive_c";
    for (const char* name : {"live.exe", "caf\xc3\xa9.exe",
                             "\xd0\xaf\xd1\x80\xd0\xbb\xd1\x8b\xd0\xba.exe", "\xc4\x80pple.exe"})
        WriteFile(c / "apps" / name, "MZ");
    WriteFile(c / "Program Files/Referee App/live program.exe", "MZ");
    fs::path deep = c / "long";
    for (int i = 0; i < 30; ++i) deep /= "abcdefghij";
    WriteFile(deep / "live.exe", "MZ");
    fs::create_directory_symlink("apps", c / "applink");
    fs::create_directory_symlink("/nonexistent-referee", c / "dangling");
    fs::create_directory_symlink("..", c / "apps/loop");  // a walk must not go round

    LinkProfilesTo(prefix, home);

    const fs::path links = c / "Referee Links";
    WriteShortcut(links / "dead.lnk", Link("C:\\gone\\dead.exe"));
    WriteShortcut(links / "live.lnk", Link("C:\\apps\\live.exe"));
    WriteShortcut(links / "info-only dead.lnk", Link("C:\\gone\\info.exe", false, true));
    WriteShortcut(links / "idlist-only dead.lnk", Link("C:\\gone\\idlist.exe", true, false));
    WriteShortcut(links / "folder.lnk", [] {
        auto recipe = Link("C:\\apps");
        recipe.targetIsFolder = true;
        return recipe;
    }());
    WriteShortcut(links / "relative dead.lnk", [] {
        auto recipe = Link("C:\\gone\\relative.exe", false, false);
        recipe.relativePath = u"..\\gone\\relative.exe";
        return recipe;
    }());
    WriteShortcut(links / "caf\xc3\xa9 dead.lnk", Link("C:\\gone\\caf\xe9.exe"));
    WriteShortcut(links / "\xd0\xaf\xd1\x80\xd0\xbb\xd1\x8b\xd0\xba.lnk", Link("C:\\gone\\x.exe"));
    WriteShortcut(links / "long live.lnk", Link(kLong + "\\live.exe"));
    WriteShortcut(links / "long dead.lnk", Link(kLong + "\\gone.exe"));
    WriteShortcut(links / "env dead.lnk", Link("%ProgramFiles%\\gone\\env.exe", false, true));
    WriteShortcut(deep / "deep dead.lnk", Link("C:\\gone\\deep.exe"));
    WriteShortcut(home / "Desktop/desktop dead.lnk", Link("C:\\gone\\desktop.exe"));
    WriteShortcut(home / "Desktop/desktop live.lnk", Link("C:\\apps\\live.exe"));
    WriteFile(links / "not a shortcut.lnk", "not a shortcut");

    // Values with Wine's own short names, which only Wine can tell.
    const std::string batch =
        "@echo off\r\n"
        "reg import C:\\referee.reg\r\n"
        "for %%I in (\"C:\\Program Files\\Referee App\\live program.exe\") do "
        "reg add \"HKCU\\Software\\Referee Vendor\" /v short-live /d \"%%~sI\" /f\r\n"
        "for %%I in (\"C:\\Program Files\\Referee App\") do "
        "reg add \"HKCU\\Software\\Referee Vendor\" /v short-gone /d \"%%~sI\\gone.exe\" /f\r\n"
        "for %%I in (\"C:\\Program Files\\Referee App\") do "
        "reg add \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\" /v short-folder "
        "/d \"%%~sI\" /f\r\n";
    WriteFile(c / "referee.bat", batch);
    const std::u16string reg = PlantedRegFile();
    WriteFile(c / "referee.reg", std::string(reinterpret_cast<const char*>(reg.data()),
                                             reg.size() * sizeof(char16_t)));
}

std::string WindowsExe() { return std::string(DRENNOW_WINDOWS_BUILD) + "/cli/drennow-cli.exe"; }

// The planted prefix, made once for every test here.
class RefereeWine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!fixtures::WineAvailable() || !fs::exists(WindowsExe()) ||
            !fs::exists(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli"))
            return;
        base_ = (fs::temp_directory_path() / ("drennow-referee-" + std::to_string(::getpid())))
                    .string();
        const std::string planted = fixtures::CopyWineTemplate(base_ + "/planted");
        if (planted.empty()) return;
        PlantFiles(planted, base_ + "/home");
        // Run from where the Linux build keeps its program folder, so both write one backup.
        const fs::path program = planted + "/drive_c/Program Files/Norlix Drennow";
        fs::create_directories(program);
        fs::copy_file(WindowsExe(), program / "drennow-cli.exe");
        const fixtures::WineRun run = fixtures::RunWine(planted, {"cmd", "/c", "C:\\referee.bat"});
        if (run.exitCode == 0) planted_ = planted;
        else std::cerr << "planting failed (status " << run.exitCode << "): " << run.output << '\n';
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        if (!base_.empty()) fs::remove_all(base_, ec);
    }
    void SetUp() override {
        if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
        if (!fs::exists(WindowsExe()))
            GTEST_SKIP() << WindowsExe() << " is not built (make windows)";
        ASSERT_FALSE(planted_.empty()) << "the planted prefix could not be made";
    }
    // A fresh copy of the planted prefix, with a copy of its home.
    static std::string Copy(const std::string& name) {
        const std::string copy = fixtures::CopyWineTemplateFrom(planted_, base_ + "/" + name);
        const std::string home = base_ + "/" + name + "-home";
        std::error_code ec;
        fs::copy(base_ + "/home", home, fs::copy_options::recursive, ec);
        if (copy.empty() || ec) return {};
        LinkProfilesTo(copy, home);
        return copy;
    }
    // Both drive-less runs scan the prefix's C: only: under Wine, Z: is the whole host, a
    // fixed drive to Wine and a network drive to our backend.
    static json Linux(const std::string& prefix, std::vector<std::string> args, int& exitCode) {
        // No Wine installation: Wine's own entries are reported on both sides.
        args.insert(args.begin(), {"--wine", "/nonexistent-referee", "--prefix", prefix});
        const clitest::CliRun run = clitest::Cli(args);
        exitCode = run.exitCode;
        return json::parse(run.out, nullptr, false);
    }
    // Started in C:\, the current folder our backend gives paths without a drive.
    static json Windows(const std::string& prefix, std::vector<std::string> args, int& exitCode) {
        args.insert(args.begin(), kExe);
        const fixtures::WineRun run = fixtures::RunWine(prefix, args, prefix + "/drive_c");
        exitCode = run.exitCode;
        return json::parse(run.output, nullptr, false);
    }

    static std::string base_;
    static std::string planted_;
};
std::string RefereeWine::base_;
std::string RefereeWine::planted_;

// Z: is Wine's bridge to the whole host: a fixed drive to Wine, a network drive to our
// backend on purpose (a walk of it would walk the machine), so only the Windows build judges
// the paths on it.
bool OnTheHostDrive(const json& record) {
    return record["value"].get<std::string>().starts_with("\"Z:\\");
}

// Differences between two lists of records: those only one side has, and then, when both
// hold the same records, the first place where their order differs.
std::vector<std::string> RecordDifferences(const std::string& where, const json& linux,
                                           const json& windows) {
    std::vector<std::string> differences;
    std::vector<bool> matched(windows.size(), false);
    for (const json& record : linux) {
        bool found = false;
        for (std::size_t i = 0; i < windows.size() && !found; ++i)
            if (!matched[i] && windows[i] == record) matched[i] = found = true;
        if (!found) differences.push_back(where + ": only the Linux build has " + record.dump());
    }
    json judged = json::array();  // the Windows build's records, in its order
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (matched[i]) judged.push_back(windows[i]);
        else if (!OnTheHostDrive(windows[i]))
            differences.push_back(where + ": only the Windows build has " + windows[i].dump());
    }
    for (std::size_t i = 0; differences.empty() && i < linux.size(); ++i)
        if (linux[i] != judged[i])
            differences.push_back(where + ": the order differs from record " +
                                  std::to_string(i + 1) + " on: " + linux[i].dump() + " against " +
                                  judged[i].dump());
    return differences;
}

// Differences between two scan documents, section by section; counts the records compared
// in `records`.
std::vector<std::string> ScanDifferences(const json& linux, const json& windows, int& records) {
    std::vector<std::string> differences;
    // What each looked for names the host's paths on one side and Windows paths on the
    // other: the records are compared without it.
    auto records_of = [](const json& problems) {
        json list = problems;
        for (json& record : list) record.erase("checked");
        return list;
    };
    for (std::size_t s = 0; s < linux["sections"].size(); ++s) {
        const json ours = records_of(linux["sections"][s]["problems"]);
        records += static_cast<int>(ours.size());
        for (std::string& difference :
             RecordDifferences("section " + std::to_string(s + 1), ours,
                               records_of(windows["sections"][s]["problems"])))
            differences.push_back(std::move(difference));
    }
    return differences;
}

TEST_F(RefereeWine, ScanFindsTheSameRecordsAsWinesApi) {
    const std::string prefix = Copy("scan");
    ASSERT_FALSE(prefix.empty());
    int linuxExit = -1, windowsExit = -1;
    const json linux = Linux(prefix, {"scan", "--json", "--drives", "C:"}, linuxExit);
    const json windows = Windows(prefix, {"scan", "--json", "--drives", "C:"}, windowsExit);
    ASSERT_EQ(linuxExit, 1);
    ASSERT_EQ(windowsExit, 1);
    ASSERT_FALSE(linux.is_discarded());
    ASSERT_FALSE(windows.is_discarded());
    ASSERT_EQ(linux["sections"].size(), windows["sections"].size());
    int records = 0;
    const std::vector<std::string> differences = ScanDifferences(linux, windows, records);
    std::cout << records << " records compared, " << differences.size() << " differ\n";
    for (const std::string& difference : differences) ADD_FAILURE() << difference;
    // Every place planted reports.
    EXPECT_GT(records, static_cast<int>(kVariants.size()));
}

// Keys every Wine session writes anew (the display adapter it makes up, with its date, and
// the count of sessions the service manager keeps).
bool IsSessionData(const std::string& key) {
    for (const char* volatileKey :
         {"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ServiceCurrent]",
          "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video",
          "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\"
          "{4D36E968-E325-11CE-BFC1-08002BE10318}",
          "[HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\VIDEO", "[HKEY_CURRENT_CONFIG"})
        if (key.starts_with(volatileKey)) return true;
    return false;
}

// Wine's own export of the whole registry of `prefix` (regedit /E), as UTF-8 lines.
std::vector<std::string> ExportedRegistry(const std::string& prefix) {
    fixtures::RunWine(prefix, {"regedit", "/E", "C:\\referee-export.reg"});
    std::ifstream in(prefix + "/drive_c/referee-export.reg", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    // Each value line with its key, so that a difference says where it is.
    std::vector<std::string> lines;
    std::string key;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        const std::string utf8 = platform::codepage::Utf16ToUtf8(line);
        if (utf8.starts_with("[")) key = utf8;
        if (!IsSessionData(key)) lines.push_back(utf8.starts_with("[") ? utf8 : key + " " + utf8);
        start = end + 1;
    }
    return lines;
}

TEST_F(RefereeWine, RepairLeavesTheSameRegistryAsWinesApi) {
    const std::string ours = Copy("repair-linux"), wines = Copy("repair-wine");
    ASSERT_FALSE(ours.empty());
    ASSERT_FALSE(wines.empty());
    int linuxExit = -1, windowsExit = -1;
    const std::vector<std::string> repair = {"repair", "--yes", "--json", "--drives", "C:"};
    const json linux = Linux(ours, repair, linuxExit);
    const json windows = Windows(wines, repair, windowsExit);
    fixtures::StopWineServer(wines);
    ASSERT_FALSE(linux.is_discarded());
    ASSERT_FALSE(windows.is_discarded());
    EXPECT_EQ(linuxExit, 0) << linux.dump(2);
    EXPECT_EQ(windowsExit, 0) << windows.dump(2);
    const std::vector<std::string> entries =
        RecordDifferences("repaired", linux["entries"], windows["entries"]);
    for (const std::string& difference : entries) ADD_FAILURE() << difference;

    const std::vector<std::string> ourLines = ExportedRegistry(ours),
                                   wineLines = ExportedRegistry(wines);
    ASSERT_GT(ourLines.size(), 1000u);
    std::multiset<std::string> onlyOurs(ourLines.begin(), ourLines.end());
    std::multiset<std::string> onlyWines;
    for (const std::string& line : wineLines) {
        const auto found = onlyOurs.find(line);
        if (found != onlyOurs.end()) onlyOurs.erase(found);
        else onlyWines.insert(line);
    }
    std::cout << linux["repaired"] << " and " << windows["repaired"] << " entries repaired, "
              << ourLines.size() << " exported lines compared\n";
    for (const std::string& line : onlyOurs)
        if (line.find("nonexistent-referee") == std::string::npos)  // see OnTheHostDrive
            ADD_FAILURE() << "only after the Linux repair: " << line;
    for (const std::string& line : onlyWines)
        ADD_FAILURE() << "only after the Windows repair: " << line;
}

}  // namespace
