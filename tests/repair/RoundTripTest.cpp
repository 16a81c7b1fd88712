// Scanned → repaired with a backup → restored: the values are back exactly as they were,
// letter case, white space, quotes, backslashes and line breaks included.
#include <gtest/gtest.h>

#include <map>

#include "engine/ScanSession.h"
#include "repair/BackupCatalogue.h"
#include "repair/RepairCommand.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"

namespace repair {
namespace {

using fixtures::Hive;
using platform::HKEY_CURRENT_USER;

// Every value of a key, by name.
std::map<std::string, repairtest::RegValue> ReadAll(platform::Services& services,
                                                    platform::HKEY root, const char* subKey) {
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
        values[std::string(name, nameLength)] = {
            type, std::vector<platform::BYTE>(data, data + dataLength)};
    }
    services.RegCloseKey(key);
    return values;
}

TEST(RoundTrip, RealScanRepairRestoreLeavesTheRunKeysAsTheyWere) {
    constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::User, kRun, "Mixed Case", "C:\\Gone Dir\\Tool.EXE  ");
    prefix.SetString(Hive::User, kRun, "quote\"=name", "C:\\Gone\\Say.exe /x \"y\"");
    prefix.SetString(Hive::User, kRun, "line\nbreak", "c:\\gone\\new\\x.exe");
    prefix.SetString(Hive::User, kRun, "  padded name ", "C:\\gone\\first\r\nsecond.exe");
    prefix.SetString(Hive::User, kRun, "back\\nslash", "C:\\Gone\\\\n.exe");
    prefix.SetExpandString(Hive::User, kRun, "Expand", "c:\\gone\\%USERNAME%.exe");
    prefix.CreateFile("C:\\windows\\alive.exe", "MZ");
    prefix.SetString(Hive::User, kRun, "Alive", "C:\\windows\\alive.exe");
    prefix.SetString(Hive::System, kRun, "", "C:\\Gone\\Default.EXE");

    std::map<std::string, repairtest::RegValue> userBefore, systemBefore;
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        userBefore = ReadAll(*services, HKEY_CURRENT_USER, kRun);
        systemBefore = ReadAll(*services, platform::HKEY_LOCAL_MACHINE, kRun);
        repairtest::ScriptedHost host;
        engine::ScanSession session(*services, host);
        session.SetPumpInterval(std::chrono::milliseconds(0));
        engine::SectionRows rows = engine::BuildSectionRows(*services);
        rows[7].selected = true;  // Startup Programs
        ASSERT_EQ(session.Scan(rows), engine::ScanOutcome::ProblemsFound);
        EXPECT_EQ(session.Results().Section(8).Count(), 7);
        host.answers = {engine::Answer::Yes};
        const RepairReport report =
            RepairCommand(session.Results(), session.Repair(), *services, host);
        ASSERT_EQ(report.end, RepairReport::End::Done);
        EXPECT_EQ(report.registry.removed, 7);
    }
    {
        auto services = prefix.Open();
        ASSERT_TRUE(services);
        EXPECT_EQ(ReadAll(*services, HKEY_CURRENT_USER, kRun).size(), 1u);
        repairtest::ScriptedHost host;
        BackupCatalogue catalogue(*services, host);
        catalogue.LoadCatalogue();
        ASSERT_EQ(catalogue.ListedCount(), 1);
        catalogue.LoadBackupEntries(0);
        EXPECT_EQ(catalogue.Restore().restored, 7);
    }
    auto services = prefix.Open();
    ASSERT_TRUE(services);
    EXPECT_EQ(ReadAll(*services, HKEY_CURRENT_USER, kRun), userBefore);
    EXPECT_EQ(ReadAll(*services, platform::HKEY_LOCAL_MACHINE, kRun), systemBefore);
}

}  // namespace
}  // namespace repair
