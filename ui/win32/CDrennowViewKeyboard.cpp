// The main view's keyboard, as the Qt program has it: F1 opens the manual, Alt and a letter
// press the visible button of that letter, Enter presses the focused button or link or else
// the screen's default button, arrows stay off the buttons, and Tab goes through the view's
// controls (the dialog manager's handling).
#include <cwctype>

#include "ui/res/ResourceIds.h"
#include "ui/win32/CDrennowView.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

struct Accelerator {
    int command;
    WPARAM key;
};
// The letters the button faces underline; Alt+A also ticks or unticks every section row
// while the select-all box shows (Repair All's is on another screen).
constexpr Accelerator kAccelerators[] = {
    {res::kOptionButton, 'O'},       {res::kHelpButton, 'H'},       {res::kScanButton, 'S'},
    {res::kPauseButton, 'P'},        {res::kCancelScanButton, 'C'}, {res::kRepairAllButton, 'A'},
    {res::kCancelResultButton, 'C'}, {res::kReturnButton, 'R'},     {res::kSelectAllBox, 'A'},
};

bool IsArrow(WPARAM key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// The letter after the ampersand of a button's text ("&Resume": R); 0 for none.
WPARAM Mnemonic(HWND control) {
    const std::wstring text = WindowText(control);
    const std::size_t amp = text.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= text.size()) return 0;
    return static_cast<WPARAM>(std::towupper(text[amp + 1]));
}

}  // namespace

int CDrennowView::AcceleratorCommand(WPARAM key) const {
    auto shown = [this](int id) {
        HWND control = ::GetDlgItem(window_, id);
        return control && ::IsWindowVisible(control);
    };
    for (const Accelerator& accelerator : kAccelerators)
        if (accelerator.key == key && shown(accelerator.command)) return accelerator.command;
    // Pause and Resume also answer the letter of their text.
    if (HWND pause = ::GetDlgItem(window_, res::kPauseButton);
        shown(res::kPauseButton) && Mnemonic(pause) == key)
        return res::kPauseButton;
    return 0;
}

bool CDrennowView::PressFocused(WPARAM key) {
    HWND focus = ::GetFocus();
    if (!focus || !::IsChild(window_, focus)) return false;
    const int id = ::GetDlgCtrlID(focus);
    const bool link = id >= res::kFirstSectionLink && id < res::kFirstSectionLink + kRows;
    // A button takes Space itself.
    if (link || (key == VK_RETURN && Button(id))) {
        logic_->OnCommand(id);
        return true;
    }
    return false;
}

bool CDrennowView::PreTranslate(MSG& message) {
    if (!window_ || (message.hwnd != window_ && !::IsChild(window_, message.hwnd))) return false;
    if (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29))) {
        if (const int command = AcceleratorCommand(message.wParam)) {
            logic_->OnCommand(command);
            return true;
        }
        return false;
    }
    if (message.message == WM_KEYDOWN) {
        const WPARAM key = message.wParam;
        if (key == VK_F1) {
            logic_->OnCommand(res::kCmdUserManual);
            return true;
        }
        if ((key == VK_RETURN || key == VK_SPACE) && PressFocused(key)) return true;
        if (key == VK_RETURN) {
            if (HWND button = DefaultButton()) logic_->OnCommand(::GetDlgCtrlID(button));
            return true;
        }
        if (IsArrow(key) && Button(::GetDlgCtrlID(::GetFocus()))) return true;
    }
    return ::IsDialogMessageW(window_, &message) != FALSE;
}

}  // namespace ui::win32
