#pragma once
// The problem list's rows as both desktop programs show them: each record's three lines, what
// each line shows in the problem list, the repair log and a backup's entries, where a choice
// is written, the row's context menu and its tooltip.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "engine/Explanation.h"
#include "engine/ScanModel.h"
#include "engine/ValueText.h"
#include "ui/res/IgnoreStrings.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"
#include "ui/shared/ListRows.h"

namespace ui::shared {

// A row's texts (Windows-1252): the record's shown key, shown value and mark.
using ProblemRow = engine::ShownTexts;

inline std::vector<ProblemRow> ProblemRowsOf(const engine::ProblemList* source) {
    std::vector<ProblemRow> rows;
    if (!source) return rows;
    rows.reserve(source->size());
    for (const engine::Problem& problem : *source)
        rows.push_back(engine::DisplayConversion(problem));
    return rows;
}

// Column 1 the shown key, 2 the shown value, 3 the mark; empty for anything else.
inline const std::string& ColumnText(const std::vector<ProblemRow>& rows, int row, int column) {
    static const std::string empty;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return empty;
    const ProblemRow& shown = rows[static_cast<std::size_t>(row)];
    switch (column) {
    case 1: return shown.key;
    case 2: return shown.value;
    case 3: return shown.mark;
    default: return empty;
    }
}

// Whether a row shows "delete"; any mark but "0" shows "leave".
inline bool Deletes(const ProblemRow& row) { return row.mark == engine::kMarkDelete; }

// Writes a choice into the record, where repair and backup read it, and into the row that
// shows it; a row past the source's end changes only the row. False for no such row.
inline bool Choose(engine::ProblemList* source, std::vector<ProblemRow>& rows, int row,
                   bool repair) {
    const auto index = static_cast<std::size_t>(row);
    if (row < 0 || index >= rows.size()) return false;
    if (source && index < source->size()) (*source)[index].repair = repair;
    // A new string, not an assignment from the literal: GCC 12 warns wrongly about the latter.
    rows[index].mark = std::string(repair ? engine::kMarkDelete : engine::kMarkLeave);
    return true;
}

// What the third line shows: the choice between Delete and Leave (the problem list), the
// green tick and "Repaired" (the repair log), or nothing (a backup's entries, which nothing
// has repaired).
enum class RowMarks { Choice, Repaired, None };
constexpr RowMarks MarksOf(bool readOnly, bool markRepaired) {
    if (!readOnly) return RowMarks::Choice;
    return markRepaired ? RowMarks::Repaired : RowMarks::None;
}

struct Rgb {
    int red = 0, green = 0, blue = 0;
};
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
inline RowFace FaceOf(const ProblemRow& row, RowMarks marks) {
    using namespace result_row;
    RowFace face;
    const Rgb valueInk = marks == RowMarks::Choice ? kRedInk : kBlackInk;
    face.texts = {{0, 0, kBlackInk, text::kLineSection},
                  {kTextX, 0, kBlackInk, row.key.c_str()},
                  {0, kValueY, valueInk, text::kLineValue},
                  {kTextX, kValueY, valueInk, row.value.c_str()}};
    switch (marks) {
    case RowMarks::Choice: {
        face.texts.push_back({0, kChoiceY, kBlackInk, text::kLineCorrection});
        face.texts.push_back({kDeleteTextX, kChoiceY, kBlackInk, text::kChoiceDelete});
        face.texts.push_back({kLeaveTextX, kChoiceY, kBlackInk, text::kChoiceLeave});
        const bool remove = Deletes(row);
        face.pictures = {{kTextX, kBoxY, remove ? res::kBmpBoxTicked : res::kBmpBoxEmpty},
                         {kLeaveBoxX, kBoxY, remove ? res::kBmpBoxEmpty : res::kBmpBoxTicked},
                         {kPictureX, kPictureY, remove ? res::kBmpRedCross : res::kBmpGreenTick}};
        break;
    }
    case RowMarks::Repaired:
        face.texts.push_back({kTextX, kChoiceY, kRedInk, text::kRepaired});
        face.pictures = {{kPictureX, kPictureY, res::kBmpGreenTick}};
        break;
    case RowMarks::None: break;
    }
    return face;
}

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
inline std::vector<IgnoreItem> IgnoreMenu(const engine::ProblemList* source, int row,
                                          bool readOnly) {
    const auto index = static_cast<std::size_t>(row);
    if (readOnly || !source || row < 0 || index >= source->size()) return {};
    return {{text::kMenuIgnoreEntry, false, true},
            {text::kMenuIgnoreKey, true, (*source)[index].ExactKnown()}};
}

// The tooltip of `row` (UTF-8): what the scan looked for, one line a path; empty for none
// (the read-only lists, a row without a record, a record that kept none).
inline std::string RowToolTip(const engine::ProblemList* source, int row, bool readOnly) {
    const auto index = static_cast<std::size_t>(row);
    if (readOnly || !source || row < 0 || index >= source->size()) return {};
    std::string lines;
    for (const engine::CheckedPath& checked : (*source)[index].checked) {
        if (!lines.empty()) lines += '\n';
        lines += engine::CheckedPathText(checked);
    }
    return lines;
}

}  // namespace ui::shared
