#pragma once
// A control that paints itself fills its background with the brush its parent gives static
// controls (WM_CTLCOLORSTATIC), as a static control does: white on the main view, the dialog's
// face in a dialog. The colours the parent sets on the device context stay set.
#include <windows.h>

namespace ui::win32 {

inline void FillParentBackground(HWND control, HDC dc) {
    RECT area{};
    ::GetClientRect(control, &area);
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(::GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(control)));
    if (brush) ::FillRect(dc, &area, brush);
}

}  // namespace ui::win32
