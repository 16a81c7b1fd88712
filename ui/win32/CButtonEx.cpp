#include "ui/win32/CButtonEx.h"

#include <string>

#include "ui/win32/Text.h"

#include "ui/win32/Pictures.h"

namespace ui::win32 {

void CButtonEx::SetBitmaps(int normal, int over, int pressed) {
    bitmaps_[kNormal] = LoadPicture(normal);
    bitmaps_[kOver] = LoadPicture(over);
    bitmaps_[kPressed] = LoadPicture(pressed);
    Invalidate();
}

std::optional<LRESULT> CButtonEx::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!tracking_) {
            state_ = kOver;
            Invalidate();
            tracking_ = true;
            TrackLeave();
        }
        return Default(message, wParam, lParam);
    case WM_MOUSELEAVE:
        if (tracking_) {
            tracking_ = false;
            state_ = kNormal;
            Invalidate();
        }
        return 1;
    case WM_LBUTTONDOWN:
        state_ = kPressed;
        Invalidate();
        return Default(message, wParam, lParam);
    case WM_LBUTTONUP:
        // Tracking stays on: a button just clicked shows its normal face until the mouse
        // leaves and comes back.
        state_ = kNormal;
        Invalidate();
        return Default(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); return Default(message, wParam, lParam);
    case WM_PAINT: Paint(); return 0;
    default: return std::nullopt;
    }
}

void CButtonEx::Paint() {
    Painting painting(Window());
    if (!bitmapMode) {
        const std::wstring text = WindowText(Window());
        ::SetBkMode(painting.dc(), TRANSPARENT);
        ::SetTextColor(painting.dc(), RGB(0, 0, 0));
        ::TextOutW(painting.dc(), 0, 0, text.c_str(), static_cast<int>(text.size()));
        return;
    }
    // A picture that failed to load draws nothing.
    HBITMAP bitmap = bitmaps_[static_cast<std::size_t>(state_)].get();
    if (!bitmap) return;
    // Not stretched: a button larger than its picture shows it in its top-left corner.
    HDC window = ::GetWindowDC(Window());
    OwnedMemoryDc memory(::CreateCompatibleDC(window));
    const SIZE size = BitmapSize(bitmap);
    {
        Selected selected(memory.get(), bitmap);
        ::BitBlt(window, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
    }
    if (::GetFocus() == Window()) {
        // The dotted focus rectangle inside the face, as a focused push button has it.
        RECT inside{};
        ::GetClientRect(Window(), &inside);
        Owned<HPEN, DeleteGdiObject> dots(::CreatePen(PS_DOT, 1, RGB(255, 255, 255)));
        Selected pen(window, dots.get());
        Selected hollow(window, ::GetStockObject(NULL_BRUSH));
        ::SetBkMode(window, TRANSPARENT);
        ::Rectangle(window, 3, 3, inside.right - 3, inside.bottom - 3);
    }
    ::ReleaseDC(Window(), window);
}

}  // namespace ui::win32
