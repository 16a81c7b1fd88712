// Which commands a running scan lets through, and what each screen asks of the window.
#include <gtest/gtest.h>

#include "ui/shared/ResultRows.h"
#include "ui/shared/Screens.h"

namespace {

namespace res = ui::res;

TEST(Screens, WhileAScanRunsOnlyPauseCancelTheMenusAndHelpRun) {
    const struct {
        int command;
        bool duringScan;
    } cases[] = {
        {res::kPauseButton, true},        {res::kCancelScanButton, true},
        {res::kOptionButton, true},       {res::kHelpButton, true},
        {res::kCmdUserManual, true},      {res::kCmdAbout, true},
        {res::kCmdHomePage, true},        {res::kScanButton, false},
        {res::kRepairAllButton, false},   {res::kCmdCleanRestore, false},
        {res::kCmdIERestore, false},      {res::kCmdChoosePrefix, false},
        {res::kCmdIgnoredEntries, false}, {res::kSelectAllBox, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::shared::CommandAllowed(true, c.command), c.duringScan) << c.command;
        EXPECT_TRUE(ui::shared::CommandAllowed(false, c.command)) << c.command;
    }
}

TEST(Screens, OnlyTheScanScreenKeepsTheWindowOpenAndEachHasItsDefaultButton) {
    using engine::Screen;
    const struct {
        Screen screen;
        int step, defaultButton;
        bool closeEnabled;
    } cases[] = {
        {Screen::Choose, 1, res::kScanButton, true},
        {Screen::Scanning, 2, res::kPauseButton, false},
        {Screen::Results, 3, res::kRepairAllButton, true},
        {Screen::RepairLog, 3, res::kReturnButton, true},
        {Screen::None, 0, 0, true},
    };
    for (const auto& c : cases) {
        const ui::shared::ScreenFacts facts = ui::shared::FactsOf(c.screen);
        EXPECT_EQ(facts.step, c.step);
        EXPECT_EQ(facts.defaultButton, c.defaultButton);
        EXPECT_EQ(facts.closeEnabled, c.closeEnabled);
    }
}

}  // namespace

namespace {

TEST(Screens, SelectAllBoxShowsTheChoiceAndAClickTicksAllUnlessAllAreTicked) {
    using engine::Selection;
    EXPECT_EQ(ui::shared::SelectAllPicture(Selection::All), ui::res::kBmpBoxTicked);
    EXPECT_EQ(ui::shared::SelectAllPicture(Selection::None), ui::res::kBmpBoxEmpty);
    EXPECT_EQ(ui::shared::SelectAllPicture(Selection::Some), ui::res::kBmpBoxGreyed);
    EXPECT_FALSE(ui::shared::SelectAllTicks(Selection::All));
    EXPECT_TRUE(ui::shared::SelectAllTicks(Selection::None));
    EXPECT_TRUE(ui::shared::SelectAllTicks(Selection::Some));
}

}  // namespace

namespace {

// Sections 2 and 5 with problems; the list keeps its section while it has any.
TEST(ResultRows, RowsLinkOnlySectionsWithProblemsAndTheListKeepsItsSection) {
    engine::ScanResults results;
    results.Section(2).problems.resize(3);
    results.Section(5).problems.resize(1);
    const std::vector<ui::shared::ResultRow> rows = ui::shared::ResultRows(results);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(engine::kSectionCount));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int expected = i == 1 ? 3 : i == 4 ? 1 : 0;
        EXPECT_EQ(rows[i].count, expected) << i;
        EXPECT_EQ(rows[i].linked, expected > 0) << i;
    }
    EXPECT_EQ(ui::shared::RowToShow(results), 1);
    EXPECT_EQ(ui::shared::RowToShow(results, 4), 4);
    EXPECT_EQ(ui::shared::RowToShow(results, 7), 1);  // emptied by the ignore list
    EXPECT_EQ(ui::shared::RowToShow(engine::ScanResults{}, 4), -1);
}

}  // namespace
