// Found → repaired with a backup → restored: the values are back exactly as they were.
#include <gtest/gtest.h>

#include <map>

#include "engine/ScanSession.h"
#include "engine/ValueText.h"
#include "repair/BackupCatalogue.h"
#include "repair/RepairCommand.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"

namespace repair {
namespace {

using fixtures::Hive;
using platform::HKEY_CURRENT_USER;

constexpr const char* kKey = "Software\\RoundTrip";

// Every value of the key, with its records in text form as the key walker makes them.
std::map<std::string, repairtest::RegValue> ReadAll(platform::Services& services,
                                                    engine::SectionResult* records,
                                                    platform::HKEY root = HKEY_CURRENT_USER,
                                                    const char* subKey = kKey) {
    std::map<std::string, repairtest::RegValue> values;
    platform::HKEY key = 0;
    EXPECT_EQ(services.RegOpenKeyExA(root, subKey, 0, platform::KEY_READ, &key),
              platform::ERROR_SUCCESS);
    for (platform::DWORD index = 0;; ++index) {
        char name[10000];
        platform::DWORD nameLength = sizeof name;
        platform::BYTE data[20000];
        platform::DWORD dataLength = sizeof data;
        platform::DWORD type = 0;
        if (services.RegEnumValueA(key, index, name, &nameLength, &type, data, &dataLength) !=
            platform::ERROR_SUCCESS) {
            break;
        }
        values[std::string(name, nameLength)] = {type,
                                                 std::vector<platform::BYTE>(data, data + dataLength)};
        if (records) {
            const engine::ValueTexts texts = engine::TextForm(
                std::string(root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\") + subKey, std::string(name, nameLength), type,
                data, dataLength);
            records->found.insert(records->found.end(),
                                  {texts.key, texts.name, texts.value, "0"});
            ++records->count;
        }
    }
    services.RegCloseKey(key);
    return values;
}

TEST(RoundTrip, RepairWithBackupThenRestoreGivesBackEveryValue) {
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::User, kKey, "", "C:\\Program Files\\Gone\\Default.EXE");
    prefix.SetString(Hive::User, kKey, "Mixed Case", "  C:\\Gone\\Spaced Out.exe  ");
    prefix.SetString(Hive::User, kKey, "  padded name ", "x");
    prefix.SetString(Hive::User, kKey, "quote\"=name", "say \"hi\" \\\\server\\share");
    prefix.SetString(Hive::User, kKey, "line\nbreak", "first\r\nsecond\\n");
    prefix.SetString(Hive::User, kKey, "back\\nslash", "c:\\new\\real");
    prefix.SetString(Hive::User, kKey, "long", std::string(1500, 'L'));
    prefix.SetString(Hive::User, kKey, "empty", "");
    prefix.SetExpandString(Hive::User, kKey, "Expand", "%SystemRoot%\\Gone\\Tool.dll");
    prefix.SetDword(Hive::User, kKey, "Number", 0x80ABCDEFu);

    engine::ScanResults results;
    std::map<std::string, repairtest::RegValue> before;
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        before = ReadAll(*services, &results.Section(13));
        results.total = results.Section(13).count;
        ASSERT_EQ(before.size(), 10u);

        repairtest::ScriptedHost host;
        host.answers = {engine::IDYES};
        engine::RepairLists lists;
        const RepairReport report = RepairCommand(results, lists, *services, host);
        ASSERT_EQ(report.end, RepairReport::End::Done);
        EXPECT_EQ(report.registry.removed, 10);
    }
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_TRUE(ReadAll(*services, nullptr).empty());
        repairtest::ScriptedHost host;
        BackupCatalogue catalogue(*services, host);
        catalogue.LoadCatalogue();
        ASSERT_EQ(catalogue.ListedCount(), 1);
        EXPECT_EQ(catalogue.Rows()[0].count, "10");
        catalogue.LoadBackupEntries(0);
        EXPECT_EQ(catalogue.Entries().size(), 40u);
        const engine::RestoreOutcome outcome = catalogue.Restore();
        EXPECT_EQ(outcome.restored, 10);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Restore Successed!");
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    const auto after = ReadAll(*services, nullptr);
    for (const auto& [name, value] : before) {
        auto it = after.find(name);
        ASSERT_NE(it, after.end()) << name;
        EXPECT_EQ(it->second.type, value.type) << name;
        EXPECT_EQ(std::string(it->second.data.begin(), it->second.data.end()),
                  std::string(value.data.begin(), value.data.end()))
            << name;
    }
    EXPECT_EQ(after.size(), before.size());
}

TEST(RoundTrip, RealScanRepairRestoreLeavesTheRunKeysAsTheyWere) {
    constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::User, kRun, "Mixed Case", "C:\\Gone Dir\\Tool.EXE  ");
    prefix.SetString(Hive::User, kRun, "quote\"=name", "C:\\Gone\\Say.exe /x \"y\"");
    prefix.SetString(Hive::User, kRun, "line\nbreak", "c:\\gone\\new\\x.exe");
    prefix.SetExpandString(Hive::User, kRun, "Expand", "c:\\gone\\%USERNAME%.exe");
    prefix.CreateFile("C:\\windows\\alive.exe", "MZ");
    prefix.SetString(Hive::User, kRun, "Alive", "C:\\windows\\alive.exe");
    prefix.SetString(Hive::System, kRun, "", "C:\\Gone\\Default.EXE");

    std::map<std::string, repairtest::RegValue> userBefore, systemBefore;
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        userBefore = ReadAll(*services, nullptr, HKEY_CURRENT_USER, kRun);
        systemBefore = ReadAll(*services, nullptr, platform::HKEY_LOCAL_MACHINE, kRun);
        repairtest::ScriptedHost host;
        engine::ScanSession session(*services, host);
        session.SetPumpInterval(std::chrono::milliseconds(0));
        engine::SectionRows rows = engine::BuildSectionRows(*services);
        rows.selected[7] = 1;  // Startup Programs
        ASSERT_EQ(session.Scan(rows, engine::SelectionSummary(rows)),
                  engine::ScanOutcome::ProblemsFound);
        EXPECT_EQ(session.Results().Section(8).count, 5);
        host.answers = {engine::IDYES};
        const RepairReport report =
            RepairCommand(session.Results(), session.Repair(), *services, host);
        ASSERT_EQ(report.end, RepairReport::End::Done);
        EXPECT_EQ(report.registry.removed, 5);
    }
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_EQ(ReadAll(*services, nullptr, HKEY_CURRENT_USER, kRun).size(), 1u);
        repairtest::ScriptedHost host;
        BackupCatalogue catalogue(*services, host);
        catalogue.LoadCatalogue();
        ASSERT_EQ(catalogue.ListedCount(), 1);
        catalogue.LoadBackupEntries(0);
        EXPECT_EQ(catalogue.Restore().restored, 5);
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    EXPECT_EQ(ReadAll(*services, nullptr, HKEY_CURRENT_USER, kRun), userBefore);
    EXPECT_EQ(ReadAll(*services, nullptr, platform::HKEY_LOCAL_MACHINE, kRun), systemBefore);
}

}  // namespace
}  // namespace repair
