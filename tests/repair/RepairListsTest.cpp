// Choosing what a repair touches from the found lists.
#include <gtest/gtest.h>

#include "repair/RepairLists.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace repair {
namespace {

using fixtures::AddProblem;

TEST(PrepareRepairLists, TakesMarkedRecordsInSectionOrderThenShortcuts) {
    engine::ScanResults results;
    AddProblem(results, 14, " [C:\\users\\me\\Desktop\\old.lnk] ", "@", "\"c:\\\\gone.exe\"");
    AddProblem(results, 8, "[HKEY_CURRENT_USER\\Run]", "\"tool\"", "\"c:\\\\tool.exe\"");
    AddProblem(results, 1, "[HKEY_CLASSES_ROOT\\x]", "@", "\"c:\\\\x.dll\"");
    AddProblem(results, 8, "[HKEY_CURRENT_USER\\Run]", "\"kept\"", "\"c:\\\\kept.exe\"", false);
    AddProblem(results, 14, "[C:\\kept.lnk]", "@", "\"c:\\\\k.exe\"", false);
    AddProblem(results, 3, "[HKEY_LOCAL_MACHINE\\y]", "\"n\"", "dword:0000000a");

    engine::RepairLists lists;
    lists.registry = {{"stale", "stale"}};
    PrepareRepairLists(results, lists);

    EXPECT_EQ(lists.registry, (std::vector<engine::RepairEntry>{
                                  {"[HKEY_CLASSES_ROOT\\x]", "@=\"c:\\\\x.dll\""},
                                  {"[HKEY_LOCAL_MACHINE\\y]", "\"n\"=dword:0000000a"},
                                  {"[HKEY_CURRENT_USER\\Run]", "\"tool\"=\"c:\\\\tool.exe\""}}));
    EXPECT_EQ(lists.shortcuts, (engine::TextList{"C:\\users\\me\\Desktop\\old.lnk"}));
    const engine::TextList repaired = fixtures::RecordTexts(lists.repaired);
    ASSERT_EQ(repaired.size(), 16u);
    EXPECT_EQ(repaired[0], "[HKEY_CLASSES_ROOT\\x]");
    EXPECT_EQ(repaired[8], "[HKEY_CURRENT_USER\\Run]");
    EXPECT_EQ(repaired[9], "\"tool\"");
    // The shortcut's record carries its bare path, then its other three texts unchanged.
    EXPECT_EQ(
        (engine::TextList(repaired.begin() + 12, repaired.end())),
        (engine::TextList{"C:\\users\\me\\Desktop\\old.lnk", "@", "\"c:\\\\gone.exe\"", "0"}));
}

TEST(PrepareRepairLists, OnlyAMarkOfExactlyZeroChoosesARecordReadAsText) {
    engine::ScanResults results;
    results.Section(2).problems = fixtures::ProblemsFromTexts(
        {"[HKEY_CLASSES_ROOT\\a]", "@", "\"\"", " 0", "[HKEY_CLASSES_ROOT\\b]", "@", "\"\"", "1"},
        2);
    results.Section(14).problems =
        fixtures::ProblemsFromTexts({"[C:\\a.lnk]", "@", "\"\"", ""}, 14);
    engine::RepairLists lists;
    PrepareRepairLists(results, lists);
    EXPECT_TRUE(lists.registry.empty());
    EXPECT_TRUE(lists.shortcuts.empty());
    EXPECT_TRUE(lists.repaired.empty());
}

}  // namespace
}  // namespace repair
