#pragma once
// The section list of the section choice screen, on the system's list-view control: the
// section table's registry sections, then one row per fixed drive, each with a check box
// picture on a pale blue background. Only a click on a row's box changes its choice; after
// every click, and after Space, the list reports whether every row, no row or some rows are
// chosen.
// The engine's headers come before <windows.h>, whose macros spell the Win32 names they define.
#include "engine/ScanModel.h"

#include <windows.h>

#include <functional>

#include "ui/win32/Handles.h"
#include "ui/win32/ListView.h"

namespace platform {
class Services;
}

namespace ui::win32 {

class CListCtrlBlue {
public:
    static constexpr int kColumnWidth = 195;
    static constexpr COLORREF kBackground = RGB(223, 234, 245);

    CListCtrlBlue() = default;
    ~CListCtrlBlue() { list_.Destroy(); }
    CListCtrlBlue(const CListCtrlBlue&) = delete;
    CListCtrlBlue& operator=(const CListCtrlBlue&) = delete;

    // Creates the list, hidden and empty, as child `id` of `parent`.
    bool Create(HWND parent, int id);
    HWND Window() const { return list_.Window(); }

    // Builds the pictures and inserts all rows, every one chosen: the registry sections, then
    // one row per fixed drive of `services` (none when it is null). Without picture 132 the
    // list stays empty.
    void Fill(platform::Services* services);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Every row as it stands, for the scan run.
    engine::SectionRows Rows() const { return rows_; }
    // Whether the row is chosen; rows that do not exist read false.
    bool Selected(int row) const;
    // The picture the row shows (0 ticked, 1 empty), as the control holds it; -1 for none.
    int RowImage(int row) const;
    // Ticks or unticks every row (the select-all box); the summary target is not called.
    void ChooseAll(bool chosen);
    // The row the keyboard is on.
    int FocusRow() const { return focusRow_; }

    // Receives the selection summary after each click and each Space, synchronously.
    using SummaryTarget = std::function<void(engine::Selection)>;
    void SetSummaryTarget(SummaryTarget target) { summaryTarget_ = std::move(target); }

    // The parent's WM_NOTIFY from this list: true when answered, with the answer in `result`.
    bool OnNotify(NMHDR* header, LRESULT* result);

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnClick(int x, int y);
    void OnKey(WPARAM key);
    void Choose(int row, bool chosen);
    void MoveFocus(int row);
    void SendSummary();

    ListView list_;
    OwnedImageList images_;
    engine::SectionRows rows_;
    SummaryTarget summaryTarget_;
    int focusRow_ = 0;
};

}  // namespace ui::win32
