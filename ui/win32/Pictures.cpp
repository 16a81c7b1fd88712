#include "ui/win32/Pictures.h"

#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include "ui/res/ResourceIds.h"

namespace ui::win32 {
namespace {

namespace gp = Gdiplus::DllExports;

// The GDI+ bitmap decoded from the PNG resource `id`, disposed of when this goes.
class DecodedPicture {
public:
    explicit DecodedPicture(int id) {
        HMODULE module = ::GetModuleHandleW(nullptr);
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
        if (!found) return;
        HGLOBAL loaded = ::LoadResource(module, found);
        const DWORD size = ::SizeofResource(module, found);
        const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
        if (!bytes || size == 0) return;
        IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(bytes), size);
        if (!stream) return;
        if (gp::GdipCreateBitmapFromStream(stream, &bitmap_) != Gdiplus::Ok) bitmap_ = nullptr;
        stream->Release();
    }
    ~DecodedPicture() {
        if (bitmap_) gp::GdipDisposeImage(bitmap_);
    }
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;
    Gdiplus::GpBitmap* get() const { return bitmap_; }

private:
    Gdiplus::GpBitmap* bitmap_ = nullptr;
};

// The hand's hot spot, as the Qt program sets it.
constexpr DWORD kHandHotSpotX = 8;
constexpr DWORD kHandHotSpotY = 1;

}  // namespace

GdiPlusSession::GdiPlusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiPlusSession::~GdiPlusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

OwnedBitmap LoadPicture(int id) {
    DecodedPicture picture(id);
    HBITMAP bitmap = nullptr;
    // Opaque pictures: the background colour is never seen.
    if (!picture.get() ||
        gp::GdipCreateHBITMAPFromBitmap(picture.get(), &bitmap, 0xFFFFFFFF) != Gdiplus::Ok)
        return {};
    return OwnedBitmap(bitmap);
}

OwnedCursor LoadHandCursor() {
    DecodedPicture picture(res::kCursorHand);
    HICON icon = nullptr;
    if (picture.get() && gp::GdipCreateHICONFromBitmap(picture.get(), &icon) == Gdiplus::Ok) {
        ICONINFO info{};
        if (::GetIconInfo(icon, &info)) {
            info.fIcon = FALSE;
            info.xHotspot = kHandHotSpotX;
            info.yHotspot = kHandHotSpotY;
            HCURSOR cursor = ::CreateIconIndirect(&info);
            if (info.hbmMask) ::DeleteObject(info.hbmMask);
            if (info.hbmColor) ::DeleteObject(info.hbmColor);
            ::DestroyIcon(icon);
            if (cursor) return OwnedCursor(cursor);
        } else {
            ::DestroyIcon(icon);
        }
    }
    // A shared system cursor is not destroyed: a copy is.
    return OwnedCursor(
        static_cast<HCURSOR>(::CopyImage(::LoadCursorW(nullptr, IDC_HAND), IMAGE_CURSOR, 0, 0, 0)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

}  // namespace ui::win32
