// The main view over real test prefixes: its controls, layout and painting, the section
// choice, and whole scan, repair and return flows driven by clicks and keys. What the screens
// and commands do is tested without a display (tests/uishared/ViewLogicTest.cpp).
#include <QMenu>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "tests/ui/QtTesting.h"
#include "tests/ui/ViewTestSupport.h"
#include <QPushButton>
#include <QTreeWidget>

#include "ui/CButtonEx.h"
#include "ui/CDialogCleanRestore.h"
#include "ui/CListCtrlBlue.h"
#include "ui/CListCtrlResult.h"
#include "ui/CStaticLink.h"
#include "ui/Pictures.h"
#include "ui/ViewControls.h"
#include "ui/res/ResourceIds.h"

// The program's pictures gone while it lives, as when its resources fail to load. The resource
// functions are declared where this stands, so it stands outside any namespace.
class NoPictures {
public:
    NoPictures() {
        (void)ui::LoadBitmap(ui::res::kBmpSectionBoxes);  // registered first, then taken away
        Q_CLEANUP_RESOURCE(drennow);
    }
    ~NoPictures() { Q_INIT_RESOURCE(drennow); }
    NoPictures(const NoPictures&) = delete;
    NoPictures& operator=(const NoPictures&) = delete;
};

namespace {

using fixtures::Hive;
using namespace uitest;
namespace res = ui::res;

constexpr const char* kShared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr const char* kGoneDll = "C:\\Program Files\\Common Files\\gone.dll";

// Problems only in "Shared Programs" (one) and "Valid Shortcuts" (two), beside entries that
// are fine.
void AddSharedAndShortcutProblems(fixtures::TestPrefix& p) {
    p.CreateFile("C:\\windows\\system32\\present.dll", "MZ");
    p.CreateFile("C:\\Program Files\\Here\\here.exe", "MZ");
    p.SetDword(Hive::System, kShared, kGoneDll, 1);
    p.SetDword(Hive::System, kShared, "C:\\windows\\system32\\present.dll", 2);
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Gone App.lnk",
                     "C:\\Program Files\\Gone\\gone.exe");
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Old Tool.lnk", "C:\\Tools\\oldtool.exe");
    p.CreateShortcut("C:\\users\\Public\\Desktop\\Here.lnk", "C:\\Program Files\\Here\\here.exe");
}

void ClickButton(CDrennowView& view, int id) {
    CButtonEx* button = view.Button(id);
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isVisible()) << id;
    Click(button, {10, 10});
}

bool Shown(QWidget* w) { return w->isVisibleTo(w->parentWidget()); }

// ---- Screens, layout and painting ---------------------------------------------------------

TEST(MainView, StartsOnTheSectionChoiceWithEveryRowTicked) {
    fixtures::TestPrefix prefix;
    prefix.AddDrive('d', "../drive_d");
    ViewHarness h(prefix);
    CDrennowView& view = *h.view;
    EXPECT_EQ(view.Screen(), engine::Screen::Choose);
    EXPECT_EQ(view.CurrentStep(), 1);
    EXPECT_EQ(view.CaptionLabel()->text().toStdString(), "Select the sections you want to check");
    for (int id : {res::kSectionList, res::kSelectAllBox, res::kScanButton, res::kOptionButton,
                   res::kHelpButton})
        EXPECT_TRUE(Shown(view.Control(id))) << id;
    for (int id : {res::kPauseButton, res::kCancelScanButton, res::kProblemList,
                   res::kRepairAllButton, res::kCancelResultButton, res::kRepairLogList,
                   res::kReturnButton, res::kFirstSectionLink})
        EXPECT_FALSE(Shown(view.Control(id))) << id;
    EXPECT_FALSE(Shown(view.SectionCounter(0)));
    EXPECT_FALSE(Shown(view.SectionMarker()));

    CListCtrlBlue* list = view.SectionList();
    ASSERT_EQ(list->RowCount(), 15);
    EXPECT_EQ(list->Label(13), "Valid Shortcuts ( C:\\ )");
    EXPECT_EQ(list->Label(14), "Valid Shortcuts ( D:\\ )");
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::All);
    EXPECT_EQ(view.SelectAllBox()->Bitmap(), res::kBmpBoxTicked);
    EXPECT_EQ(view.Button(res::kPauseButton)->text().toStdString(), "Pause");
    EXPECT_EQ(view.SectionNameLabel(13)->text().toStdString(), "Valid Shortcuts");
    EXPECT_EQ(view.SectionLink(7)->text().toStdString(), "Startup Programs");
    EXPECT_TRUE(h.frame->CloseEnabled());
}

TEST(MainView, LayoutFollowsTheClientSize) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CDrennowView view(*machine);
    view.show();
    view.resize(760, 520);
    const int cx = 760, cy = 520;
    EXPECT_EQ(view.SectionList()->geometry(), QRect(198, 102, cx - 233, cy - 157));
    EXPECT_EQ(view.Button(res::kScanButton)->geometry(), QRect(cx - 122, cy - 50, 87, 29));
    EXPECT_EQ(view.SelectAllBox()->geometry(), QRect(210, cy - 49, 13, 13));
    EXPECT_EQ(view.CaptionLabel()->geometry(), QRect(198, 70, cx - 233, 20));
    EXPECT_EQ(view.StepLabel(3)->geometry(), QRect(20, 160, 132, 20));
    EXPECT_EQ(view.Button(res::kOptionButton)->geometry(), QRect(50, 6, 43, 38));
    EXPECT_EQ(view.ProblemList()->geometry(), QRect(375, 105, cx - 414, cy - 163));
    EXPECT_EQ(view.RepairLogList()->geometry(), QRect(200, 104, cx - 237, cy - 161));
    EXPECT_EQ(view.Button(res::kRepairAllButton)->geometry(), QRect(cx - 219, cy - 50, 87, 29));
    EXPECT_EQ(view.SectionLink(13)->geometry(), QRect(195, 375, 120, 18));
    EXPECT_EQ(view.CountLink(2)->geometry(), QRect(317, 155, 43, 18));
    // Rows 7 to 13 of the progress screen form the second column.
    const int d = (cx - 593) / 2;
    EXPECT_EQ(view.SectionCounter(6)->geometry(), QRect(d + 204, 173 + 132, 40, 22));
    EXPECT_EQ(view.SectionCounter(7)->geometry(), QRect(d + 384, 173, 40, 22));
    EXPECT_EQ(view.SectionNameLabel(13)->geometry(), QRect(d + 428, 173 + 132, 120, 22));

    // The progress block is centred, the half truncated.
    for (auto [width, x] : {std::pair{593, 198}, {793, 298}, {594, 198}, {595, 199}}) {
        view.resize(width, 500);
        EXPECT_EQ(view.StatusBand()->x(), x) << width;
        EXPECT_EQ(view.ProgressPanel()->geometry(), QRect(x, 145, 360, 190)) << width;
        EXPECT_EQ(view.Button(res::kCancelScanButton)->geometry(), QRect(x + 273, 340, 87, 29));
    }
}

// Large counts never run into the names beside them: six digits on the progress screen, five
// (in the underlined bold of a section with problems) on the result screen.
TEST(MainView, LargeCountsKeepClearOfTheSectionNames) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CDrennowView view(*machine);
    view.resize(780, 520);
    for (int row = 0; row < CDrennowView::kRows; ++row) {
        QLabel* counter = view.SectionCounter(row);
        const int digits = QFontMetrics(counter->font()).horizontalAdvance("100000");
        EXPECT_GE(counter->width(), digits) << row;
        EXPECT_LE(counter->geometry().right(), view.SectionNameLabel(row)->x()) << row;

        CStaticLink* link = view.SectionLink(row);
        CStaticLink* count = view.CountLink(row);
        const int name = QFontMetrics(*link->VariantFont(1)).horizontalAdvance(link->text());
        const int number = QFontMetrics(*count->VariantFont(1)).horizontalAdvance("10103");
        EXPECT_LE(number, count->width()) << row;
        EXPECT_LT(link->x() + name, count->x() + count->width() - number)
            << link->text().toStdString();
    }
}

TEST(MainView, PaintsHeaderFrameStepMarkerAndThePalePanelFromTheResultStep) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CDrennowView view(*machine);
    view.show();
    view.resize(764, 510);
    QTemporaryDir folder;
    const QImage first = RenderToPng(&view, folder, "view-screen1");
    const int W = 764, H = 510;
    EXPECT_TRUE(Near(first.pixel(5, 5), QColor(44, 109, 175), 0));
    EXPECT_TRUE(Near(first.pixel(W - 1, 49), QColor(44, 109, 175), 0));
    EXPECT_TRUE(Near(first.pixel(180, 52), Qt::white, 0));
    EXPECT_TRUE(Near(first.pixel(W - 10, 300), QColor(44, 109, 175), 0)) << "outline";
    EXPECT_TRUE(Near(first.pixel(173, 300), QColor(44, 109, 175), 0)) << "outline";
    EXPECT_TRUE(Near(first.pixel(300, H - 15), QColor(44, 109, 175), 0)) << "outline";
    EXPECT_TRUE(Near(first.pixel(W - 36, 92), QColor(44, 109, 175), 0)) << "caption rule";
    EXPECT_TRUE(Near(first.pixel(W - 34, 92), Qt::white, 0)) << "caption rule ends";
    // "Norlix Utilities" in white on the band, "Press F1 for Help" in black.
    bool whiteInk = false;
    for (int x = W - 160; x < W - 20; ++x)
        for (int y = 12; y < 30; ++y) whiteInk |= Near(first.pixel(x, y), Qt::white, 40);
    EXPECT_TRUE(whiteInk);
    EXPECT_GE(FirstInkColumn(first.copy(30, H - 60, 140, 15), 0, 15), 5);
    // The step marker stands beside "Option"; none beside "Scan" or "Repair".
    auto redNear = [](const QImage& image, int y) {
        for (int x = 162; x < 170; ++x)
            for (int dy = 0; dy < 15; ++dy)
                if (IsReddish(image.pixel(x, y + dy))) return true;
        return false;
    };
    EXPECT_TRUE(redNear(first, 90));
    EXPECT_FALSE(redNear(first, 125));
    EXPECT_FALSE(redNear(first, 160));

    // No pale panel before the result step.
    view.ShowScreen(engine::Screen::Scanning);
    const QImage second = RenderToPng(&view, folder, "view-screen2");
    EXPECT_TRUE(Near(second.pixel(199, 450), Qt::white, 0));
    EXPECT_TRUE(redNear(second, 125));
    EXPECT_TRUE(Near(second.pixel(view.ProgressPanel()->x() + 2, 300),
                     QColor::fromRgb(ui::GreyRect::kColour), 0));

    view.ShowScreen(engine::Screen::Results);
    const QImage third = RenderToPng(&view, folder, "view-screen3");
    EXPECT_TRUE(redNear(third, 160));
    EXPECT_FALSE(redNear(third, 90));
    EXPECT_TRUE(Near(third.pixel(199, 450), QColor(223, 234, 245), 0)) << "pale panel";
    EXPECT_TRUE(Near(third.pixel(W - 36, H - 56), QColor(223, 234, 245), 0));
    EXPECT_TRUE(Near(third.pixel(W - 35, H - 56), Qt::white, 0));
    view.ShowScreen(engine::Screen::RepairLog);
    EXPECT_EQ(view.CurrentStep(), 3);
    EXPECT_EQ(view.CaptionLabel()->text().toStdString(), "Repair Log");
    const QImage fourth = RenderToPng(&view, folder, "view-screen4");
    EXPECT_TRUE(Near(fourth.pixel(198, 300), QColor(223, 234, 245), 0));
    EXPECT_TRUE(redNear(fourth, 160));
}

// ---- Section choice ----------------------------------------------------------------------

TEST(MainView, SelectAllBoxTicksEveryRowOrNone) {
    fixtures::TestPrefix prefix;
    ViewHarness h(prefix);
    CDrennowView& view = *h.view;
    CListCtrlBlue* list = view.SectionList();
    auto allRows = [list](bool selected, int image) {
        for (int row = 0; row < list->RowCount(); ++row)
            if (list->Selected(row) != selected || list->RowImage(row) != image) return false;
        return true;
    };
    Click(view.SelectAllBox(), {5, 5});
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::None);
    EXPECT_EQ(view.SelectAllBox()->Bitmap(), res::kBmpBoxEmpty);
    EXPECT_TRUE(allRows(false, 1));
    Click(view.SelectAllBox(), {5, 5});
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::All);
    EXPECT_EQ(view.SelectAllBox()->Bitmap(), res::kBmpBoxTicked);
    EXPECT_TRUE(allRows(true, 0));

    // Unticking one row in the list makes the box grey; one click then ticks every row.
    const QRect box = list->ItemRect(3, CListCtrlBlue::Part::Icon);
    Click(list->viewport(), box.topLeft() + QPoint(20, 10));
    EXPECT_FALSE(list->Selected(3));
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::Some);
    EXPECT_EQ(view.SelectAllBox()->Bitmap(), res::kBmpBoxGreyed);
    Click(view.SelectAllBox(), {5, 5});
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::All);
    EXPECT_TRUE(allRows(true, 0));

    // A double-click on the box toggles once.
    DoubleClick(view.SelectAllBox(), {5, 5});
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::None);
    EXPECT_EQ(view.SelectAllBox()->Bitmap(), res::kBmpBoxEmpty);
}

// The list's picture did not load, so it has no rows: the scan asks for a section.
TEST(MainView, ScanWithoutSectionRowsIsRefused) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    std::unique_ptr<ViewHarness> h;
    {
        const NoPictures gone;
        h = std::make_unique<ViewHarness>(prefix);
    }
    ASSERT_EQ(h->view->SectionList()->RowCount(), 0);
    ClickButton(*h->view, res::kScanButton);
    ASSERT_EQ(h->messages.size(), 1u);
    EXPECT_EQ(h->messages[0].text, "Please select a section to scan before continuing!");
    EXPECT_EQ(h->view->Screen(), engine::Screen::Choose);
}

// ---- Scans -------------------------------------------------------------------------------

TEST(MainView, ScanRepairAndReturn) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    ViewHarness h(prefix);
    CDrennowView& view = *h.view;

    // What the progress screen shows when the scan first hands events over.
    struct Progress {
        engine::Screen screen = engine::Screen::None;
        int step = 0;
        std::string caption, counter, found;
        bool closeEnabled = true, closed = true, scanShown = true, closeBox = true;
    } seen;
    auto closeBox = [&h] {
        return h.frame->windowHandle()->flags().testFlag(Qt::WindowCloseButtonHint);
    };
    {
        EveryPump once([&](int) {
            seen = {view.Screen(),
                    view.CurrentStep(),
                    view.CaptionLabel()->text().toStdString(),
                    view.SectionCounter(6)->text().toStdString(),
                    view.FoundCountLabel()->text().toStdString(),
                    h.frame->CloseEnabled(),
                    h.frame->close(),
                    Shown(view.Button(res::kScanButton)),
                    closeBox()};
            return false;
        });
        ClickButton(view, res::kScanButton);
    }
    EXPECT_EQ(seen.screen, engine::Screen::Scanning);
    EXPECT_EQ(seen.step, 2);
    EXPECT_EQ(seen.caption, "Scaning:");
    EXPECT_EQ(seen.counter, "0");
    EXPECT_EQ(seen.found, "0 problem(s) found");
    EXPECT_FALSE(seen.closeEnabled);
    EXPECT_FALSE(seen.closed) << "the window closed during a scan";
    EXPECT_FALSE(seen.closeBox) << "the close box looks usable during a scan";
    EXPECT_FALSE(seen.scanShown);
    EXPECT_TRUE(h.frame->isVisible());
    EXPECT_TRUE(h.messages.empty());

    // The result screen: rows 6 and 13 in black and underlined, row 6 shown first.
    ASSERT_EQ(view.Screen(), engine::Screen::Results);
    EXPECT_TRUE(h.frame->CloseEnabled());
    EXPECT_TRUE(closeBox());
    EXPECT_EQ(view.SectionCounter(6)->text().toStdString(), "1");
    EXPECT_EQ(view.SectionCounter(13)->text().toStdString(), "2");
    EXPECT_EQ(view.FoundCountLabel()->text().toStdString(), "3 problem(s) found");
    EXPECT_EQ(view.ResultCountLabel()->text().toStdString(), "3 problem(s) found");
    EXPECT_EQ(view.CaptionLabel()->text().toStdString(), "Detected Problems");
    for (int row = 0; row < 14; ++row) {
        const bool found = row == 6 || row == 13;
        EXPECT_EQ(view.CountLink(row)->text().toStdString(), row == 6    ? "1"
                                                             : row == 13 ? "2"
                                                                         : "0")
            << row;
        EXPECT_EQ(view.SectionLink(row)->Colour(),
                  found ? QColor(Qt::black) : QColor(128, 128, 128));
        EXPECT_EQ(view.SectionLink(row)->FontVariant(), found ? 1 : 0) << row;
        EXPECT_EQ(view.SectionLink(row)->LinkActive(), found) << row;
    }
    EXPECT_EQ(view.SectionMarker()->geometry(), QRect(363, 235, 8, 15));
    ASSERT_EQ(view.ProblemList()->RowCount(), 1);
    EXPECT_NE(view.ProblemList()->ColumnText(0, 1).find("SharedDLLs"), std::string::npos);

    // A grey row does nothing; row 13 lists the two dead shortcuts.
    Click(view.SectionLink(0), {100, 5});
    EXPECT_EQ(view.SectionMarker()->y(), 235);
    EXPECT_EQ(view.ProblemList()->RowCount(), 1);
    Click(view.SectionLink(13), {100, 5});
    EXPECT_EQ(view.SectionMarker()->geometry(), QRect(363, 375, 8, 15));
    // A resize keeps the marker at the row the list shows.
    h.frame->resize(900, 650);
    EXPECT_EQ(view.SectionMarker()->geometry(), QRect(363, 375, 8, 15));
    EXPECT_EQ(view.MarkerRow(), 13);
    CListCtrlResult* problems = view.ProblemList();
    ASSERT_EQ(problems->RowCount(), 2);
    int keep = -1;
    for (int row = 0; row < 2; ++row)
        if (problems->ColumnText(row, 1).find("Old Tool.lnk") != std::string::npos) keep = row;
    ASSERT_GE(keep, 0);
    // "Leave this entry without change" on the Old Tool shortcut.
    const QRect sub = problems->SubItemRect(keep);
    Click(problems->viewport(), sub.topLeft() + QPoint(211, 40));
    EXPECT_EQ(problems->ColumnText(keep, 3), "1");

    // Repair All, with a backup.
    h.answers = {engine::Answer::Yes, engine::Answer::Ok};
    ClickButton(view, res::kRepairAllButton);
    ASSERT_EQ(h.messages.size(), 2u);
    EXPECT_EQ(h.messages[0].text, "Do you want to save a backup before repairing(Recommended)?");
    EXPECT_EQ(h.messages[0].style.Win32(), 0x23u);
    EXPECT_EQ(h.messages[1].text, "Total 2 problem(s) have been repaired successfully!");
    EXPECT_EQ(h.messages[1].caption, "");
    EXPECT_EQ(h.messages[1].style, engine::Buttons::Ok);
    EXPECT_EQ(view.Screen(), engine::Screen::RepairLog);
    EXPECT_EQ(view.CurrentStep(), 3);
    EXPECT_TRUE(Shown(view.RepairLogList()));
    EXPECT_TRUE(Shown(view.Button(res::kReturnButton)));
    EXPECT_FALSE(Shown(view.ProblemList()));
    EXPECT_EQ(view.RepairLogList()->RowCount(), 2);
    EXPECT_TRUE(view.RepairLogList()->RepairLogMode());

    // What the repair did on disk.
    EXPECT_EQ(prefix.ReadHive(Hive::System).find("gone.dll"), std::string::npos);
    EXPECT_NE(prefix.ReadHive(Hive::System).find("present.dll"), std::string::npos);
    EXPECT_FALSE(prefix.Exists("C:\\users\\Public\\Desktop\\Gone App.lnk"));
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop\\Old Tool.lnk"));
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop\\Here.lnk"));
    EXPECT_TRUE(prefix.Exists("C:\\Program Files\\Norlix Drennow\\backup\\backup.txt"));

    ClickButton(view, res::kReturnButton);
    EXPECT_EQ(view.Screen(), engine::Screen::Choose);
    EXPECT_EQ(view.CurrentStep(), 1);
    EXPECT_TRUE(Shown(view.SectionList()));
}

TEST(MainView, CleanRestoreBringsBackWhatARepairDeleted) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    ViewHarness h(prefix);
    ClickButton(*h.view, res::kScanButton);
    h.answers = {engine::Answer::Yes, engine::Answer::Ok};
    ClickButton(*h.view, res::kRepairAllButton);
    ASSERT_EQ(prefix.ReadHive(Hive::System).find("gone.dll"), std::string::npos);
    ASSERT_FALSE(prefix.Exists("C:\\users\\Public\\Desktop\\Gone App.lnk"));

    std::vector<std::string> rows;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDialogCleanRestore*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list =
            qobject_cast<QTreeWidget*>(dialog->Control(CDialogCleanRestore::kIdBackupList));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows.push_back(list->topLevelItem(i)->text(1).toStdString());
        if (rows.empty()) return;
        const QRect row = list->visualItemRect(list->topLevelItem(0));
        Click(list->viewport(), row.center());
        static_cast<QPushButton*>(dialog->Control(CDialogCleanRestore::kIdRestore))->click();
        static_cast<QPushButton*>(dialog->Control(CDialogCleanRestore::kIdClose))->click();
    });
    h.view->OnCommand(res::kCmdCleanRestore);
    // One registry entry and the two dead shortcut files were backed up.
    EXPECT_EQ(rows, std::vector<std::string>{"3"});
    ASSERT_EQ(h.messages.size(), 3u);
    EXPECT_EQ(h.messages[2].text, "Restore Successed!");
    EXPECT_NE(prefix.ReadHive(Hive::System).find("gone.dll"), std::string::npos);
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop\\Gone App.lnk"));
    EXPECT_TRUE(prefix.Exists("C:\\users\\Public\\Desktop\\Old Tool.lnk"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// ---- Keyboard ------------------------------------------------------------------------------

TEST(MainView, UsableFromTheKeyboard) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    ViewHarness h(prefix);
    CDrennowView& view = *h.view;
    QApplication::setActiveWindow(h.frame.get());

    // Tab: the section list, the screen's button, then the header's buttons.
    view.SectionList()->setFocus();
    std::vector<QWidget*> reached;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(reached,
              (std::vector<QWidget*>{view.Button(res::kScanButton), view.Button(res::kOptionButton),
                                     view.Button(res::kHelpButton)}));

    // Arrows and Space in the section list tick and untick rows.
    view.SectionList()->setFocus();
    QTest::keyClick(view.SectionList(), Qt::Key_Down);
    QTest::keyClick(view.SectionList(), Qt::Key_Space);
    EXPECT_FALSE(view.SectionList()->Selected(1));
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::Some);
    QTest::keyClick(view.SectionList(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(view.SelectionSummary(), engine::Selection::All) << "Alt+A ticks every row";

    // Enter presses the screen's default button: Scan, then Repair All (answered No to the
    // backup question, then Cancel) on the result screen.
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        engine::Screen screenAfter;
    };
    const Step steps[] = {{Qt::Key_Return, Qt::NoModifier, engine::Screen::Results},
                          {Qt::Key_C, Qt::AltModifier, engine::Screen::Choose},
                          {Qt::Key_S, Qt::AltModifier, engine::Screen::Results},
                          {Qt::Key_Return, Qt::NoModifier, engine::Screen::Results}};
    h.answers = {engine::Answer::Cancel};
    for (const Step& step : steps) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &view,
                        static_cast<Qt::Key>(step.key), step.modifiers);
        // An Alt key presses its button as a click does, a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return view.Screen() == step.screenAfter; }, 1000))
            << step.key << " left screen " << static_cast<int>(view.Screen());
    }
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, "Do you want to save a backup before repairing(Recommended)?");
}

// Arrow keys stay in lists, so Space never lands on a button the arrow moved to; the result
// screen's links and Leave marks work from the keyboard, and each shows its focus.
TEST(MainView, ResultScreenKeyboardHasNoTraps) {
    fixtures::TestPrefix prefix;
    AddSharedAndShortcutProblems(prefix);
    ViewHarness h(prefix);
    CDrennowView& view = *h.view;
    QApplication::setActiveWindow(h.frame.get());
    ClickButton(view, res::kScanButton);
    ASSERT_EQ(view.Screen(), engine::Screen::Results);
    CButtonEx* repairAll = view.Button(res::kRepairAllButton);
    repairAll->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left})
        QTest::keyClick(repairAll, key);
    EXPECT_EQ(QApplication::focusWidget(), repairAll);

    // Tab reaches the links of the sections with problems; Space shows one's problems.
    CStaticLink* shortcuts = view.SectionLink(13);
    QImage unfocused = shortcuts->grab().toImage();
    view.SectionLink(6)->setFocus();
    QTest::keyClick(view.SectionLink(6), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), shortcuts) << "links without problems are no stops";
    EXPECT_NE(shortcuts->grab().toImage(), unfocused) << "the focused link shows no focus";
    QTest::keyClick(shortcuts, Qt::Key_Space);
    EXPECT_EQ(view.MarkerRow(), 13);

    // In the list: Down moves to the second record, Space leaves it, Space again deletes it.
    QTest::keyClick(shortcuts, Qt::Key_Tab);
    CListCtrlResult* list = view.ProblemList();
    ASSERT_EQ(QApplication::focusWidget(), list);
    ASSERT_EQ(list->RowCount(), 2);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->FocusRow(), 1);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_FALSE(view.Session().Results().Section(14).problems[1].repair);
    EXPECT_TRUE(view.Session().Results().Section(14).problems[0].repair);
    EXPECT_EQ(list->ColumnText(1, 3), engine::kMarkLeave);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(view.Session().Results().Section(14).problems[1].repair);
    EXPECT_EQ(view.Screen(), engine::Screen::Results);
}

// ---- Menus -------------------------------------------------------------------------------

// The menus show the logic's items: texts, commands, separators and what is greyed.
TEST(MainView, OptionAndHelpMenus) {
    fixtures::TestPrefix prefix;
    ViewHarness h(prefix);
    for (const int button : {res::kOptionButton, res::kHelpButton}) {
        const std::vector<ui::shared::MenuItem> items = h.view->Logic().MenuItems(button);
        const std::unique_ptr<QMenu> menu = h.view->BuildPopupMenu(button);
        ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(items.size())) << button;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QAction* action = menu->actions()[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->isSeparator(), items[i].command == 0) << i;
            if (action->isSeparator()) continue;
            EXPECT_EQ(action->text().toStdString(), items[i].text);
            EXPECT_EQ(action->data().toInt(), items[i].command);
            EXPECT_EQ(action->isEnabled(), items[i].enabled);
        }
    }

    // The Option button pops the menu up under itself; its IE Restore item opens the dialog.
    QPoint menuAt;
    std::string dialogTitle;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menuAt = menu->pos();
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            dialogTitle = modal->windowTitle().toStdString();
            modal->close();
        });
        Click(menu, menu->actionGeometry(menu->actions()[3]).center());  // IE Restore
    });
    ClickButton(*h.view, res::kOptionButton);
    const QWidget* option = h.view->Button(res::kOptionButton);
    EXPECT_EQ(menuAt, h.view->mapToGlobal(QPoint(option->x(), option->y() + option->height())));
    EXPECT_EQ(dialogTitle, "IE Restore");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
