#include "ui/win32/CDialogAbout.h"

#include <shellapi.h>

#include <string>

#include "ui/res/Layouts.h"
#include "ui/win32/Text.h"

namespace ui::win32 {

CDialogAbout::CDialogAbout()
    : ModalDialog(res::kAboutDialog),
      dialogFont_(::CreateFontW(15, 5, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, L"Tahoma")) {}

void CDialogAbout::Init() {
    HWND dialog = Window();
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

bool CDialogAbout::Command(int id) {
    switch (id) {
    case res::kAboutWebLink:
        ::ShellExecuteW(nullptr, L"open", Wide(text::kWebSite).c_str(), nullptr, nullptr, SW_HIDE);
        return false;
    case res::kAboutMailLink:
        ::ShellExecuteW(nullptr, L"open", (L"mailto:" + Wide(text::kSupportMail)).c_str(), nullptr,
                        nullptr, SW_HIDE);
        return false;
    // OK, Enter, Escape and the close box.
    case IDOK:
    case IDCANCEL: return true;
    default: return false;
    }
}

}  // namespace ui::win32
