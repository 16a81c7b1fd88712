// Which commands a running scan lets through, and what each screen asks of the window.
#include <gtest/gtest.h>

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
