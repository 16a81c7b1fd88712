// drennow.exe's flows under Wine, driven through its own messages (`--script`): a scan paused
// and resumed, a scan cancelled, Repair All with a backup, Clean Restore's restore and delete,
// and IE Restore's start page. What it finds, repairs and backs up must be what the Linux
// program does on the same prefix.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "repair/Messages.h"
#include "tests/cli/CliRun.h"
#include "tests/fixtures/WineTemplate.h"
#include "tests/fixtures/XServer.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

namespace {

namespace fs = std::filesystem;
namespace res = ui::res;
using nlohmann::json;

std::string WindowsExe() { return std::string(DRENNOW_WINDOWS_BUILD) + "/ui/win32/drennow.exe"; }

// Dead entries in places several sections read, and one that is alive.
const char* const kRegFile =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
    "\"Flows Dead\"=\"C:\\\\gone\\\\flows.exe\"\r\n"
    "\"Flows Live\"=\"C:\\\\windows\\\\notepad.exe\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs]\r\n"
    "\"C:\\\\gone\\\\flows.dll\"=dword:00000001\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\flows.exe]\r\n"
    "@=\"C:\\\\gone\\\\flows.exe\"\r\n";

constexpr const char* kProgramFolder = "/drive_c/Program Files/Norlix Drennow";
constexpr const char* kStartPage = "about:drennow-flows";

std::string Line(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
    return line + "\n";
}
std::string Id(int id) { return std::to_string(id); }

// Every flow in one run of the program: Wine starts once.
std::string Script() {
    const std::string frame = ui::text::kAppName;
    const std::string info = repair::kInformationCaption;
    std::string s;
    // Pause is queued behind Scan, so the scan takes it at its first pump.
    s += Line({"post", Id(res::kScanButton), Id(res::kPauseButton)});
    s += Line({"text?", frame, Id(res::kPauseButton), ui::text::kResume});
    s += Line({"report", "paused"});
    s += Line({"post", Id(res::kPauseButton)});
    s += Line({"screen", "3"});
    s += Line({"report", "scanned"});
    s += Line({"post", Id(res::kScanButton), Id(res::kCancelScanButton)});
    s += Line({"screen", "1"});
    s += Line({"report", "cancelled"});
    s += Line({"post", Id(res::kScanButton)});
    s += Line({"screen", "3"});
    s += Line({"post", Id(res::kRepairAllButton)});
    s += Line({"click", info, Id(6)});   // back up first: Yes
    s += Line({"click", frame, Id(1)});  // the total
    s += Line({"screen", "4"});
    s += Line({"report", "repaired"});
    s += Line({"file", "backup", "C:\\Program Files\\Norlix Drennow\\backup\\backup.txt"});
    s += Line({"post", Id(res::kCmdCleanRestore)});
    s += Line({"select", "Clean Restore", "1000", "0"});
    s += Line({"click", "Clean Restore", "1001"});  // Restore
    s += Line({"click", info, Id(1)});
    s += Line({"click", "Clean Restore", "1002"});  // Delete
    s += Line({"file", "after delete", "C:\\Program Files\\Norlix Drennow\\backup\\backup.txt"});
    s += Line({"click", "Clean Restore", "1006"});  // Close
    s += Line({"post", Id(res::kCmdIERestore)});
    s += Line({"click", "IE Restore", "1008"});
    s += Line({"type", "IE Restore", "1009", kStartPage});
    s += Line({"click", "IE Restore", "1010"});
    s += Line({"click", info, Id(1)});
    s += Line({"click", "IE Restore", "1021"});
    s += Line({"report", "end"});
    s += Line({"end"});
    return s;
}

// The report's sections by name, each its lines.
using Sections = std::map<std::string, std::vector<std::string>>;

Sections ReadReport(const std::string& path) {
    Sections sections;
    std::ifstream in(path, std::ios::binary);
    std::string current = "";
    for (std::string line; std::getline(in, line);) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            sections[current];
        } else {
            sections[current].push_back(line);
        }
    }
    return sections;
}

// The lines of a report section that start with `word` ("record S\tKEY\tNAME\tVALUE",
// "repaired KEY\tNAME\tVALUE"), without it, as a set.
std::set<std::string> Lines(const std::vector<std::string>& lines, const std::string& word) {
    std::set<std::string> found;
    for (const std::string& line : lines)
        if (line.rfind(word + " ", 0) == 0) found.insert(line.substr(word.size() + 1));
    return found;
}

std::string Entry(const json& entry) {
    return entry.value("key", "") + "\t" + entry.value("name", "") + "\t" +
           entry.value("value", "");
}

// The Linux program's scan records in the report's form.
std::set<std::string> ScanRecords(const json& scan) {
    std::set<std::string> records;
    for (const json& section : scan["sections"])
        for (const json& problem : section["problems"])
            records.insert(std::to_string(section.value("number", 0)) + "\t" + Entry(problem));
    return records;
}

std::set<std::string> RepairedEntries(const json& repair) {
    std::set<std::string> entries;
    for (const json& entry : repair["entries"]) entries.insert(Entry(entry));
    return entries;
}

// A file the report holds, line by line.
std::string FileText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        if (line.rfind("line ", 0) == 0) text += line.substr(5) + "\n";
    return text;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A backup file without its blocks' header lines, whose times differ between two runs.
std::string WithoutTimes(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(">>", 0) != 0) kept += line + "\n";
    }
    return kept;
}

class Win32Flows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string linuxCli = std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli";
        if (!fixtures::WineAvailable() || !fs::exists(WindowsExe()) || !fs::exists(linuxCli))
            return;
        fixtures::XServer screen(1024, 768);
        if (!screen.Running()) return;
        base_ = (fs::temp_directory_path() / ("drennow-win32-flows-" + std::to_string(::getpid())))
                    .string();
        const std::string planted = fixtures::CopyWineTemplate(base_ + "/planted");
        if (planted.empty()) return;
        // Only drive C: is searched for shortcuts: Z: would be the whole host.
        std::error_code ec;
        fs::remove(planted + "/dosdevices/z:", ec);
        std::ofstream(planted + "/drive_c/flows.reg", std::ios::binary) << kRegFile;
        if (fixtures::RunWine(planted, {"regedit", "/s", "C:\\flows.reg"}).exitCode != 0) return;
        fs::create_directories(planted + kProgramFolder);
        fs::copy_file(WindowsExe(), planted + kProgramFolder + "/drennow.exe");

        // The Linux program first, on a copy. Wine's API reports the files Wine keeps outside
        // the prefix (its bitmap fonts, its sound bank) as missing: with no Wine installation
        // named, the Linux program reports them too.
        const std::string lin = fixtures::CopyWineTemplateFrom(planted, base_ + "/linux");
        linuxScan_ = Linux(lin, {"scan", "--json"});
        linuxRepair_ = Linux(lin, {"repair", "--yes", "--backup", "--json"});
        linuxBackup_ = Read(lin + kProgramFolder + "/backup/backup.txt");

        std::ofstream(planted + "/drive_c/flows.txt", std::ios::binary) << Script();
        // Started in C:\, the current folder the Linux program gives paths without a drive.
        const fixtures::WineRun run =
            fixtures::RunWine(planted,
                              {"C:\\Program Files\\Norlix Drennow\\drennow.exe", "--script",
                               "C:\\flows.txt", "C:\\flows-report.txt"},
                              planted + "/drive_c");
        status_ = run.exitCode;
        report_ = ReadReport(planted + "/drive_c/flows-report.txt");
        browserAfter_ = Linux(planted, {"browser", "--json"});
        scanAfter_ = Linux(planted, {"scan", "--json"});
    }
    static json Linux(const std::string& prefix, std::vector<std::string> args) {
        args.insert(args.begin(), {"--wine", "/nonexistent-flows", "--prefix", prefix});
        return json::parse(clitest::Cli(args).out, nullptr, false);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        if (!base_.empty()) fs::remove_all(base_, ec);
    }
    void SetUp() override {
        if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
        if (!fs::exists(WindowsExe())) GTEST_SKIP() << WindowsExe() << " is not built";
        if (::system("command -v Xvfb >/dev/null") != 0) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_EQ(status_, 0);
        ASSERT_TRUE(report_.count("end"))
            << "the script stopped: " << (report_[""].empty() ? "" : report_[""].back());
        ASSERT_TRUE(linuxScan_.is_object());
    }

    // The script's own words when a step failed.
    static std::string Failure() {
        for (const auto& [name, lines] : report_)
            for (const std::string& line : lines)
                if (line.rfind("failed: ", 0) == 0) return line;
        return "no report";
    }

    static std::string base_;
    static int status_;
    static Sections report_;
    static json linuxScan_, linuxRepair_, browserAfter_, scanAfter_;
    static std::string linuxBackup_;
};
std::string Win32Flows::base_;
int Win32Flows::status_ = -1;
Sections Win32Flows::report_;
json Win32Flows::linuxScan_, Win32Flows::linuxRepair_, Win32Flows::browserAfter_,
    Win32Flows::scanAfter_;
std::string Win32Flows::linuxBackup_;

// One test: CTest runs each test in a process of its own, and the program's run under Wine
// takes a minute.
TEST_F(Win32Flows, EveryFlowEndsAsInTheLinuxProgram) {
    // A paused scan resumes and finds what the Linux program finds.
    EXPECT_EQ(report_["paused"].front(), "screen 2");
    EXPECT_EQ(report_["scanned"].front(), "screen 3");
    const std::set<std::string> found = ScanRecords(linuxScan_);
    EXPECT_GE(found.size(), 3u);
    EXPECT_EQ(Lines(report_["scanned"], "record"), found);

    // A cancelled scan returns to the section choice with no results.
    EXPECT_EQ(report_["cancelled"].front(), "screen 1");
    EXPECT_TRUE(Lines(report_["cancelled"], "record").empty());

    // Repair All deletes and backs up what the Linux program does.
    EXPECT_EQ(report_["repaired"].front(), "screen 4");
    const std::set<std::string> repaired = RepairedEntries(linuxRepair_);
    EXPECT_GE(repaired.size(), 3u);
    EXPECT_EQ(Lines(report_["repaired"], "repaired"), repaired);
    ASSERT_FALSE(linuxBackup_.empty());
    EXPECT_EQ(WithoutTimes(FileText(report_["backup"])), WithoutTimes(linuxBackup_));

    // Clean Restore puts the entries back (a scan finds them again) and deletes the backup.
    EXPECT_EQ(ScanRecords(scanAfter_), found);
    EXPECT_EQ(WithoutTimes(FileText(report_["after delete"])), "");

    // IE Restore sets the start page.
    EXPECT_EQ(browserAfter_.value("startPage", ""), kStartPage);
}

}  // namespace
