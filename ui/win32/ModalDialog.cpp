#include "ui/win32/ModalDialog.h"

#include "ui/win32/DialogTemplate.h"
#include "ui/win32/Manual.h"

namespace ui::win32 {

void ModalDialog::Run(HWND owner) {
    const DialogTemplate layout(layout_);
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), layout.get(), owner,
                              &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
}

HWND ModalDialog::CreateHidden(HWND owner) {
    const DialogTemplate layout(layout_);
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), layout.get(), owner,
                                        &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::Start(HWND dialog) {
    window_ = dialog;
    captions_.clear();
    for (const res::ControlTemplate& control : layout_.controls)
        if (control.kind == res::ControlKind::GradientCaption)
            captions_.push_back(
                std::make_unique<CStaticGradient>(::GetDlgItem(dialog, control.id)));
    Init();
}

INT_PTR ModalDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Clicks and keys; an edit's changes and the like are no commands.
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        // A hidden dialog made for its geometry is destroyed by its maker, never ended.
        if (Command(LOWORD(wParam)) && ::IsWindowVisible(window_))
            ::EndDialog(window_, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (const std::optional<LRESULT> result = Notify(*reinterpret_cast<NMHDR*>(lParam))) {
            ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, *result);
            return TRUE;
        }
        return FALSE;
    case WM_SIZE: Resized(LOWORD(lParam), HIWORD(lParam)); return FALSE;
    case WM_HELP: OpenManual(window_); return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<ModalDialog*>(lParam)->Start(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

}  // namespace ui::win32
