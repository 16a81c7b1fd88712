#pragma once
// The problem list's rows as both desktop programs show them: each record's three lines, what
// each line shows in the problem list, the repair log and a backup's entries, where a choice
// is written, the row's context menu and its tooltip.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/ScanModel.h"
#include "engine/ValueText.h"
#include "ui/shared/ListRows.h"
#include "ui/shared/Colours.h"

namespace ui::shared {

// A row's texts (Windows-1252): the record's shown key, shown value and mark.
using ProblemRow = engine::ShownTexts;

std::vector<ProblemRow> ProblemRowsOf(const engine::ProblemList* source);

// Column 1 the shown key, 2 the shown value, 3 the mark; empty for anything else.
const std::string& ColumnText(const std::vector<ProblemRow>& rows, int row, int column);

// Whether a row shows "delete"; any mark but "0" shows "leave".
inline bool Deletes(const ProblemRow& row) { return row.mark == engine::kMarkDelete; }

// Writes a choice into the record, where repair and backup read it, and into the row that
// shows it; a row past the source's end changes only the row. False for no such row.
bool Choose(engine::ProblemList* source, std::vector<ProblemRow>& rows, int row, bool repair);

// What the third line shows: the choice between Delete and Leave (the problem list), the
// green tick and "Repaired" (the repair log), or nothing (a backup's entries, which nothing
// has repaired).
enum class RowMarks { Choice, Repaired, None };
constexpr RowMarks MarksOf(bool readOnly, bool markRepaired) {
    if (!readOnly) return RowMarks::Choice;
    return markRepaired ? RowMarks::Repaired : RowMarks::None;
}

inline constexpr Rgb kBlackInk{0, 0, 0};
inline constexpr Rgb kRedInk{220, 0, 0};
// Rows 0, 2, 4... carry a light grey band from the list's left edge.
inline constexpr Rgb kStripe{240, 240, 240};
constexpr bool Striped(int row) { return row % 2 == 0; }

struct RowText {
    int x = 0, y = 0;
    Rgb ink;
    const char* text = "";  // Windows-1252
};
struct RowPicture {
    int x = 0, y = 0;
    int picture = 0;  // a picture's number (ui/res/ResourceIds.h)
};
// A row's texts and pictures, placed from the text column's left edge and the row's top +
// result_row::kTopInset, texts by their top edge, painted in this order.
struct RowFace {
    std::vector<RowText> texts;
    std::vector<RowPicture> pictures;
};

// The face of `row`; its texts point into `row` and the program's strings.
RowFace FaceOf(const ProblemRow& row, RowMarks marks);

// The width of the rows' contents, whose widest key or value text is `widestText` pixels:
// a horizontal scroll bar shows only where the list is narrower.
constexpr int ContentWidth(int widestText) {
    return result_row::kPictureColumn +
           std::max(result_row::kChoiceRight, result_row::kTextX + widestText + 8);
}

// An item of a row's context menu: ignore the entry, or every entry of its key.
struct IgnoreItem {
    const char* text;
    bool wholeKey;
    bool enabled;
};

// The context menu of `row`: none in the read-only lists or for a row without a record; the
// key's item is greyed where the record names no registry key exactly (a shortcut file).
std::vector<IgnoreItem> IgnoreMenu(const engine::ProblemList* source, int row, bool readOnly);

// The tooltip of `row` (UTF-8): what the scan looked for, one line a path; empty for none
// (the read-only lists, a row without a record, a record that kept none).
std::string RowToolTip(const engine::ProblemList* source, int row, bool readOnly);

}  // namespace ui::shared
