#pragma once
// The problem list on the system's list-view control: one 68 pixel row of three text lines per
// problem record, painted by the list itself, with the choice between deleting the entry and
// leaving it. Read-only (the repair log, a backup's entries) the rows show no choice. The
// list-view keeps only the row count, the scrolling and the row places; the texts live here.
// The engine's headers come before <windows.h>, whose macros spell the Win32 names they define.
#include "engine/ScanModel.h"
#include "ui/shared/ProblemRows.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/win32/Handles.h"
#include "ui/win32/ListView.h"

namespace ui::win32 {

class CListCtrlResult {
public:
    CListCtrlResult() = default;
    ~CListCtrlResult();
    CListCtrlResult(const CListCtrlResult&) = delete;
    CListCtrlResult& operator=(const CListCtrlResult&) = delete;

    // Creates the list, hidden and empty, as child `id` of `parent`.
    bool Create(HWND parent, int id);
    HWND Window() const { return list_.Window(); }

    // Replaces all rows by the problems of `source`, which the list keeps pointing at, without
    // owning it, to write the user's choices into: the list must live at the same address for
    // as long as the rows show it. Null empties the list. The list shows its first row.
    void Fill(engine::ProblemList* source);
    // Deletes every row; the source list stays remembered.
    void DeleteAllItems();

    void SetRepairLogMode(bool on);
    bool RepairLogMode() const { return repairLogMode_; }
    // Read-only rows carry the green tick and the red "Repaired" (the repair log), or no mark
    // at all (a backup's saved entries, which nothing has repaired).
    void SetMarkRepaired(bool on);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Column 1 the shown key, 2 the shown value, 3 the shown mark; Windows-1252.
    const std::string& ColumnText(int row, int column) const;
    const engine::ProblemList* Source() const { return source_; }

    // The row the keyboard is on: Up, Down, Page Up, Page Down, Home and End move it (the list
    // scrolls to show it), Space switches its choice between Delete and Leave.
    int FocusRow() const { return focusRow_; }
    // The first row showing, and scrolling so that `row` is the first (as far as the rows go).
    int TopRow() const;
    void SetTopRow(int row);
    // Bounds of column 1 of a row in client coordinates (what the clicks and the painter
    // measure from); empty for a row that does not exist.
    RECT SubItemRect(int row) const;

    // What "Ignore This Entry" (false) and "Ignore This Key" (true) of a row's context menu
    // do; without it (and in the read-only lists) the rows have no context menu.
    void SetIgnoreHandler(std::function<void(int row, bool wholeKey)> handler) {
        ignoreHandler_ = std::move(handler);
    }

    // The parent's WM_NOTIFY from this list: true when answered, with the answer in `result`.
    bool OnNotify(NMHDR* header, LRESULT* result);

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void OnClick(int x, int y);
    void OnKey(WPARAM key);
    void Choose(int row, bool repair);
    void MoveFocus(int row);
    void Repaint();
    void InvalidateRow(int row);
    int RowAt(int x, int y) const;
    void ShowContextMenu(int row, POINT screen);
    void ShowKeyboardContextMenu();
    void CreateToolTip();
    void UpdateToolTip(int x, int y);
    void ShowToolTip();
    void HideToolTip();
    HBITMAP Picture(int id) const;
    int PageRows() const;

    ListView list_;
    OwnedImageList rowHeight_;
    OwnedFont font_;
    std::array<OwnedBitmap, 4> pictures_;  // ticked box, empty box, green tick, red cross
    HWND toolTip_ = nullptr;               // destroyed with the list
    int toolTipRow_ = -1;
    std::wstring toolTipText_;
    bool repairLogMode_ = false;
    bool markRepaired_ = true;
    std::vector<shared::ProblemRow> rows_;
    engine::ProblemList* source_ = nullptr;
    std::function<void(int, bool)> ignoreHandler_;
    int focusRow_ = 0;
};

}  // namespace ui::win32
