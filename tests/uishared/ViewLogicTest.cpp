// The main view's logic over real test prefixes, without a display: what each screen shows,
// the scan, pause, cancel, repair and return flows, the menus and what a running scan lets
// through, the select-all box and the ignore list's context menu.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/fixtures/FakeWineServer.h"
#include "tests/fixtures/ScanResultsBuilder.h"
#include "tests/uishared/ViewFakes.h"
#include "ui/res/ResourceIds.h"

namespace {

using fixtures::Hive;
using ui::shared::Address;
using ui::shared::Dialog;
using uisharedtest::LogicHarness;
namespace res = ui::res;

constexpr const char* kShared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr int kSharedRow = 6;     // Shared Programs
constexpr int kShortcutRow = 13;  // Valid Shortcuts

// Problems only in "Shared Programs" (one) and "Valid Shortcuts" (two), beside entries that
// are fine.
void AddSharedAndShortcutProblems(fixtures::TestPrefix& p) {
    p.CreateFile("C:\\windows\\system32\\present.dll", "MZ");
    p.CreateFile("C:\\Program Files\\Here\\here.exe", "MZ");
    p.SetDword(Hive::System, kShared, "C:\\Program Files\\Common Files\\gone.dll", 1);
    p.SetDword(Hive::System, kShared, "C:\\windows\\system32\\present.dll", 2);
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Gone App.lnk",
                     "C:\\Program Files\\Gone\\gone.exe");
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Old Tool.lnk", "C:\\Tools\\oldtool.exe");
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Here.lnk", "C:\\Program Files\\Here\\here.exe");
}

engine::Screen LastScreen(const LogicHarness& h) { return h.face.screens.back().screen; }

TEST(ViewLogic, ScanShowsProgressThenResultsAndRepairShowsTheLog) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    LogicHarness h(prefix);
    ASSERT_EQ(h.face.screens.size(), 1u);
    EXPECT_EQ(LastScreen(h), engine::Screen::Choose);
    EXPECT_EQ(h.logic.CurrentStep(), 1);
    EXPECT_EQ(h.face.selectAllPicture, res::kBmpBoxTicked);

    // What the progress screen shows when the scan first hands events over.
    struct Progress {
        engine::Screen screen = engine::Screen::None;
        int step = 0;
        bool closeEnabled = true;
        int defaultButton = 0;
        std::string foundCount;
        int pausePicture = 0;  // the Pause button's face a scan starts with
    } seen;
    h.host.onPump = [&](int) {
        seen = {LastScreen(h),       h.logic.CurrentStep(),
                h.face.closeEnabled, h.face.screens.back().facts.defaultButton,
                h.foundCount,        h.face.pausePicture};
        return false;
    };
    h.logic.OnCommand(res::kScanButton);
    EXPECT_EQ(seen.screen, engine::Screen::Scanning);
    EXPECT_EQ(seen.step, 2);
    EXPECT_FALSE(seen.closeEnabled);
    EXPECT_EQ(seen.defaultButton, res::kPauseButton);
    EXPECT_EQ(seen.foundCount, "0 problem(s) found");
    EXPECT_EQ(seen.pausePicture, res::kBmpPauseNormal);
    EXPECT_TRUE(h.host.messages.empty());

    // The result screen: rows 6 and 13 linked, row 6's problems listed first.
    ASSERT_EQ(LastScreen(h), engine::Screen::Results);
    EXPECT_EQ(h.face.screens.back().facts.caption, std::string("Detected Problems"));
    EXPECT_TRUE(h.face.closeEnabled);
    EXPECT_EQ(h.counters[kSharedRow], "1");
    EXPECT_EQ(h.counters[kShortcutRow], "2");
    EXPECT_EQ(h.foundCount, "3 problem(s) found");
    EXPECT_EQ(h.face.resultCount, "3 problem(s) found");
    ASSERT_EQ(h.face.resultRows.size(), static_cast<std::size_t>(engine::kSectionCount));
    for (int row = 0; row < engine::kSectionCount; ++row) {
        const int count = row == kSharedRow ? 1 : row == kShortcutRow ? 2 : 0;
        EXPECT_EQ(h.face.resultRows[static_cast<std::size_t>(row)].count, count) << row;
        EXPECT_EQ(h.face.resultRows[static_cast<std::size_t>(row)].linked, count > 0) << row;
    }
    using Shown = uisharedtest::FakeFace::ShownProblems;
    engine::ProblemList& shortcuts = h.Results().Section(kShortcutRow + 1).problems;
    EXPECT_EQ(h.face.problems.back(),
              (Shown{kSharedRow, &h.Results().Section(kSharedRow + 1).problems, false}));

    // A row without problems does nothing; row 13 lists the two dead shortcuts.
    const std::size_t shownBefore = h.face.problems.size();
    h.logic.OnCommand(res::kFirstSectionLink);
    EXPECT_EQ(h.face.problems.size(), shownBefore);
    h.logic.OnCommand(res::kFirstSectionLink + kShortcutRow);
    EXPECT_EQ(h.face.problems.back(), (Shown{kShortcutRow, &shortcuts, false}));
    EXPECT_EQ(h.logic.MarkerRow(), kShortcutRow);

    // Repair All, with a backup, the Old Tool shortcut left as it is.
    for (engine::Problem& problem : shortcuts)
        problem.repair = problem.key.find("Old Tool.lnk") == std::string::npos;
    h.host.answers = {engine::Answer::Yes, engine::Answer::Ok};
    h.logic.OnCommand(res::kRepairAllButton);
    ASSERT_EQ(h.host.messages.size(), 2u);
    EXPECT_EQ(h.host.messages[0].text,
              "Do you want to save a backup before repairing(Recommended)?");
    EXPECT_EQ(h.host.messages[1].text, "Total 2 problem(s) have been repaired successfully!");
    EXPECT_EQ(LastScreen(h), engine::Screen::RepairLog);
    EXPECT_EQ(h.face.screens.back().facts.caption, std::string("Repair Log"));
    EXPECT_EQ(h.logic.CurrentStep(), 3);
    ASSERT_EQ(h.face.repairLog, &h.logic.Session().Repair().repaired);
    EXPECT_EQ(h.face.repairLog->size(), 2u);
    EXPECT_FALSE(prefix.Exists("C:\\users\\Public\\Desktop\\Gone App.lnk"));
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop\\Old Tool.lnk"));

    h.logic.OnCommand(res::kReturnButton);
    EXPECT_EQ(LastScreen(h), engine::Screen::Choose);
    EXPECT_EQ(h.logic.CurrentStep(), 1);

    // Cancel on the result screen returns to the choice too.
    h.logic.OnCommand(res::kScanButton);
    ASSERT_EQ(LastScreen(h), engine::Screen::Results);
    EXPECT_EQ(h.face.resultCount, "1 problem(s) found");
    h.logic.OnCommand(res::kCancelResultButton);
    EXPECT_EQ(LastScreen(h), engine::Screen::Choose);
    EXPECT_EQ(h.host.messages.size(), 2u);
}

// A scan refused (every row unticked, or no row at all: the list's picture did not load) or
// finding nothing says so in a box and leaves the view on the section choice.
TEST(ViewLogic, AScanRefusedOrFindingNothingSaysSoAndStaysOnTheChoice) {
    fixtures::TestPrefix problems, clean;
    AddSharedAndShortcutProblems(problems);
    clean.CreateFile("C:\\Program Files\\Here\\here.exe", "MZ");
    clean.CreateShortcut("C:\\users\\Public\\Desktop\\Here.lnk",
                         "C:\\Program Files\\Here\\here.exe");
    enum class Rows { AllTicked, NoneTicked, None };
    const struct {
        fixtures::TestPrefix& prefix;
        Rows rows;
        const char* message;
        std::size_t screens;  // Choose, and Scanning and Choose again when the scan ran
    } cases[] = {
        {problems, Rows::NoneTicked, "Please select a section to scan before continuing!", 1},
        {problems, Rows::None, "Please select a section to scan before continuing!", 1},
        {clean, Rows::AllTicked, "No Problems Detected!", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        LogicHarness h(c.prefix);
        if (c.rows == Rows::None) h.face.rows.clear();
        if (c.rows == Rows::NoneTicked) h.logic.OnCommand(res::kSelectAllBox);
        h.logic.OnCommand(res::kScanButton);
        ASSERT_EQ(h.host.messages.size(), 1u);
        EXPECT_EQ(h.host.messages[0].text, c.message);
        EXPECT_EQ(h.host.messages[0].caption, "Information");
        EXPECT_EQ(h.host.messages[0].style, engine::Icon::Information);
        EXPECT_EQ(h.face.screens.size(), c.screens);
        EXPECT_EQ(h.logic.Screen(), engine::Screen::Choose);
        EXPECT_TRUE(h.face.closeEnabled);
        EXPECT_EQ(h.Results().total, 0);
    }
}

TEST(ViewLogic, CancelDuringAScanDiscardsEverything) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    LogicHarness h(prefix);
    // Cancel once the "Shared Programs" walk hands events over.
    h.host.onPump = [&](int) {
        if (h.sectionName != "Shared Programs") return true;
        h.logic.OnCommand(res::kCancelScanButton);
        return false;
    };
    h.logic.Session().SetPumpInterval(std::chrono::milliseconds(0));
    h.logic.OnCommand(res::kScanButton);
    EXPECT_EQ(h.logic.Screen(), engine::Screen::Choose);
    EXPECT_TRUE(h.host.messages.empty());
    EXPECT_EQ(h.Results().total, 0);
    for (int row = 0; row < engine::kSectionCount; ++row)
        EXPECT_EQ(h.counters[static_cast<std::size_t>(row)], "0") << row;
    EXPECT_EQ(h.foundCount, "0 problem(s) found");
    EXPECT_GE(h.face.listsCleared, 1);
    EXPECT_TRUE(h.face.closeEnabled);
    // The shortcut walk never ran, so nothing of section 14 was counted either.
    EXPECT_TRUE(fixtures::RecordTexts(h.Results().Section(14).problems).empty());
}

TEST(ViewLogic, PauseHoldsTheWalkUntilResume) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    LogicHarness h(prefix);
    std::string heldKey;
    std::vector<std::string> texts;
    bool keyMoved = false;
    int pausedPumps = 0;
    h.host.onPump = [&](int n) {
        if (n == 1) {
            h.logic.OnCommand(res::kPauseButton);
            return true;
        }
        if (h.face.pauseText != "&Resume") return true;
        if (pausedPumps++ == 0) {
            texts.push_back(h.face.pauseText);
            EXPECT_EQ(h.face.pausePicture, res::kBmpResumeNormal);
            heldKey = h.currentKey;
            return true;
        }
        keyMoved |= h.currentKey != heldKey;
        if (pausedPumps < 4) return true;
        h.logic.OnCommand(res::kPauseButton);
        return false;
    };
    h.logic.OnCommand(res::kScanButton);
    texts.push_back(h.face.pauseText);
    EXPECT_EQ(texts, (std::vector<std::string>{"&Resume", "&Pause"}));
    EXPECT_EQ(h.face.pausePicture, res::kBmpPauseNormal);
    EXPECT_GE(pausedPumps, 4);
    EXPECT_FALSE(keyMoved) << "the walk went on while paused";
    EXPECT_EQ(h.logic.Screen(), engine::Screen::Results);
    EXPECT_EQ(h.Results().total, 3);
    EXPECT_FALSE(h.logic.Session().Paused());
    EXPECT_EQ(h.host.WaitDepth(), 0);
    EXPECT_EQ(h.host.CursorsUp(), 0);
}

TEST(ViewLogic, RepairIsRefusedWhileAWineserverRuns) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    LogicHarness h(prefix);
    h.logic.OnCommand(res::kScanButton);
    ASSERT_EQ(h.logic.Screen(), engine::Screen::Results);
    const std::string before = prefix.ReadHive(Hive::System);
    fixtures::FakeWineServer server(prefix.Dir());
    ASSERT_TRUE(server.Running());
    h.logic.OnCommand(res::kRepairAllButton);
    // Refused at once: the backup question would be answered for nothing.
    ASSERT_EQ(h.host.messages.size(), 1u);
    EXPECT_EQ(h.host.messages[0].text.find("Nothing has been repaired: A wineserver is running"),
              0u)
        << h.host.messages[0].text;
    EXPECT_EQ(h.logic.Screen(), engine::Screen::Results);
    EXPECT_EQ(prefix.ReadHive(Hive::System), before);
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop\\Gone App.lnk"));
}

// Wine writes the registry while the window is open: the refusal offers to scan again, and
// that scan reads the files as they are now.
TEST(ViewLogic, RepairAfterWineWroteTheRegistryOffersToScanAgain) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    LogicHarness h(prefix);
    h.logic.OnCommand(res::kScanButton);
    ASSERT_EQ(h.Results().total, 3);
    prefix.SetDword(Hive::System, kShared, "C:\\Program Files\\Common Files\\also gone.dll", 1);
    prefix.WriteHives();
    const std::string written = prefix.ReadHive(Hive::System);
    h.host.answers = {engine::Answer::Yes};
    h.logic.OnCommand(res::kRepairAllButton);
    ASSERT_EQ(h.host.messages.size(), 1u);
    EXPECT_EQ(
        h.host.messages[0].text.find("Nothing has been repaired: " + prefix.HivePath(Hive::System) +
                                     " was changed by another program"),
        0u)
        << h.host.messages[0].text;
    EXPECT_EQ(h.host.messages[0].style,
              engine::BoxStyle(engine::Buttons::YesNo, engine::Icon::Question));
    EXPECT_EQ(prefix.ReadHive(Hive::System), written);
    EXPECT_EQ(h.logic.Screen(), engine::Screen::Results);
    EXPECT_EQ(h.Results().total, 4);
    EXPECT_EQ(h.Results().Section(7).Count(), 2);
}

// ---- Menus and commands --------------------------------------------------------------------

std::vector<std::pair<std::string, int>> Items(const std::vector<ui::shared::MenuItem>& items) {
    std::vector<std::pair<std::string, int>> shown;
    for (const ui::shared::MenuItem& item : items)
        shown.emplace_back(item.command == 0 ? "-" : item.text, item.command);
    return shown;
}

TEST(ViewLogic, OptionAndHelpMenusAndWhatTheirCommandsOpen) {
    fixtures::TestPrefix prefix;
    using Menu = std::vector<std::pair<std::string, int>>;
    const Menu option = {
        {"Clean Restore", 143}, {"Ignored Entries...", 32801}, {"-", 0}, {"IE Restore", 140}};
    Menu withChoice = option;
    withChoice.insert(withChoice.end(), {{"-", 0}, {"Choose Prefix...", 32800}});
    // Only where the program picks its prefix is another one offered.
    for (const bool offers : {true, false}) {
        SCOPED_TRACE(offers ? "picks its prefix" : "the prefix it runs in");
        LogicHarness h(prefix, offers);
        EXPECT_EQ(Items(h.logic.MenuItems(res::kOptionButton)), offers ? withChoice : option);
        EXPECT_EQ(Items(h.logic.MenuItems(res::kHelpButton)),
                  (Menu{{"User Manual", 9},
                        {"-", 0},
                        {"About Norlix Drennow", 148},
                        {"Go to Norlix HomePage ->", 57664}}));
        h.logic.OnCommand(res::kCmdChoosePrefix);
        EXPECT_EQ(h.face.prefixChoices, offers ? 1 : 0);
    }

    // A menu's chosen command runs once the menu is gone; one closed unchosen runs nothing.
    LogicHarness h(prefix);
    h.face.menuAnswer = res::kCmdIERestore;
    h.logic.OnCommand(res::kOptionButton);
    h.face.menuAnswer = 0;
    h.logic.OnCommand(res::kHelpButton);
    EXPECT_EQ(h.face.menusRun, (std::vector<int>{res::kOptionButton, res::kHelpButton}));
    EXPECT_EQ(h.face.dialogs, std::vector<Dialog>{Dialog::IERestore});

    const struct {
        int command;
        std::vector<Dialog> dialogs;
        std::vector<Address> addresses;
    } cases[] = {
        {res::kCmdCleanRestore, {Dialog::CleanRestore}, {}},
        {res::kCmdIgnoredEntries, {Dialog::IgnoredEntries}, {}},
        {res::kCmdAbout, {Dialog::About}, {}},
        {res::kCmdUserManual, {}, {Address::UserManual}},
        {res::kCmdHomePage, {}, {Address::HomePage}},
    };
    for (const auto& c : cases) {
        h.face.dialogs.clear();
        h.face.addresses.clear();
        h.logic.OnCommand(c.command);
        EXPECT_EQ(h.face.dialogs, c.dialogs) << c.command;
        EXPECT_EQ(h.face.addresses, c.addresses) << c.command;
    }
}

// The scan's loop is on the stack while it hands events on: the menus grey what may not run
// then, and those commands are ignored when they arrive anyway.
TEST(ViewLogic, DuringAScanOnlyPauseCancelTheMenusAndHelpRun) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    LogicHarness h(prefix);
    std::vector<std::pair<std::string, bool>> items;
    int scansBefore = 0;
    h.host.onPump = [&](int) {
        for (const int button : {res::kOptionButton, res::kHelpButton})
            for (const ui::shared::MenuItem& item : h.logic.MenuItems(button))
                if (item.command != 0) items.emplace_back(item.text, item.enabled);
        scansBefore = static_cast<int>(h.face.screens.size());
        for (const int command : {res::kScanButton, res::kCmdCleanRestore, res::kCmdChoosePrefix,
                                  res::kRepairAllButton, res::kSelectAllBox, res::kCmdAbout})
            h.logic.OnCommand(command);
        h.logic.OnCommand(res::kCancelScanButton);
        return false;
    };
    h.logic.OnCommand(res::kScanButton);
    EXPECT_EQ(items,
              (std::vector<std::pair<std::string, bool>>{{"Clean Restore", false},
                                                         {"Ignored Entries...", false},
                                                         {"IE Restore", false},
                                                         {"Choose Prefix...", false},
                                                         {"User Manual", true},
                                                         {"About Norlix Drennow", true},
                                                         {"Go to Norlix HomePage ->", true}}));
    EXPECT_EQ(h.face.dialogs, std::vector<Dialog>{Dialog::About});
    EXPECT_EQ(h.face.prefixChoices, 0);
    EXPECT_EQ(h.face.selectAllPicture, res::kBmpBoxTicked);
    EXPECT_EQ(h.face.screens.size(), static_cast<std::size_t>(scansBefore) + 1) << "Choose only";
    EXPECT_EQ(h.logic.Screen(), engine::Screen::Choose);
    EXPECT_TRUE(h.host.messages.empty());
}

TEST(ViewLogic, SelectAllBoxTicksEveryRowOrNone) {
    fixtures::TestPrefix prefix;
    LogicHarness h(prefix);
    auto allRows = [&h](bool selected) {
        return std::all_of(
            h.face.rows.begin(), h.face.rows.end(),
            [selected](const engine::SectionRow& row) { return row.selected == selected; });
    };
    ASSERT_GE(h.face.rows.size(), 4u);
    h.logic.OnCommand(res::kSelectAllBox);
    EXPECT_TRUE(allRows(false));
    EXPECT_EQ(h.face.selectAllPicture, res::kBmpBoxEmpty);
    h.logic.OnCommand(res::kSelectAllBox);
    EXPECT_TRUE(allRows(true));
    EXPECT_EQ(h.face.selectAllPicture, res::kBmpBoxTicked);
    // Unticking one row in the list greys the box; one click then ticks every row.
    h.face.rows[3].selected = false;
    h.logic.OnSelectionChanged();
    EXPECT_EQ(h.face.selectAllPicture, res::kBmpBoxGreyed);
    h.logic.OnCommand(res::kSelectAllBox);
    EXPECT_TRUE(allRows(true));
    EXPECT_EQ(h.face.selectAllPicture, res::kBmpBoxTicked);
}

// A problem ignored from its row leaves the results at once: the section shown stays,
// scrolled where it was, while it has problems; then the next section with any is shown.
TEST(ViewLogic, IgnoringAProblemKeepsItsSectionShownWhileItHasProblemsLeft) {
    fixtures::TestPrefix prefix;
    prefix.SetDword(Hive::System, kShared, "C:\\Gone\\one.dll", 1);
    prefix.SetDword(Hive::System, kShared, "C:\\Gone\\two.dll", 1);
    prefix.CreateShortcut("C:\\users\\Public\\Desktop\\Gone App.lnk", "C:\\Gone\\gone.exe");
    LogicHarness h(prefix);
    h.logic.OnCommand(res::kScanButton);
    ASSERT_EQ(h.face.resultCount, "3 problem(s) found");
    using Shown = uisharedtest::FakeFace::ShownProblems;
    engine::ProblemList* shared = &h.Results().Section(kSharedRow + 1).problems;
    engine::ProblemList* shortcuts = &h.Results().Section(kShortcutRow + 1).problems;

    const std::size_t shownBefore = h.face.problems.size();
    h.logic.IgnoreProblem(2, false);  // no such row
    EXPECT_EQ(h.face.problems.size(), shownBefore);

    const struct {
        Shown shown;
        const char* count;
        int sharedCount;
    } steps[] = {
        {{kSharedRow, shared, true}, "2 problem(s) found", 1},
        {{kShortcutRow, shortcuts, false}, "1 problem(s) found", 0},
        {{kShortcutRow, nullptr, false}, "0 problem(s) found", 0},
    };
    for (const auto& step : steps) {
        h.logic.IgnoreProblem(0, false);
        EXPECT_EQ(h.face.problems.back(), step.shown) << step.count;
        EXPECT_EQ(h.face.resultCount, step.count);
        EXPECT_EQ(h.face.resultRows[kSharedRow].count, step.sharedCount) << step.count;
        EXPECT_EQ(h.face.resultRows[kSharedRow].linked, step.sharedCount > 0) << step.count;
    }
    EXPECT_EQ(h.Results().ignored, 3);
    EXPECT_TRUE(h.host.messages.empty());
}

}  // namespace
