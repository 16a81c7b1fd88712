#pragma once
// The shared dialogs' rules acting on a Win32 dialog's controls, found by their template ids.
#include <windows.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "ui/res/Layouts.h"
#include "ui/shared/DialogFace.h"

namespace ui::win32 {

namespace window_face {
std::u16string Text(HWND control);
void SetText(HWND control, const std::u16string& text);
// Lists are list views in report view.
int SelectedRow(HWND list);
void SetRows(HWND list, const std::vector<shared::Row>& rows);
}  // namespace window_face

// Gives a list view its columns (the last one, when its width is 0, fills the rest) and
// chooses whole rows.
void SetUpList(HWND list, std::span<const res::ListColumn> columns);

// `Interface` is shared::DialogFace or a dialog's face derived from it. The dialog window is
// set once it exists.
template <class Interface = shared::DialogFace>
class WindowFace : public Interface {
public:
    void SetDialog(HWND dialog) { dialog_ = dialog; }
    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }

    void Enable(int id, bool enabled) override { ::EnableWindow(Item(id), enabled); }
    void Show(int id, bool shown) override { ::ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE); }
    bool Checked(int id) const override { return ::IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
    void Check(int id, bool checked) override {
        ::CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    std::u16string Text(int id) const override { return window_face::Text(Item(id)); }
    void SetText(int id, const std::u16string& text) override {
        window_face::SetText(Item(id), text);
    }
    void LimitText(int id, int characters) override {
        ::SendMessageW(Item(id), EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
    }
    int SelectedRow(int list) const override { return window_face::SelectedRow(Item(list)); }
    void SetRows(int list, const std::vector<shared::Row>& rows) override {
        window_face::SetRows(Item(list), rows);
    }
    // A list view that loses its chosen row chooses none.
    void RemoveRow(int list, int row) override {
        ::SendMessageW(Item(list), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    }

private:
    HWND dialog_ = nullptr;
};

}  // namespace ui::win32
