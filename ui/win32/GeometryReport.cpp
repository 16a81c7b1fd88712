#include "ui/win32/GeometryReport.h"

#include <commctrl.h>

#include "ui/res/Layouts.h"
#include "ui/win32/CDialogAbout.h"
#include "ui/win32/DialogSamples.h"
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

// A dialog's client size, base units, caption and system menu, and each control's place,
// text and whether it is enabled and shown, its lines starting with `name`.
std::string DialogReport(const std::string& name, HWND box, const res::DialogTemplate& layout) {
    std::string report;
    RECT client{};
    ::GetClientRect(box, &client);
    report += name + ".client" + Numbers({client.right, client.bottom});
    RECT units{0, 0, 4, 8};
    ::MapDialogRect(box, &units);
    report += name + ".baseunits" + Numbers({units.right, units.bottom});
    report += name + ".caption " + Utf8(WindowText(box)) + "\n";
    report +=
        name + ".sysmenu" + Numbers({(::GetWindowLongPtrW(box, GWL_STYLE) & WS_SYSMENU) ? 1 : 0});
    for (const res::ControlTemplate& control : layout.controls) {
        HWND item = ::GetDlgItem(box, control.id);
        if (!item) continue;
        RECT place{};
        ::GetWindowRect(item, &place);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
        report += name + ".control" +
                  Numbers({control.id, place.left, place.top, place.right - place.left,
                           place.bottom - place.top});
        report +=
            name + ".text " + std::to_string(control.id) + " " + Utf8(WindowText(item)) + "\n";
        report += name + ".state" +
                  Numbers({control.id, ::IsWindowEnabled(item) ? 1 : 0,
                           (::GetWindowLongPtrW(item, GWL_STYLE) & WS_VISIBLE) ? 1 : 0});
    }
    return report;
}

std::string AboutReport(HWND owner) {
    CDialogAbout about;
    HWND box = about.CreateHidden(owner);
    if (!box) return "about missing\n";
    std::string report = DialogReport("about", box, res::kAboutDialog);
    ::DestroyWindow(box);
    return report;
}

std::string DialogsReport(HWND owner) {
    std::string report;
    ForEachDialog(owner,
                  [&report](const char* name, HWND dialog, const res::DialogTemplate& layout) {
                      report += DialogReport(name, dialog, layout);
                  });
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
    return report + AboutReport(window) + DialogsReport(window);
}

}  // namespace ui::win32
