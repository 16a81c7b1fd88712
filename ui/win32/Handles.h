#pragma once
// Owners of the Win32 handles the desktop program creates: each is released when its owner goes.
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace ui::win32 {

template <typename Handle, auto Release>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void ReleaseLibrary(HMODULE module) { ::FreeLibrary(module); }
inline void DestroyCursorHandle(HCURSOR cursor) { ::DestroyCursor(cursor); }
inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
inline void DestroyMenuHandle(HMENU menu) { ::DestroyMenu(menu); }

using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedMemoryDc = Owned<HDC, DeleteMemoryDc>;
using OwnedModule = Owned<HMODULE, ReleaseLibrary>;
using OwnedCursor = Owned<HCURSOR, DestroyCursorHandle>;
using OwnedImageList = Owned<HIMAGELIST, DestroyImageList>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;

// An object selected into a device context until this goes.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint and EndPaint.
class Painting {
public:
    explicit Painting(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~Painting() { ::EndPaint(window_, &paint_); }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

}  // namespace ui::win32
