#include "ui/win32/StaticPicture.h"

#include "ui/win32/Background.h"
#include "ui/win32/Pictures.h"

namespace ui::win32 {

void StaticPicture::SetPicture(int id) {
    picture_ = id;
    bitmap_ = LoadPicture(id);
    Invalidate();
}

std::optional<LRESULT> StaticPicture::Handle(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers the whole control
    case WM_PAINT: Paint(); return 0;
    default: return std::nullopt;
    }
}

void StaticPicture::Paint() {
    Painting painting(Window());
    HDC dc = painting.dc();
    FillParentBackground(Window(), dc);
    if (!bitmap_) return;
    OwnedMemoryDc memory(::CreateCompatibleDC(dc));
    const SIZE size = BitmapSize(bitmap_.get());
    Selected selected(memory.get(), bitmap_.get());
    ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace ui::win32
