// CListCtrlBlue: rows, the exact box hit test, the selection summaries, and drive rows from a
// real prefix.
#include <QScrollBar>

#include <gtest/gtest.h>

#include "tests/fixtures/TestPrefix.h"
#include "tests/ui/QtTesting.h"
#include "ui/CListCtrlBlue.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"

namespace {

using namespace uitest;
using Part = CListCtrlBlue::Part;

class SectionListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(420, 300);
        list.Fill(nullptr);
        list.SetSummaryTarget([this](engine::Selection summary) { summaries.push_back(summary); });
        list.show();
    }
    QWidget* Surface() { return list.viewport(); }
    // A click at an offset from the top-left corner of a row's icon rectangle.
    void ClickIcon(int row, int dx, int dy) {
        const QRect icon = list.ItemRect(row, Part::Icon);
        Click(Surface(), icon.topLeft() + QPoint(dx, dy));
    }
    void ToggleBox(int row) { ClickIcon(row, 20, 12); }

    CListCtrlBlue list;
    std::vector<engine::Selection> summaries;
    QTemporaryDir folder;
};

TEST_F(SectionListTest, ThirteenSectionRowsAllTickedWithoutAMachine) {
    ASSERT_EQ(list.RowCount(), 13);
    EXPECT_EQ(list.Label(0), "Registry Integrity");
    EXPECT_EQ(list.Label(8), "Add/Remove Programs");
    EXPECT_EQ(list.Label(12), "Valid Files Path");
    const engine::SectionRows rows = list.Rows();
    ASSERT_EQ(rows.size(), 13u);
    for (int row = 0; row < 13; ++row) {
        EXPECT_TRUE(rows[static_cast<std::size_t>(row)].selected) << row;
        EXPECT_EQ(list.RowImage(row), 0) << row;
    }
}

TEST_F(SectionListTest, BoxEdgesAreHitExactly) {
    // Row 12 sits in the second column, so the column geometry counts too.
    const int row = 12;
    ASSERT_GT(list.ItemRect(row, Part::Icon).x(), 0);
    const int height = list.ItemRect(row, Part::Icon).height();
    struct Probe {
        int dx, dy;
        bool hits;
    };
    const Probe probes[] = {
        {17, 12, false},        {18, 12, true},           // left edge: icon left + 18
        {42 - 11, 12, true},    {42 - 10, 12, false},     // right edge: icon right - 11
        {24, 7, false},         {24, 8, true},            // top edge: icon top + 8
        {24, height - 5, true}, {24, height - 4, false},  // bottom edge: icon bottom - 5
    };
    for (const Probe& probe : probes) {
        const bool before = list.Selected(row);
        ClickIcon(row, probe.dx, probe.dy);
        EXPECT_EQ(list.Selected(row) != before, probe.hits)
            << "at icon + (" << probe.dx << ", " << probe.dy << ")";
        EXPECT_EQ(list.RowImage(row), list.Selected(row) ? 0 : 1);
    }
    // Every other row kept its tick.
    for (int other = 0; other < 12; ++other) EXPECT_TRUE(list.Selected(other));
}

TEST_F(SectionListTest, LabelClicksDoNotToggle) {
    const QRect label = list.ItemRect(3, Part::Label);
    Click(Surface(), label.center());
    EXPECT_TRUE(list.Selected(3));
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries.back(), engine::Selection::All);
}

TEST_F(SectionListTest, SummariesFollowEveryClick) {
    ToggleBox(0);
    EXPECT_EQ(summaries.back(), engine::Selection::Some);
    for (int row = 1; row < 12; ++row) {
        ToggleBox(row);
        EXPECT_EQ(summaries.back(), engine::Selection::Some) << row;
    }
    ToggleBox(12);
    EXPECT_EQ(summaries.back(), engine::Selection::None);
    ToggleBox(5);
    EXPECT_EQ(summaries.back(), engine::Selection::Some);
    EXPECT_TRUE(list.Rows()[5].selected);
    EXPECT_EQ(summaries.size(), 14u);
}

TEST_F(SectionListTest, EmptySpaceClickChangesNothingButStillReports) {
    // Below the last row of the second column.
    const QRect last = list.ItemRect(12, Part::Bounds);
    Click(Surface(), QPoint(last.x() + 25, last.bottom() + 40));
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries[0], engine::Selection::All);
    ToggleBox(2);
    Click(Surface(), QPoint(last.x() + 25, last.bottom() + 40));
    EXPECT_EQ(summaries.back(), engine::Selection::Some);
    EXPECT_FALSE(list.Selected(2));
}

TEST_F(SectionListTest, RightClickDoesNothingAtAll) {
    const QRect icon = list.ItemRect(1, Part::Icon);
    Click(Surface(), icon.topLeft() + QPoint(20, 12), Qt::RightButton);
    EXPECT_TRUE(list.Selected(1));
    EXPECT_TRUE(summaries.empty());
}

TEST_F(SectionListTest, DoubleClickTogglesOnce) {
    const QRect icon = list.ItemRect(4, Part::Icon);
    DoubleClick(Surface(), icon.topLeft() + QPoint(20, 12));
    EXPECT_FALSE(list.Selected(4));
    EXPECT_EQ(summaries.size(), 1u);
}

TEST_F(SectionListTest, RowsShowTheirBoxPictureOnThePaleField) {
    ToggleBox(1);
    const QImage image = RenderToPng(&list, folder, "section_list");
    const QImage cells = ui::LoadBitmap(ui::res::kBmpSectionBoxes).toImage();
    auto sameAsCell = [&](int row, int cell) {
        const QRect icon = list.ItemRect(row, Part::Icon);
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 42; ++x)
                if (image.pixel(icon.x() + x, icon.y() + y) !=
                    (cells.pixel(cell * 42 + x, y) | 0xff000000u))
                    return false;
        return true;
    };
    EXPECT_TRUE(sameAsCell(0, 0));
    EXPECT_TRUE(sameAsCell(1, 1));
    EXPECT_TRUE(sameAsCell(12, 0));
    EXPECT_TRUE(Near(image.pixel(400, 290), QColor(223, 234, 245), 0));
    // The label text is drawn right of the picture.
    const QRect label = list.ItemRect(0, Part::Label);
    EXPECT_GE(FirstInkColumn(image.copy(label), 0, label.height()), 0);
}

TEST_F(SectionListTest, SelectionFlagsOutsideTheTableAreIgnored) {
    list.SetSelected(100, false);
    list.SetSelected(-1, false);
    list.SetSelected(13, true);
    EXPECT_FALSE(list.Selected(100));
    EXPECT_FALSE(list.Selected(13)) << "one past the last row";
    EXPECT_EQ(list.Rows().size(), 13u);
    list.SetRowImage(40, 1);  // no such row: nothing happens
    EXPECT_EQ(list.RowCount(), 13);
}

TEST(SectionListDrives, OneRowPerFixedDriveOfTheRealPrefix) {
    fixtures::TestPrefix prefix;
    prefix.AddDrive('d', "../drive_d");
    prefix.AddDrive('e', "../drive_e");
    prefix.SetString(fixtures::Hive::System, "Software\\Wine\\Drives", "e:", "cdrom");
    prefix.AddDrive('z', "/");
    auto machine = prefix.Open();
    ASSERT_TRUE(machine);
    CListCtrlBlue list;
    list.resize(420, 300);
    list.Fill(machine.get());
    ASSERT_EQ(list.RowCount(), 15);
    EXPECT_EQ(list.Label(13), "Valid Shortcuts ( C:\\ )");
    EXPECT_EQ(list.Label(14), "Valid Shortcuts ( D:\\ )");
    // The drive letter and colon stand at positions 18 and 19, where the scan run reads them.
    EXPECT_EQ(list.Label(14).substr(18, 2), "D:");
    EXPECT_TRUE(list.Selected(14));
    EXPECT_EQ(list.RowImage(14), 0);
}

TEST(SectionListScroll, ColumnsBeyondTheWidthScrollIntoView) {
    CListCtrlBlue list;
    list.resize(200, 120);  // four rows a column, one column visible
    list.Fill(nullptr);
    list.show();
    ASSERT_GT(list.horizontalScrollBar()->maximum(), 0);
    const int before = list.ItemRect(12, Part::Icon).x();
    list.horizontalScrollBar()->setValue(1);
    EXPECT_EQ(list.ItemRect(12, Part::Icon).x(), before - CListCtrlBlue::kColumnWidth);
}

}  // namespace
