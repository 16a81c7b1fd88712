#include "ui/shared/ProblemRows.h"

#include <cstddef>

#include "engine/Explanation.h"
#include "ui/res/IgnoreStrings.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

namespace ui::shared {

std::vector<ProblemRow> ProblemRowsOf(const engine::ProblemList* source) {
    std::vector<ProblemRow> rows;
    if (!source) return rows;
    rows.reserve(source->size());
    for (const engine::Problem& problem : *source)
        rows.push_back(engine::DisplayConversion(problem));
    return rows;
}

const std::string& ColumnText(const std::vector<ProblemRow>& rows, int row, int column) {
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

bool Choose(engine::ProblemList* source, std::vector<ProblemRow>& rows, int row, bool repair) {
    const auto index = static_cast<std::size_t>(row);
    if (row < 0 || index >= rows.size()) return false;
    if (source && index < source->size()) (*source)[index].repair = repair;
    // A new string, not an assignment from the literal: GCC 12 warns wrongly about the latter.
    rows[index].mark = std::string(repair ? engine::kMarkDelete : engine::kMarkLeave);
    return true;
}

RowFace FaceOf(const ProblemRow& row, RowMarks marks) {
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

std::vector<IgnoreItem> IgnoreMenu(const engine::ProblemList* source, int row, bool readOnly) {
    const auto index = static_cast<std::size_t>(row);
    if (readOnly || !source || row < 0 || index >= source->size()) return {};
    return {{text::kMenuIgnoreEntry, false, true},
            {text::kMenuIgnoreKey, true, (*source)[index].ExactKnown()}};
}

std::string RowToolTip(const engine::ProblemList* source, int row, bool readOnly) {
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
