// drennow.exe: the desktop program on Windows.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "ui/win32/CMainFrame.h"
#include "ui/win32/GeometryReport.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Screenshots.h"
#include "ui/win32/TestScript.h"

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
    const std::wstring testSwitch = argv && argc >= 3 ? argv[1] : L"";
    const std::wstring testPath = argv && argc >= 3 ? argv[2] : L"";
    const std::wstring scriptReport = argv && argc == 4 ? argv[3] : L"";
    if (argv) ::LocalFree(argv);
    if (testSwitch == L"--report") return WriteReport(frame, testPath.c_str()) ? 0 : 3;
    if (testSwitch == L"--screenshots") return ui::win32::TakeScreenshots(frame, testPath) ? 0 : 3;
    // `--script FILE REPORT`: runs the steps of FILE, writing what happened to REPORT.
    ui::win32::TestScript script;
    if (testSwitch == L"--script") {
        std::string error;
        if (!script.Load(testPath, error) ||
            !script.Start({frame.Window(), frame.Window(), {}, {}}, scriptReport))
            return 3;
    }

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
