// drennow.exe: the desktop program on Windows.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "ui/win32/CMainFrame.h"
#include "ui/win32/GeometryReport.h"
#include "ui/win32/Pictures.h"

namespace {

// `--report FILE`: writes the windows' geometry to FILE and ends, for the tests under Wine.
bool WriteReport(const ui::win32::CMainFrame& frame, const wchar_t* path) {
    const std::string report = ui::win32::GeometryReport(frame);
    FILE* out = _wfopen(path, L"wb");
    if (!out) return false;
    const bool written = std::fwrite(report.data(), 1, report.size(), out) == report.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    ui::win32::GdiPlusSession gdiPlus;

    ui::win32::CMainFrame frame;
    if (!frame.Create()) return 1;
    // The frame opens maximised; restoring it gives the centred 780 x 570 window.
    ::ShowWindow(frame.Window(), SW_SHOWMAXIMIZED);
    ::UpdateWindow(frame.Window());

    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv && argc == 3 && std::wstring(argv[1]) == L"--report") {
        const bool written = WriteReport(frame, argv[2]);
        ::LocalFree(argv);
        return written ? 0 : 3;
    }
    if (argv) ::LocalFree(argv);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
