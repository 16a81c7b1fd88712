#pragma once
// The rows of the section list and of the problem list as both desktop programs draw them and
// answer their clicks. Rectangles are measured as a list view measures them: right and
// bottom are one past the last pixel.
namespace ui::shared {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The section list: each row's picture is a 42 x 26 cell whose 13 x 13 check box stands 18
// pixels from the cell's left and 8 from its top; a click counts on the box's pixels and
// one past them on the right and below, bounds included.
inline constexpr int kSectionCellWidth = 42;
inline constexpr int kSectionCellHeight = 26;
constexpr bool HitsSectionBox(const Box& cell, int x, int y) {
    return cell.left + 18 <= x && x <= cell.right - 11 && cell.top + 8 <= y && y <= cell.bottom - 5;
}
// The cells of the section boxes' picture: a chosen row shows the ticked box, any other the
// empty one; the greyed box is in the picture but no row shows it.
inline constexpr int kSectionImageGreyed = 2;
constexpr int SectionImage(bool chosen) { return chosen ? 0 : 1; }

// The problem list: rows 68 pixels high, a 50 pixel picture column, then the text column.
// A row's parts stand relative to the text column's left edge and the row's top + 7.
namespace result_row {
inline constexpr int kHeight = 68;
inline constexpr int kPictureColumn = 50;
inline constexpr int kTopInset = 7;
inline constexpr int kTextX = 70;        // the key and value texts, the "delete" box
inline constexpr int kValueY = 15;       // the value line
inline constexpr int kChoiceY = 32;      // the "Correction:" (or "Repaired") line
inline constexpr int kDeleteTextX = 87;  // "Delete this Entry"
inline constexpr int kLeaveBoxX = 210;   // the "leave" box
inline constexpr int kLeaveTextX = 227;  // "Leave this entry without change"
inline constexpr int kBoxY = 34;         // both boxes
inline constexpr int kPictureX = -40;    // the red cross or green tick, 25 x 25
inline constexpr int kPictureY = 10;
inline constexpr int kChoiceRight = 420;  // where the choice line's click area ends
inline constexpr int kMenuY = 22;         // the keyboard's context menu, at (kTextX, kMenuY)
}  // namespace result_row

enum class RowChoice { None, Delete, Leave };

// What a click at (x, y) chooses on a problem row whose text column starts at `left` and
// whose row starts at `top`: only the choice line counts, each choice left of its text.
constexpr RowChoice ChoiceAt(int left, int top, int x, int y) {
    if (y < top + 37 || y > top + 55) return RowChoice::None;
    if (left + result_row::kTextX < x && x < left + 200) return RowChoice::Delete;
    if (left + result_row::kLeaveBoxX < x && x < left + result_row::kChoiceRight)
        return RowChoice::Leave;
    return RowChoice::None;
}

}  // namespace ui::shared
