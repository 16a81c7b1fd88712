#include "ui/win32/WindowFace.h"

#include <commctrl.h>

#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

// UTF-16 both: wchar_t is 16 bits on Windows.
std::wstring ToWide(const std::u16string& text) { return {text.begin(), text.end()}; }

}  // namespace

namespace window_face {

std::u16string Text(HWND control) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
}

void SetText(HWND control, const std::u16string& text) {
    ::SetWindowTextW(control, ToWide(text).c_str());
}

int SelectedRow(HWND list) {
    return static_cast<int>(
        ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SetRows(HWND list, const std::vector<shared::Row>& rows) {
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const shared::Row& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            std::wstring text = ToWide(row[column]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = index;
            item.iSubItem = static_cast<int>(column);
            item.pszText = text.data();
            ::SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                           static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        }
        ++index;
    }
}

}  // namespace window_face

void SetUpList(HWND list, std::span<const res::ListColumn> columns) {
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
    int index = 0;
    for (const res::ListColumn& column : columns) {
        std::wstring title = Wide(column.title);
        LVCOLUMNW entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        entry.fmt = column.right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        entry.cx = column.width;
        entry.pszText = title.data();
        ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&entry));
        ++index;
    }
    if (!columns.empty() && columns.back().width == 0)
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index - 1),
                       LVSCW_AUTOSIZE_USEHEADER);
}

}  // namespace ui::win32
