#include "ui/win32/CDialogAbout.h"

#include <shellapi.h>

#include <string>

#include "ui/res/Layouts.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/Text.h"

namespace ui::win32 {

CDialogAbout::CDialogAbout()
    : dialogFont_(::CreateFontW(15, 5, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, L"Tahoma")) {}

void CDialogAbout::DoModal(HWND owner) {
    const DialogTemplate layout(res::kAboutDialog);
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), layout.get(), owner,
                              &CDialogAbout::Procedure, reinterpret_cast<LPARAM>(this));
}

HWND CDialogAbout::CreateHidden(HWND owner) {
    const DialogTemplate layout(res::kAboutDialog);
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), layout.get(), owner,
                                        &CDialogAbout::Procedure, reinterpret_cast<LPARAM>(this));
}

void CDialogAbout::Init(HWND dialog) {
    ::SendDlgItemMessageW(
        dialog, res::kAboutIcon, STM_SETICON,
        reinterpret_cast<WPARAM>(
            ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::kIconApplication))),
        0);
    webLink_ = std::make_unique<CStaticLink>(::GetDlgItem(dialog, res::kAboutWebLink));
    mailLink_ = std::make_unique<CStaticLink>(::GetDlgItem(dialog, res::kAboutMailLink));
    for (CStaticLink* link : {webLink_.get(), mailLink_.get()}) {
        link->SetColor(RGB(0, 0, 255));
        link->SetFontStyle(dialogFont_.get(), 1, 0);
        link->linkActive = true;
    }
}

bool CDialogAbout::Command(HWND dialog, int id) {
    switch (id) {
    case res::kAboutWebLink:
        ::ShellExecuteW(nullptr, L"open", Wide(text::kWebSite).c_str(), nullptr, nullptr, SW_HIDE);
        return true;
    case res::kAboutMailLink:
        ::ShellExecuteW(nullptr, L"open", (L"mailto:" + Wide(text::kSupportMail)).c_str(), nullptr,
                        nullptr, SW_HIDE);
        return true;
    case IDOK:
    case IDCANCEL:
        // A hidden box made for its geometry is destroyed by its maker, never ended.
        if (::IsWindowVisible(dialog)) ::EndDialog(dialog, id);
        return true;
    default: return false;
    }
}

INT_PTR CALLBACK CDialogAbout::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<CDialogAbout*>(lParam)->Init(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<CDialogAbout*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (self && message == WM_COMMAND) return self->Command(dialog, LOWORD(wParam));
    return FALSE;
}

}  // namespace ui::win32
