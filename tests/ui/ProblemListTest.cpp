// CListCtrlResult: rows from found lists, the choice zones, marks written into the records,
// the repair log, and where the painter puts its bands and pictures.
#include <QScrollBar>

#include <gtest/gtest.h>

#include "tests/ui/QtTesting.h"
#include "ui/CListCtrlResult.h"
#include "ui/Index.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace {

using namespace uitest;

engine::ProblemList FoundList(int records, const std::string& tag) {
    engine::TextList list;
    for (int i = 0; i < records; ++i) {
        list.push_back("[HKEY_LOCAL_MACHINE\\Software\\" + tag + "\\Key" + std::to_string(i) + "]");
        list.push_back(i == 1 ? "@" : "\"Path\"");
        list.push_back("\"C:\\\\gone\\\\" + tag + std::to_string(i) + ".exe\"");
        list.push_back("0");
    }
    return fixtures::ProblemsFromTexts(list);
}

class ProblemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(600, 300);
        list.show();
        list.Fill(&fonts);
    }
    QWidget* Surface() { return list.viewport(); }
    void ClickRow(int row, int dx, int dy) {
        const QRect r = list.SubItemRect(row);
        Click(Surface(), QPoint(r.left() + dx, r.top() + dy));
    }
    std::string Mark(const engine::ProblemList& found, int row) {
        return found[ui::Index(row)].Mark();
    }

    engine::ProblemList fonts = FoundList(4, "Fonts");
    CListCtrlResult list;
    QTemporaryDir folder;
};

TEST_F(ProblemListTest, RowsShowTheDisplayConversionOfEachRecord) {
    ASSERT_EQ(list.RowCount(), 4);
    EXPECT_EQ(list.ColumnText(0, 1), "HKEY_LOCAL_MACHINE\\Software\\Fonts\\Key0");
    EXPECT_EQ(list.ColumnText(0, 2), "Path = C:\\gone\\Fonts0.exe");
    EXPECT_EQ(list.ColumnText(1, 2), "<Default> = C:\\gone\\Fonts1.exe");
    EXPECT_EQ(list.ColumnText(0, 3), "0");
    const QRect r = list.SubItemRect(2);
    EXPECT_EQ(r, QRect(50, 2 * 68, 2000, 68));
}

TEST_F(ProblemListTest, ChoiceZonesAreExactlyWhereTheBoxesAre) {
    // Start from "leave" so that choosing "delete" is visible.
    ClickRow(0, 211, 40);
    EXPECT_EQ(Mark(fonts, 0), "1");
    EXPECT_EQ(list.ColumnText(0, 3), "1");

    ClickRow(0, 200, 40);  // between the boxes: nothing
    ClickRow(0, 205, 40);
    ClickRow(0, 210, 40);
    EXPECT_EQ(Mark(fonts, 0), "1");
    ClickRow(0, 71, 40);
    EXPECT_EQ(Mark(fonts, 0), "0");
    ClickRow(0, 70, 40);  // the left bound itself is outside
    ClickRow(0, 420, 40);
    EXPECT_EQ(Mark(fonts, 0), "0");
    ClickRow(0, 419, 55);  // lower line bound, inside
    EXPECT_EQ(Mark(fonts, 0), "1");
    ClickRow(0, 100, 56);  // below the choice line
    ClickRow(0, 100, 36);  // above it
    EXPECT_EQ(Mark(fonts, 0), "1");
    ClickRow(0, 100, 37);
    EXPECT_EQ(Mark(fonts, 0), "0");
    // Other records never changed.
    for (int row = 1; row < 4; ++row) EXPECT_EQ(Mark(fonts, row), "0") << row;
}

TEST_F(ProblemListTest, ClicksOnTheSectionLineChangeNothing) {
    ClickRow(2, 211, 10);
    ClickRow(2, 100, 10);
    EXPECT_EQ(Mark(fonts, 2), "0");
    EXPECT_EQ(list.ColumnText(2, 3), "0");
}

TEST_F(ProblemListTest, ChoiceOnALowerRowAfterScrolling) {
    list.resize(600, 140);  // two rows visible
    list.verticalScrollBar()->setValue(2);
    const QRect r = list.SubItemRect(3);
    EXPECT_EQ(r.top(), 68);
    ClickRow(3, 211, 40);
    EXPECT_EQ(Mark(fonts, 3), "1");
    EXPECT_EQ(Mark(fonts, 1), "0");
}

TEST_F(ProblemListTest, MarksSurviveShowingAnotherSectionAndComingBack) {
    engine::ProblemList startup = FoundList(3, "Run");
    ClickRow(2, 211, 40);
    list.Fill(&startup);
    EXPECT_EQ(list.ColumnText(2, 3), "0");
    EXPECT_EQ(list.ColumnText(0, 1), "HKEY_LOCAL_MACHINE\\Software\\Run\\Key0");
    ClickRow(0, 211, 40);
    EXPECT_EQ(Mark(startup, 0), "1");
    list.Fill(&fonts);
    EXPECT_EQ(list.ColumnText(2, 3), "1");
    EXPECT_EQ(list.ColumnText(0, 3), "0");
    EXPECT_EQ(Mark(fonts, 2), "1");
}

TEST_F(ProblemListTest, BandsAndPicturesArePaintedWhereTheyBelong) {
    ClickRow(1, 211, 40);
    const QImage image = RenderToPng(&list, folder, "problem_list");
    const QRect r0 = list.SubItemRect(0), r1 = list.SubItemRect(1);
    const QColor band(240, 240, 240);
    // Row 0 carries the light grey band from x = 0; row 1 keeps the white background.
    EXPECT_TRUE(Near(image.pixel(2, r0.top() + 3), band, 0));
    EXPECT_TRUE(Near(image.pixel(590, r0.top() + 3), band, 0));
    EXPECT_TRUE(Near(image.pixel(2, r1.top() + 3), Qt::white, 0));
    // Row picture at (L - 40, T + 10), T = row top + 7: red cross for "delete", green tick
    // for "leave". Probe the left part of the badge, away from the white symbol.
    const QPoint badge(-40 + 3, 7 + 10 + 12);
    EXPECT_TRUE(IsReddish(image.pixel(r0.topLeft() + badge)));
    EXPECT_TRUE(IsGreenish(image.pixel(r1.topLeft() + badge)));
    // The "Value:" label is red; the "Section:" label black.
    bool redValueInk = false, blackSectionInk = false;
    for (int x = r0.left(); x < r0.left() + 40; ++x) {
        for (int y = r0.top() + 7; y < r0.top() + 7 + 14; ++y)
            blackSectionInk |= qGray(image.pixel(x, y)) < 60;
        for (int y = r0.top() + 22; y < r0.top() + 22 + 14; ++y)
            redValueInk |= IsReddish(image.pixel(x, y));
    }
    EXPECT_TRUE(blackSectionInk);
    EXPECT_TRUE(redValueInk);
    // The ticked box stands at (L + 70, T + 34) for "delete" and (L + 210, T + 34) for
    // "leave": its frame is dark, the other box's inside white.
    auto boxFrame = [&](const QRect& r, int dx) {
        return qGray(image.pixel(r.left() + dx, r.top() + 7 + 34 + 6));
    };
    EXPECT_LT(boxFrame(r0, 70), 140);
    EXPECT_LT(boxFrame(r0, 210), 140);
}

TEST(ProblemListRepairLog, RowsAreReadOnlyAndMarkedRepaired) {
    engine::ProblemList repaired = FoundList(2, "Done");
    CListCtrlResult log;
    log.SetRepairLogMode(true);
    log.resize(600, 200);
    log.show();
    log.Fill(&repaired);
    ASSERT_EQ(log.RowCount(), 2);
    for (int dx : {71, 211}) {
        const QRect r = log.SubItemRect(0);
        Click(log.viewport(), QPoint(r.left() + dx, r.top() + 40));
    }
    EXPECT_TRUE(repaired[0].repair);
    EXPECT_EQ(log.ColumnText(0, 3), "0");

    QTemporaryDir folder;
    const QImage image = RenderToPng(&log, folder, "repair_log");
    const QRect r0 = log.SubItemRect(0);
    // The green tick on every row, "Repaired" in red at (L + 70, T + 32), and no boxes.
    EXPECT_TRUE(IsGreenish(image.pixel(r0.topLeft() + QPoint(-37, 29))));
    bool redWord = false;
    for (int x = r0.left() + 70; x < r0.left() + 130; ++x)
        for (int y = r0.top() + 39; y < r0.top() + 52; ++y) redWord |= IsReddish(image.pixel(x, y));
    EXPECT_TRUE(redWord);
    bool boxInk = false;
    for (int x = r0.left() + 210; x < r0.left() + 223; ++x)
        for (int y = r0.top() + 41; y < r0.top() + 54; ++y)
            boxInk |= qGray(image.pixel(x, y)) < 140;
    EXPECT_FALSE(boxInk);
}

TEST(ProblemListEdges, EmptyingKeepsTheSource) {
    engine::ProblemList odd = FoundList(2, "Odd");
    CListCtrlResult list;
    list.Fill(&odd);
    EXPECT_EQ(list.RowCount(), 2);
    list.DeleteAllItems();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.Source(), &odd);
    list.Fill(nullptr);
    EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
