#include "ui/win32/Screenshots.h"

#include <gdiplus.h>

#include "ui/win32/CDialogAbout.h"
#include "ui/win32/DialogSamples.h"
#include "ui/win32/Handles.h"

namespace ui::win32 {
namespace {

namespace gp = Gdiplus::DllExports;

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// Lets the windows paint what they were asked to before a picture is taken.
void Settle() {
    for (int round = 0; round < 20; ++round) {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(25);
    }
}

// The window as the screen shows it, frame included.
bool Capture(HWND window, const std::wstring& path) {
    RECT place{};
    ::GetWindowRect(window, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    HDC screen = ::GetDC(nullptr);
    OwnedMemoryDc memory(::CreateCompatibleDC(screen));
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, width, height));
    {
        Selected selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    }
    ::ReleaseDC(nullptr, screen);
    Gdiplus::GpBitmap* image = nullptr;
    if (gp::GdipCreateBitmapFromHBITMAP(bitmap.get(), nullptr, &image) != Gdiplus::Ok) return false;
    const bool saved =
        gp::GdipSaveImageToFile(image, path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    gp::GdipDisposeImage(image);
    return saved;
}

}  // namespace

bool TakeScreenshots(const CMainFrame& frame, const std::wstring& folder) {
    ::ShowWindow(frame.Window(), SW_RESTORE);
    Settle();
    bool taken = Capture(frame.Window(), folder + L"\\frame.png");
    CDialogAbout about;
    HWND box = about.CreateHidden(frame.Window());
    if (!box) return false;
    ::ShowWindow(box, SW_SHOW);
    Settle();
    taken = Capture(box, folder + L"\\about.png") && taken;
    ::DestroyWindow(box);
    ForEachDialog(frame.Window(), [&](const char* name, HWND dialog, const res::DialogTemplate&) {
        ::ShowWindow(dialog, SW_SHOW);
        Settle();
        const std::string file(name);
        taken =
            Capture(dialog, folder + L"\\" + std::wstring(file.begin(), file.end()) + L".png") &&
            taken;
    });
    return taken;
}

}  // namespace ui::win32
