// Repair and restore on a prefix made by `wineboot -i`, checked against Wine's own tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/ScanSession.h"
#include "engine/ValueText.h"
#include "platform/wine/WinePrefix.h"
#include "repair/BackupCatalogue.h"
#include "repair/RepairCommand.h"
#include "tests/fixtures/WineTemplate.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace repair {
namespace {

namespace fs = std::filesystem;

// Values added with regedit; the first five of them are repaired.
const char* const kRegFile =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\DrennowTest]\r\n"
    "\"Dead\"=\"c:\\\\gone\\\\Dead Tool.EXE\"\r\n"
    "\"q\\\"=x\"=\"c:\\\\gone\\\\quoted.exe\"\r\n"
    "\"Num\"=dword:0000002a\r\n"
    "\"Stays\"=\"c:\\\\windows\\\\notepad.exe\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\DrennowTest]\r\n"
    "@=\"c:\\\\gone\\\\x.dll\"\r\n"
    "\"Exp\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,67,6f,6e,65,00\r\n";

struct Chosen {
    platform::HKEY root;
    const char* rootName;
    const char* name;
};
const Chosen kChosen[] = {
    {platform::HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Dead"},
    {platform::HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "q\"=x"},
    {platform::HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Num"},
    {platform::HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", ""},
    {platform::HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "Exp"},
};

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A hive cut into key blocks by key name; the key's modification time (on the header line
// and the #time line) is left out when `withoutTime`.
std::map<std::string, std::string> Blocks(const std::string& hive, bool withoutTime) {
    std::map<std::string, std::string> blocks;
    std::istringstream in(hive);
    std::string line;
    std::string current = "<header>";
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            const std::size_t end = line.rfind("] ");
            current = end == std::string::npos ? line : line.substr(0, end + 1);
            blocks[current] += (withoutTime ? current : line) + "\n";
            continue;
        }
        if (withoutTime && line.rfind("#time=", 0) == 0) continue;
        blocks[current] += line + "\n";
    }
    return blocks;
}

bool IsTestKey(const std::string& block) { return block == "[Software\\\\DrennowTest]"; }

class RepairWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
        base = fs::temp_directory_path() /
               fs::path("drennow-repair-wine-" +
                        std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                        std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(base);
        fs::create_directories(base);
        original = fixtures::CopyWineTemplate((base / "original").string());
        ASSERT_FALSE(original.empty()) << "no wineboot template prefix";
        std::ofstream(fs::path(original) / "drive_c" / "add.reg", std::ios::binary) << kRegFile;
        ASSERT_EQ(fixtures::RunWine(original, {"regedit", "/S", "C:\\add.reg"}).exitCode, 0);
    }
    void TearDown() override {
        if (!base.empty() && !std::getenv("DRENNOW_KEEP_TEST_PREFIX")) {
            std::error_code ignored;
            fs::remove_all(base, ignored);
        }
    }

    // Repairs the chosen values with our backend, with a backup.
    void RepairOurs(const std::string& prefixDir) {
        platform::Status status;
        auto services = platform::wine::OpenPrefix(prefixDir, status);
        ASSERT_TRUE(services) << status.message;
        engine::ScanResults results;
        for (const Chosen& chosen : kChosen) {
            platform::HKEY key = 0;
            ASSERT_EQ(services->RegOpenKeyExA(chosen.root, "Software\\DrennowTest", 0,
                                              platform::KEY_READ, &key),
                      platform::ERROR_SUCCESS);
            platform::BYTE data[2000] = {};
            platform::DWORD length = sizeof data;
            platform::DWORD type = 0;
            ASSERT_EQ(services->RegQueryValueExA(key, chosen.name, &type, data, &length),
                      platform::ERROR_SUCCESS)
                << chosen.name;
            services->RegCloseKey(key);
            const auto texts =
                engine::TextForm(std::string(chosen.rootName) + "\\Software\\DrennowTest",
                                 chosen.name, type, data, length);
            fixtures::AddProblem(results, 3, texts.key, texts.name, texts.value);
        }
        repairtest::ScriptedHost host;
        host.answers = {engine::Answer::Yes};
        engine::RepairLists lists;
        const RepairReport report = RepairCommand(results, lists, *services, host);
        ASSERT_EQ(report.end, RepairReport::End::Done) << report.reason;
        EXPECT_EQ(report.registry.removed, 5);
    }

    // Restores the one backup block of the prefix through the catalogue, as Clean Restore does.
    // The section list with only the row of registry section `section` chosen.
    static engine::SectionRows OnlySection(platform::Services& services, int section) {
        engine::SectionRows rows = engine::BuildSectionRows(services);
        for (engine::SectionRow& row : rows) row.selected = false;
        rows[static_cast<std::size_t>(section - 1)].selected = true;
        return rows;
    }

    repair::RestoreOutcome RestoreTheBackup(const std::string& prefixDir,
                                            repairtest::ScriptedHost& host) {
        platform::Status status;
        auto services = platform::wine::OpenPrefix(prefixDir, status);
        EXPECT_TRUE(services) << status.message;
        if (!services) return {};
        BackupCatalogue catalogue(*services, host);
        catalogue.LoadCatalogue();
        EXPECT_EQ(catalogue.ListedCount(), 1);
        if (catalogue.ListedCount() != 1) return {};
        catalogue.LoadBackupEntries(0);
        return catalogue.Restore();
    }

    std::string Query(const std::string& prefixDir) {
        return fixtures::RunWine(prefixDir, {"cmd", "/c",
                                             "reg query HKCU\\Software\\DrennowTest & "
                                             "reg query HKLM\\Software\\DrennowTest"})
            .output;
    }

    fs::path base;
    std::string original;
};

TEST_F(RepairWineTest, RepairGivesTheHivesWineRegDeleteGives) {
    const std::string ours = fixtures::CopyWineTemplateFrom(original, (base / "ours").string());
    const std::string wines = fixtures::CopyWineTemplateFrom(original, (base / "wine").string());
    ASSERT_FALSE(ours.empty());
    ASSERT_FALSE(wines.empty());
    RepairOurs(ours);
    const auto run =
        fixtures::RunWine(wines, {"cmd", "/c",
                                  "reg delete HKCU\\Software\\DrennowTest /v Dead /f & "
                                  "reg delete HKCU\\Software\\DrennowTest /v Num /f & "
                                  "reg delete HKLM\\Software\\DrennowTest /ve /f & "
                                  "reg delete HKLM\\Software\\DrennowTest /v Exp /f"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    // A quote does not survive cmd's command line: this one goes to reg directly.
    const auto quoted = fixtures::RunWine(
        wines, {"reg", "delete", "HKCU\\Software\\DrennowTest", "/v", "q\"=x", "/f"});
    ASSERT_EQ(quoted.exitCode, 0) << quoted.output;

    int comparedTestKeys = 0;
    for (const char* hive : {"user.reg", "system.reg", "userdef.reg"}) {
        const std::string before = Read(fs::path(original) / hive);
        const std::string afterOurs = Read(fs::path(ours) / hive);
        const std::string afterWine = Read(fs::path(wines) / hive);
        // Our save touches the changed key only: every other block stays byte for byte.
        const auto oursExact = Blocks(afterOurs, false);
        const auto beforeExact = Blocks(before, false);
        ASSERT_EQ(oursExact.size(), beforeExact.size()) << hive;
        for (const auto& [key, text] : beforeExact) {
            if (IsTestKey(key)) continue;
            auto it = oursExact.find(key);
            ASSERT_NE(it, oursExact.end()) << hive << " " << key;
            EXPECT_EQ(it->second, text) << hive << " " << key;
        }
        // The changed key reads as Wine writes it after `reg delete`, time apart.
        const auto oursTimeless = Blocks(afterOurs, true);
        const auto wineTimeless = Blocks(afterWine, true);
        for (const auto& [key, text] : wineTimeless) {
            if (!IsTestKey(key)) continue;
            auto it = oursTimeless.find(key);
            ASSERT_NE(it, oursTimeless.end()) << hive;
            EXPECT_EQ(it->second, text) << hive;
            ++comparedTestKeys;
        }
    }
    EXPECT_EQ(comparedTestKeys, 2);  // the HKCU and the HKLM key
}

TEST_F(RepairWineTest, RestoreReadsBackThroughWineRegQuery) {
    const std::string expected = Query(original);
    ASSERT_NE(expected.find("Dead Tool.EXE"), std::string::npos) << expected;
    const std::string ours = fixtures::CopyWineTemplateFrom(original, (base / "ours").string());
    ASSERT_FALSE(ours.empty());
    RepairOurs(ours);
    ASSERT_EQ(Query(ours).find("Dead Tool.EXE"), std::string::npos);
    {
        repairtest::ScriptedHost host;
        EXPECT_EQ(RestoreTheBackup(ours, host).restored, 5);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Restore Successed!");
    }
    EXPECT_EQ(Query(ours), expected);
}

// Names outside Windows-1252 beside their best-fit namesakes ("T\u014Dol" reads "Tool" in the
// A code page), as an installer writing with the W calls leaves them.
const char16_t kExactRegFile[] =
    u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
    u"[HKEY_CURRENT_USER\\Software\\DrennowExact]\r\n"
    u"\"Tool\"=\"C:\\\\windows\\\\notepad.exe\"\r\n"
    u"\"T\u014Dol\"=\"C:\\\\Gone\\\\tool.exe\"\r\n"
    u"\"\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0430\"=\"C:\\\\Gone\\\\prog.exe\"\r\n"
    // A valid path outside the code page: its best-fit spelling names no file.
    u"\"Data\"=\"C:\\\\windows\\\\D\u0101ta.exe\"\r\n\r\n"
    u"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\tool.exe]\r\n"
    u"@=\"C:\\\\windows\\\\notepad.exe\"\r\n\r\n"
    u"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
    u"Paths\\t\u014Dol.exe]\r\n"
    u"@=\"C:\\\\Gone\\\\t.exe\"\r\n";

std::u16string ReadUtf16(const fs::path& path) {
    const std::string bytes = Read(path);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

TEST_F(RepairWineTest, ExactNamesAreRepairedAndRestoredNeverTheirNamesakes) {
    const std::string ours = fixtures::CopyWineTemplateFrom(original, (base / "exact").string());
    ASSERT_FALSE(ours.empty());
    {
        std::ofstream out(fs::path(ours) / "drive_c" / "exact.reg", std::ios::binary);
        for (const char16_t* c = kExactRegFile; *c; ++c)
            out.put(static_cast<char>(*c & 0xFF)).put(static_cast<char>(*c >> 8));
    }
    ASSERT_EQ(fixtures::RunWine(ours, {"regedit", "/S", "C:\\exact.reg"}).exitCode, 0);
    std::ofstream(fs::path(ours) / "drive_c" / "windows" / "D\xc4\x81ta.exe").put('x');
    std::map<std::string, std::map<std::string, std::string>> before;
    for (const char* hive : {"user.reg", "system.reg", "userdef.reg"})
        before[hive] = Blocks(Read(fs::path(ours) / hive), true);
    {
        platform::Status status;
        auto services = platform::wine::OpenPrefix(ours, status);
        ASSERT_TRUE(services) << status.message;
        repairtest::ScriptedHost host;
        engine::ScanSession session(*services, host);
        ASSERT_EQ(session.Scan(OnlySection(*services, 13)), engine::ScanOutcome::ProblemsFound);
        std::vector<std::u16string> found;
        engine::SectionResult& result = session.Results().Section(13);
        for (engine::Problem& problem : result.problems) {
            const engine::ExactValue& exact = problem.exact;
            if (exact.subKey.find(u"DrennowExact") != std::u16string::npos)
                found.push_back(exact.name);
            else if (exact.subKey.find(u"App Paths\\t") != std::u16string::npos)
                found.push_back(exact.subKey.substr(exact.subKey.rfind(u'\\') + 1));
            else problem.repair = false;  // Wine's own entries stay
        }
        std::sort(found.begin(), found.end());
        // Once: not again through Wine's Wow6432Node link to App Paths.
        EXPECT_EQ(found, (std::vector<std::u16string>{
                             u"T\u014Dol", u"t\u014Dol.exe",
                             u"\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0430"}));
        host.answers = {engine::Answer::Yes};
        const RepairReport report =
            RepairCommand(session.Results(), session.Repair(), *services, host);
        ASSERT_EQ(report.end, RepairReport::End::Done) << report.reason;
        EXPECT_EQ(report.registry.removed, 3);
        EXPECT_EQ(report.registry.alreadyAbsent, 0);
        EXPECT_EQ(report.registry.failed, 0);
    }
    // What Wine itself reads now (in a copy: a Wine start rewrites a few keys of its own): the
    // namesakes stay, the dead values are gone.
    const std::string check = fixtures::CopyWineTemplateFrom(ours, (base / "check").string());
    ASSERT_FALSE(check.empty());
    ASSERT_EQ(fixtures::RunWine(check, {"regedit", "/E", "C:\\after.reg",
                                        "HKEY_CURRENT_USER\\Software\\DrennowExact"})
                  .exitCode,
              0);
    const std::u16string after = ReadUtf16(fs::path(check) / "drive_c" / "after.reg");
    EXPECT_NE(after.find(u"\"Tool\"=\"C:\\\\windows\\\\notepad.exe\""), std::u16string::npos);
    EXPECT_NE(after.find(u"\"Data\"=\"C:\\\\windows\\\\D\u0101ta.exe\""), std::u16string::npos);
    EXPECT_EQ(after.find(u"Gone"), std::u16string::npos);
    {
        repairtest::ScriptedHost host;
        EXPECT_EQ(RestoreTheBackup(ours, host).restored, 3);
    }
    for (const char* hive : {"user.reg", "system.reg", "userdef.reg"}) {
        const auto restored = Blocks(Read(fs::path(ours) / hive), true);
        EXPECT_EQ(restored.size(), before[hive].size()) << hive;
        for (const auto& [key, text] : before[hive]) {
            const auto it = restored.find(key);
            EXPECT_TRUE(it != restored.end() && it->second == text) << hive << " " << key;
        }
    }
}

TEST_F(RepairWineTest, RepairRefusedAfterWineChangedTheHiveLeavesNoBackup) {
    const std::string ours = fixtures::CopyWineTemplateFrom(original, (base / "refused").string());
    ASSERT_FALSE(ours.empty());
    const std::string run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ASSERT_EQ(
        fixtures::RunWine(ours, {"reg", "add", run, "/v", "Dead", "/d", "C:\\Gone\\dead.exe", "/f"})
            .exitCode,
        0);
    platform::Status status;
    auto services = platform::wine::OpenPrefix(ours, status);
    ASSERT_TRUE(services) << status.message;
    repairtest::ScriptedHost host;
    engine::ScanSession session(*services, host);
    ASSERT_EQ(session.Scan(OnlySection(*services, 8)), engine::ScanOutcome::ProblemsFound);
    // Wine writes user.reg again between the scan and the repair.
    ASSERT_EQ(
        fixtures::RunWine(ours, {"reg", "add", "HKCU\\Software\\Later", "/v", "x", "/d", "y", "/f"})
            .exitCode,
        0);
    host.answers = {engine::Answer::Yes, engine::Answer::Yes};
    const RepairReport report = RepairCommand(session.Results(), session.Repair(), *services, host);
    EXPECT_NE(report.end, RepairReport::End::Done);
    EXPECT_FALSE(report.backupWritten);
    EXPECT_EQ(report.registry.removed, 0);

    // No backup of a repair that never happened, and both Wine's value and the dead one stay.
    repairtest::ScriptedHost listing;
    auto reopened = platform::wine::OpenPrefix(ours, status);
    ASSERT_TRUE(reopened) << status.message;
    BackupCatalogue catalogue(*reopened, listing);
    catalogue.LoadCatalogue();
    EXPECT_EQ(catalogue.ListedCount(), 0);
    const std::string user = Read(fs::path(ours) / "user.reg");
    EXPECT_NE(user.find("\"Dead\"=\"C:\\\\Gone\\\\dead.exe\""), std::string::npos);
    EXPECT_NE(user.find("[Software\\\\Later]"), std::string::npos);
}

}  // namespace
}  // namespace repair
