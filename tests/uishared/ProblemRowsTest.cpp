// The problem list's rows: what each line shows in each list, where a choice is written, and
// the row's context menu.
#include <gtest/gtest.h>

#include <string>

#include "tests/fixtures/ScanResultsBuilder.h"
#include "ui/res/ResourceIds.h"
#include "ui/shared/ProblemRows.h"

namespace {

using namespace ui::shared;
namespace res = ui::res;

engine::ProblemList Records() {
    engine::ProblemList records = fixtures::ProblemsFromTexts(
        {"[HKEY_LOCAL_MACHINE\\Software\\A]", "@", "\"C:\\\\gone.exe\"", "0",
         "[HKEY_LOCAL_MACHINE\\Software\\B]", "\"Path\"", "\"C:\\\\old.exe\"", "1"});
    records[0].exact.root = 0x80000002;  // as a scan records it
    return records;
}

std::string Line(const RowFace& face, int y) {
    std::string line;
    for (const RowText& text : face.texts)
        if (text.y == y) line += std::to_string(text.x) + ":" + text.text + ";";
    return line;
}

TEST(ProblemRows, EachListShowsItsThirdLineAndPictures) {
    const engine::ProblemList records = Records();
    const std::vector<ProblemRow> rows = ProblemRowsOf(&records);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(ColumnText(rows, 0, 1), "HKEY_LOCAL_MACHINE\\Software\\A");
    EXPECT_EQ(ColumnText(rows, 0, 2), "<Default> = C:\\gone.exe");
    EXPECT_EQ(ColumnText(rows, 1, 3), "1");
    EXPECT_EQ(ColumnText(rows, 2, 1), "");
    EXPECT_EQ(ColumnText(rows, 0, 4), "");
    const struct {
        int row;
        RowMarks marks;
        std::string third;
        std::vector<int> pictures;
        bool redValue;
    } cases[] = {
        {0,
         RowMarks::Choice,
         "0:Correction: ;87:Delete this Entry;227:Leave this entry without change;",
         {res::kBmpBoxTicked, res::kBmpBoxEmpty, res::kBmpRedCross},
         true},
        {1,
         RowMarks::Choice,
         "0:Correction: ;87:Delete this Entry;227:Leave this entry without change;",
         {res::kBmpBoxEmpty, res::kBmpBoxTicked, res::kBmpGreenTick},
         true},
        {0, RowMarks::Repaired, "70:Repaired;", {res::kBmpGreenTick}, false},
        {1, RowMarks::None, "", {}, false},
    };
    for (const auto& c : cases) {
        const RowFace face = FaceOf(rows[static_cast<std::size_t>(c.row)], c.marks);
        EXPECT_EQ(Line(face, 0), "0:Section:    ;70:" + ColumnText(rows, c.row, 1) + ";");
        EXPECT_EQ(Line(face, result_row::kValueY),
                  "0:Value:      ;70:" + ColumnText(rows, c.row, 2) + ";");
        EXPECT_EQ(Line(face, result_row::kChoiceY), c.third) << c.row;
        std::vector<int> pictures;
        for (const RowPicture& picture : face.pictures) pictures.push_back(picture.picture);
        EXPECT_EQ(pictures, c.pictures) << c.row;
        EXPECT_EQ(face.texts[2].ink.red, c.redValue ? 220 : 0);
    }
    EXPECT_EQ(MarksOf(false, false), RowMarks::Choice);
    EXPECT_EQ(MarksOf(true, true), RowMarks::Repaired);
    EXPECT_EQ(MarksOf(true, false), RowMarks::None);
}

TEST(ProblemRows, AChoiceIsWrittenIntoTheRecordAndItsRow) {
    engine::ProblemList records = Records();
    std::vector<ProblemRow> rows = ProblemRowsOf(&records);
    EXPECT_TRUE(Choose(&records, rows, 0, false));
    EXPECT_FALSE(records[0].repair);
    EXPECT_EQ(rows[0].mark, "1");
    EXPECT_FALSE(Deletes(rows[0]));
    EXPECT_FALSE(records[1].repair) << "the other record keeps its own choice";
    // The record list emptied under the rows (a new scan's reset): only the row changes.
    engine::ProblemList emptied;
    EXPECT_TRUE(Choose(&emptied, rows, 1, true));
    EXPECT_EQ(rows[1].mark, "0");
    EXPECT_FALSE(Choose(&records, rows, 2, true));
    EXPECT_FALSE(Choose(&records, rows, -1, true));
    EXPECT_FALSE(records[0].repair);
}

TEST(ProblemRows, TheKeyItemIsGreyedWhereNoKeyIsKnownAndReadOnlyListsHaveNoMenu) {
    const engine::ProblemList records = Records();
    const auto menu = IgnoreMenu(&records, 0, false);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_STREQ(menu[0].text, "Ignore This &Entry");
    EXPECT_FALSE(menu[0].wholeKey);
    EXPECT_TRUE(menu[1].wholeKey);
    EXPECT_TRUE(menu[1].enabled);
    ASSERT_EQ(IgnoreMenu(&records, 1, false).size(), 2u);
    EXPECT_FALSE(IgnoreMenu(&records, 1, false)[1].enabled);  // read from texts: no exact key
    EXPECT_TRUE(IgnoreMenu(&records, 0, true).empty());
    EXPECT_TRUE(IgnoreMenu(&records, 2, false).empty());
    EXPECT_TRUE(IgnoreMenu(nullptr, 0, false).empty());
}

}  // namespace
