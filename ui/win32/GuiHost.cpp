#include "ui/win32/GuiHost.h"

#include "ui/res/Strings.h"
#include "ui/win32/Text.h"

namespace ui::win32 {

void GuiHost::PumpEvents() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program's own loop ends on it once the scan has handed back.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (preTranslate_ && preTranslate_(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

engine::Answer GuiHost::ShowMessageBox(const std::string& text, const std::string& caption,
                                       engine::BoxStyle style) {
    // The box is answered with the arrow, also in the middle of a wait.
    ++boxes_;
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    const std::wstring title = Wide(caption.empty() ? text::kAppName : caption.c_str());
    const int answer = ::MessageBoxW(owner_, Wide(text.c_str()).c_str(), title.c_str(),
                                     static_cast<UINT>(style.Win32()));
    --boxes_;
    if (ShowsWaitCursor()) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    switch (answer) {
    case IDCANCEL: return engine::Answer::Cancel;
    case IDYES: return engine::Answer::Yes;
    case IDNO: return engine::Answer::No;
    default: return engine::Answer::Ok;
    }
}

void GuiHost::PushWaitCursor() {
    if (ShowsWaitCursor()) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void GuiHost::PopWaitCursor() {
    if (WaitDepth() == 0) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace ui::win32
