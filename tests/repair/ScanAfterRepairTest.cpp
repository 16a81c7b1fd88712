// A scan after a repair in the same session sees what the repair removed: nothing the first
// scan learnt about the disk outlives it.
#include <gtest/gtest.h>

#include "engine/ScanSession.h"
#include "repair/RepairCommand.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace {

using fixtures::Hive;

constexpr const char* kShortcut = "C:\\users\\Public\\Desktop\\Gone.lnk";
constexpr const char* kRecent = "Software\\Vendor\\Viewer\\Recent";

TEST(ScanAfterRepair, AValueNamingADeletedShortcutIsReportedByTheNextScan) {
    fixtures::TestPrefix prefix;
    prefix.CreateShortcut(kShortcut, "C:\\gone\\app.exe");
    // A value that names the shortcut file itself: fine while the file is there.
    prefix.SetString(Hive::System, kRecent, "File1", kShortcut);
    auto services = repairtest::OpenFixed(prefix);
    ASSERT_TRUE(services);
    repairtest::ScriptedHost host;
    engine::ScanSession session(*services, host);
    engine::SectionRows rows = engine::BuildSectionRows(*services);
    for (engine::SectionRow& row : rows) row.selected = false;
    rows[12].selected = true;                      // Valid Files Path
    rows[engine::kFirstDriveRow].selected = true;  // Valid Shortcuts ( C:\ )

    ASSERT_EQ(session.Scan(rows), engine::ScanOutcome::ProblemsFound);
    EXPECT_EQ(session.Results().Section(13).Count(), 0);
    ASSERT_EQ(session.Results().Section(14).Count(), 1);

    host.answers = {engine::Answer::No};  // no backup
    const repair::RepairReport report =
        repair::RepairCommand(session.Results(), session.Repair(), *services, host);
    ASSERT_EQ(report.end, repair::RepairReport::End::Done);
    EXPECT_EQ(report.shortcuts.removed, 1);
    EXPECT_FALSE(prefix.Exists(kShortcut));

    ASSERT_EQ(session.Scan(rows), engine::ScanOutcome::ProblemsFound);
    ASSERT_EQ(session.Results().Section(13).Count(), 1);
    EXPECT_EQ(fixtures::RecordTexts(session.Results().Section(13).problems)[0],
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Viewer\\Recent]");
    EXPECT_EQ(session.Results().Section(14).Count(), 0);
}

}  // namespace
