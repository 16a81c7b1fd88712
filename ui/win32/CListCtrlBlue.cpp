#include "ui/win32/CListCtrlBlue.h"

#include "engine/ScanSession.h"

#include <windowsx.h>

#include <string>

#include "ui/res/ResourceIds.h"
#include "ui/shared/ListKeys.h"
#include "ui/shared/ListRows.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Text.h"

namespace ui::win32 {

bool CListCtrlBlue::Create(HWND parent, int id) {
    // The list never selects: rows are chosen by their boxes alone.
    return list_.Create(parent, id, LVS_LIST | LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
                        [this](UINT message, WPARAM wParam, LPARAM lParam) {
                            return Handle(message, wParam, lParam);
                        });
}

void CListCtrlBlue::Fill(platform::Services* services) {
    list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    images_.Reset();
    list_.Send(LVM_DELETEALLITEMS);
    rows_.clear();
    focusRow_ = 0;
    const OwnedBitmap strip = LoadPicture(res::kBmpSectionBoxes);
    if (!strip) return;
    images_.Reset(::ImageList_Create(shared::kSectionCellWidth, shared::kSectionCellHeight,
                                     ILC_COLOR24 | ILC_MASK, 1, 3));
    if (images_) {
        // Black is the mask colour: it never shows.
        ::ImageList_AddMasked(images_.get(), strip.get(), RGB(0, 0, 0));
        list_.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.get()));
    }
    list_.Send(LVM_SETTEXTBKCOLOR, 0, kBackground);
    list_.Send(LVM_SETBKCOLOR, 0, kBackground);
    list_.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_SUBITEMIMAGES | LVS_EX_FLATSB);
    if (list_.Send(LVM_GETCOLUMNWIDTH, 0) == 0) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = 10;
        list_.Send(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    list_.Send(LVM_SETCOLUMNWIDTH, 0, kColumnWidth);

    rows_ = services ? engine::BuildSectionRows(*services) : engine::BuildSectionRows({});
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].selected = true;
        std::wstring label = Wide(rows_[i].label.c_str());
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = label.data();
        item.iImage = shared::SectionImage(true);
        list_.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    MoveFocus(0);
}

bool CListCtrlBlue::Selected(int row) const {
    return row >= 0 && row < RowCount() && rows_[static_cast<std::size_t>(row)].selected;
}

int CListCtrlBlue::RowImage(int row) const {
    if (row < 0 || row >= RowCount()) return -1;
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return list_.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

void CListCtrlBlue::Choose(int row, bool chosen) {
    if (row < 0 || row >= RowCount()) return;
    rows_[static_cast<std::size_t>(row)].selected = chosen;
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = shared::SectionImage(chosen);
    list_.Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void CListCtrlBlue::ChooseAll(bool chosen) {
    for (int row = 0; row < RowCount(); ++row) Choose(row, chosen);
}

void CListCtrlBlue::MoveFocus(int row) {
    if (row < 0 || row >= RowCount()) return;
    focusRow_ = row;
    // The list's own focused row draws the dotted rectangle while the list has the focus.
    LVITEMW state{};
    state.stateMask = LVIS_FOCUSED;
    state.state = LVIS_FOCUSED;
    list_.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    list_.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void CListCtrlBlue::SendSummary() {
    if (summaryTarget_) summaryTarget_(engine::SelectionSummary(rows_));
}

void CListCtrlBlue::OnClick(int x, int y) {
    for (int row = 0; row < RowCount(); ++row) {
        RECT icon{};
        icon.left = LVIR_ICON;
        if (!list_.Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&icon)))
            continue;
        if (shared::HitsSectionBox({icon.left, icon.top, icon.right, icon.bottom}, x, y)) {
            Choose(row, !Selected(row));
            break;
        }
    }
    SendSummary();
}

void CListCtrlBlue::OnKey(WPARAM key) {
    using shared::KeyAction;
    const KeyAction action = shared::SectionListKey(ListKeyOf(key), focusRow_, RowCount());
    switch (action.kind) {
    case KeyAction::MoveTo: MoveFocus(action.row); return;
    case KeyAction::Switch:
        Choose(action.row, !Selected(action.row));
        SendSummary();
        return;
    case KeyAction::Swallow: return;
    // Left and Right scroll the columns; the list-view's own keys would select rows.
    case KeyAction::PassOn: list_.ScrollAcross(key); return;
    }
}

std::optional<LRESULT> CListCtrlBlue::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        // Never passed on, so rows are never selected or focused by the mouse.
        OnClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    // The second press of a double-click is not a new choice: the box toggles once. A right
    // click does nothing at all.
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return 0;
    case WM_KEYDOWN:
        if (!IsListKey(wParam)) return std::nullopt;
        OnKey(wParam);
        return 0;
    // Typing would select the row whose label it starts.
    case WM_CHAR: return 0;
    default: return std::nullopt;
    }
}

bool CListCtrlBlue::OnNotify(NMHDR* header, LRESULT* result) {
    if (!header || header->hwndFrom != Window()) return false;
    if (header->code == LVN_ITEMCHANGING) {
        // No way of the list's own may select a row.
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED)) {
            *result = TRUE;
            return true;
        }
    }
    return false;
}

}  // namespace ui::win32
