// Choosing what a repair touches from the found lists.
#include <gtest/gtest.h>

#include "repair/RepairLists.h"

namespace repair {
namespace {

void Add(engine::ScanResults& results, int section, std::string key, std::string name,
         std::string value, std::string mark = "0") {
    auto& s = results.Section(section);
    s.found.insert(s.found.end(), {std::move(key), std::move(name), std::move(value),
                                   std::move(mark)});
    ++s.count;
    ++results.total;
}

TEST(PrepareRepairLists, TakesMarkedRecordsInSectionOrderThenShortcuts) {
    engine::ScanResults results;
    Add(results, 14, " [C:\\users\\me\\Desktop\\old.lnk] ", "@", "\"c:\\\\gone.exe\"");
    Add(results, 8, "[HKEY_CURRENT_USER\\Run]", "\"tool\"", "\"c:\\\\tool.exe\"");
    Add(results, 1, "[HKEY_CLASSES_ROOT\\x]", "@", "\"c:\\\\x.dll\"");
    Add(results, 8, "[HKEY_CURRENT_USER\\Run]", "\"kept\"", "\"c:\\\\kept.exe\"", "1");
    Add(results, 14, "[C:\\kept.lnk]", "@", "\"c:\\\\k.exe\"", "1");
    Add(results, 3, "[HKEY_LOCAL_MACHINE\\y]", "\"n\"", "dword:0000000a");

    engine::RepairLists lists;
    lists.registry = {"stale"};
    PrepareRepairLists(results, lists);

    EXPECT_EQ(lists.registryCount, 3);
    EXPECT_EQ(lists.registry,
              (engine::TextList{"[HKEY_CLASSES_ROOT\\x]", "@=\"c:\\\\x.dll\"",
                                "[HKEY_LOCAL_MACHINE\\y]", "\"n\"=dword:0000000a",
                                "[HKEY_CURRENT_USER\\Run]", "\"tool\"=\"c:\\\\tool.exe\""}));
    EXPECT_EQ(lists.shortcutCount, 1);
    EXPECT_EQ(lists.shortcuts, (engine::TextList{"C:\\users\\me\\Desktop\\old.lnk"}));
    ASSERT_EQ(lists.repaired.size(), 16u);
    EXPECT_EQ(lists.repaired[0], "[HKEY_CLASSES_ROOT\\x]");
    EXPECT_EQ(lists.repaired[8], "[HKEY_CURRENT_USER\\Run]");
    EXPECT_EQ(lists.repaired[9], "\"tool\"");
    // The shortcut's record carries its bare path, then its other three texts unchanged.
    EXPECT_EQ((engine::TextList(lists.repaired.begin() + 12, lists.repaired.end())),
              (engine::TextList{"C:\\users\\me\\Desktop\\old.lnk", "@", "\"c:\\\\gone.exe\"",
                                "0"}));
}

TEST(PrepareRepairLists, OnlyAMarkOfExactlyZeroChoosesARecord) {
    engine::ScanResults results;
    Add(results, 2, "[HKEY_CLASSES_ROOT\\a]", "@", "\"\"", " 0");
    Add(results, 2, "[HKEY_CLASSES_ROOT\\b]", "@", "\"\"", "1");
    Add(results, 14, "[C:\\a.lnk]", "@", "\"\"", "");
    engine::RepairLists lists;
    PrepareRepairLists(results, lists);
    EXPECT_EQ(lists.registryCount, 0);
    EXPECT_TRUE(lists.registry.empty());
    EXPECT_EQ(lists.shortcutCount, 0);
    EXPECT_TRUE(lists.repaired.empty());
}

}  // namespace
}  // namespace repair
