// The section table and the rows built from it: numbers, names and the drive each row scans.
#include <gtest/gtest.h>

#include "engine/ScanSession.h"
#include "engine/Sections.h"

TEST(Sections, NumbersFollowTheTableAndOnlyTheLastSearchesTheDrives) {
    const auto& table = engine::Sections();
    ASSERT_EQ(table.size(), static_cast<std::size_t>(engine::kSectionCount));
    for (const engine::Section& section : table) {
        EXPECT_EQ(&engine::SectionByNumber(section.number), &section);
        EXPECT_EQ(section.shortcutWalk, section.number == engine::kSectionCount) << section.number;
        EXPECT_EQ(section.walks.empty(), section.shortcutWalk) << section.number;
    }
    for (const int unknown : {0, engine::kSectionCount + 1}) {
        EXPECT_STREQ(engine::SectionByNumber(unknown).name, "") << unknown;
        EXPECT_TRUE(engine::SectionByNumber(unknown).walks.empty()) << unknown;
        EXPECT_EQ(engine::SectionByNumber(unknown).checker, nullptr) << unknown;
    }
}

TEST(Sections, DriveRowsCarryTheirDriveApartFromTheLabel) {
    const engine::SectionRows rows = engine::BuildSectionRows({"C:\\", "Z:\\"});
    ASSERT_EQ(rows.size(), engine::kFirstDriveRow + 2);
    EXPECT_EQ(rows[0].label, "Registry Integrity");
    EXPECT_TRUE(rows[engine::kFirstDriveRow - 1].drive.empty());
    EXPECT_EQ(rows[engine::kFirstDriveRow + 1].label, "Valid Shortcuts ( Z:\\ )");
    EXPECT_EQ(rows[engine::kFirstDriveRow + 1].drive, "Z:");
    EXPECT_EQ(rows[engine::kFirstDriveRow + 1].section, engine::kSectionCount);
    EXPECT_EQ(rows[2].section, 3);
}
