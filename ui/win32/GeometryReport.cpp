#include "ui/win32/GeometryReport.h"

#include <commctrl.h>

#include "ui/res/Layouts.h"
#include "ui/win32/CDialogAbout.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

std::string Numbers(std::initializer_list<long> values) {
    std::string line;
    for (long value : values) line += " " + std::to_string(value);
    return line + "\n";
}

std::string Utf8(const std::wstring& text) {
    const int length = ::WideCharToMultiByte(
        CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                          length, nullptr, nullptr);
    return out;
}

std::string AboutReport(HWND owner) {
    CDialogAbout about;
    HWND box = about.CreateHidden(owner);
    if (!box) return "about missing\n";
    std::string report;
    RECT client{};
    ::GetClientRect(box, &client);
    report += "about.client" + Numbers({client.right, client.bottom});
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(box, &units);
    report += "about.baseunits" + Numbers({units.right, units.bottom});
    report += "about.caption " + Utf8(WindowText(box)) + "\n";
    for (const res::ControlTemplate& control : res::kAboutControls) {
        HWND item = ::GetDlgItem(box, control.id);
        if (!item) continue;
        RECT place{};
        ::GetWindowRect(item, &place);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
        report += "about.control" + Numbers({control.id, place.left, place.top,
                                             place.right - place.left, place.bottom - place.top});
        report += "about.text " + std::to_string(control.id) + " " + Utf8(WindowText(item)) + "\n";
    }
    ::DestroyWindow(box);
    return report;
}

}  // namespace

std::string GeometryReport(const CMainFrame& frame) {
    HWND window = frame.Window();
    std::string report;
    report +=
        "screen" + Numbers({::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    const RECT& restored = placement.rcNormalPosition;
    report +=
        "frame.restored" + Numbers({restored.left, restored.top, restored.right - restored.left,
                                    restored.bottom - restored.top});
    report += "frame.maximized" + Numbers({::IsZoomed(window) ? 1 : 0});
    report += "frame.menu" + Numbers({::GetMenu(window) ? 1 : 0});
    report += "frame.caption " + Utf8(WindowText(window)) + "\n";
    MINMAXINFO limits{};
    ::SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    report += "frame.mintrack" + Numbers({limits.ptMinTrackSize.x, limits.ptMinTrackSize.y});
    HWND bar = frame.StatusBar();
    report += "status.id" + Numbers({::GetDlgCtrlID(bar)});
    const auto parts = static_cast<int>(::SendMessageW(bar, SB_GETPARTS, 0, 0));
    report += "status.parts" + Numbers({parts});
    for (int i = 0; i < parts; ++i) {
        const auto length =
            LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        report += "status.text " + std::to_string(i) + " " + Utf8(text) + "\n";
    }
    return report + AboutReport(window);
}

}  // namespace ui::win32
