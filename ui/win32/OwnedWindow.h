#pragma once
// The window procedure of a window class whose windows each belong to a C++ object: the
// object comes with WM_NCCREATE (CreateWindowEx's last argument), takes every message from
// then on through its Handle, and hears with Detach when its window is gone (WM_NCDESTROY).
#include <windows.h>

namespace ui::win32 {

template <typename Owner>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->Attach(window);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->Detach();
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return owner->Handle(message, wParam, lParam);
}

// Registers the window class `name` of windows owned by `Owner` objects, with the arrow
// cursor and, when given, an icon and a background brush.
template <typename Owner>
void RegisterOwnedClass(const wchar_t* name, HICON icon = nullptr, HBRUSH background = nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &OwnedWindowProcedure<Owner>;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
}

}  // namespace ui::win32
