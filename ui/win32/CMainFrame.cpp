#include "ui/win32/CMainFrame.h"

#include <commctrl.h>

#include <array>

#include "ui/res/Layouts.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/Handles.h"
#include "ui/win32/OwnedWindow.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

constexpr const wchar_t* kFrameClass = L"NorlixDrennowFrame";
constexpr UINT_PTR kIndicatorTimer = 1;
// The lock keys change outside the program too: they are looked at a few times a second.
constexpr UINT kIndicatorInterval = 250;

struct Indicator {
    int key;
    const char* text;
};
constexpr std::array<Indicator, 3> kIndicators = {{{VK_CAPITAL, text::kIndicatorCaps},
                                                   {VK_NUMLOCK, text::kIndicatorNum},
                                                   {VK_SCROLL, text::kIndicatorScroll}}};

}  // namespace

CMainFrame::~CMainFrame() {
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
}

RECT CMainFrame::CreationRect(int screenWidth, int screenHeight) {
    const int x = (screenWidth - res::kFrameWidth) / 2;
    const int y = (screenHeight - res::kFrameHeight) / 2;
    return {x, y, x + res::kFrameWidth, y + res::kFrameHeight};
}

bool CMainFrame::Create() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterOwnedClass<CMainFrame>(kFrameClass,
                                   ::LoadIconW(instance, MAKEINTRESOURCEW(res::kIconApplication)),
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    const RECT place =
        CreationRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    window_ = ::CreateWindowExW(0, kFrameClass, Wide(text::kAppName).c_str(), WS_OVERLAPPEDWINDOW,
                                place.left, place.top, place.right - place.left,
                                place.bottom - place.top, nullptr, nullptr, instance, this);
    return window_ != nullptr && statusBar_ != nullptr;
}

bool CMainFrame::CreateStatusBar() {
    statusBar_ = ::CreateWindowExW(0, STATUSCLASSNAMEW, Wide(text::kIdleMessage).c_str(),
                                   WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(res::kStatusBar)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!statusBar_) return false;
    LayOutStatusBar();
    // Set once: a resize lays the panes out again and keeps what the message pane shows.
    ::SendMessageW(statusBar_, SB_SETTEXTW, 0,
                   reinterpret_cast<LPARAM>(Wide(text::kIdleMessage).c_str()));
    RefreshIndicators();
    ::SetTimer(window_, kIndicatorTimer, kIndicatorInterval, nullptr);
    return true;
}

void CMainFrame::SetView(HWND view) {
    view_ = view;
    LayOutView();
}

void CMainFrame::LayOutView() {
    if (!view_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    RECT bar{};
    if (statusBar_ && ::IsWindowVisible(statusBar_)) ::GetWindowRect(statusBar_, &bar);
    ::MoveWindow(view_, 0, 0, client.right, client.bottom - (bar.bottom - bar.top), TRUE);
}

void CMainFrame::SetCloseEnabled(bool enabled) {
    closeEnabled_ = enabled;
    // The reason a close was refused goes with the scan.
    if (enabled && closeRefused_)
        ::SendMessageW(statusBar_, SB_SETTEXTW, 0,
                       reinterpret_cast<LPARAM>(Wide(text::kIdleMessage).c_str()));
    closeRefused_ = false;
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    ::EnableMenuItem(::GetSystemMenu(window_, FALSE), SC_CLOSE, MF_BYCOMMAND | state);
}

void CMainFrame::LayOutStatusBar() {
    ::SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT client{};
    ::GetClientRect(statusBar_, &client);
    // Each indicator is as wide as its text, with room for the pane's sunken border.
    HDC dc = ::GetDC(statusBar_);
    std::array<int, kIndicators.size()> widths{};
    int total = 0;
    {
        Selected font(dc, reinterpret_cast<HFONT>(::SendMessageW(statusBar_, WM_GETFONT, 0, 0)));
        for (std::size_t i = 0; i < kIndicators.size(); ++i) {
            const std::wstring text = Wide(kIndicators[i].text);
            SIZE size{};
            ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            widths[i] = size.cx + 12;
            total += widths[i];
        }
    }
    ::ReleaseDC(statusBar_, dc);
    // The size grip takes the bar's height at the right.
    int right = client.right - (client.bottom - client.top);
    std::array<int, kIndicators.size() + 1> edges{};
    edges[0] = right - total;
    for (std::size_t i = 0; i < kIndicators.size(); ++i) edges[i + 1] = edges[i] + widths[i];
    edges.back() = -1;
    ::SendMessageW(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CMainFrame::RefreshIndicators() {
    for (std::size_t i = 0; i < kIndicators.size(); ++i) {
        const bool on = (::GetKeyState(kIndicators[i].key) & 1) != 0;
        const std::wstring text = on ? Wide(kIndicators[i].text) : std::wstring();
        ::SendMessageW(statusBar_, SB_SETTEXTW, i + 1, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

LRESULT CMainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return CreateStatusBar() ? 0 : -1;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {res::kFrameMinWidth, res::kFrameMinHeight};
        return 0;
    }
    case WM_SIZE:
        if (statusBar_) LayOutStatusBar();
        LayOutView();
        return 0;
    case WM_CLOSE:
        // A window manager that ignores the grey close box still asks.
        if (!closeEnabled_) {
            closeRefused_ = true;
            ::SendMessageW(statusBar_, SB_SETTEXTW, 0,
                           reinterpret_cast<LPARAM>(Wide(text::kCloseDuringScan).c_str()));
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (showsWaitCursor && showsWaitCursor()) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // The keyboard comes back to where it was when the frame is active again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(window_, focus)) focus_ = focus;
        }
        break;
    // The frame's commands are the view's (a test script posts them to the frame).
    case WM_COMMAND:
        if (view_) return ::SendMessageW(view_, message, wParam, lParam);
        break;
    case WM_SETFOCUS:
        if (focus_ && ::IsWindow(focus_) && ::IsWindowVisible(focus_)) ::SetFocus(focus_);
        else if (view_) ::SetFocus(view_);
        return 0;
    case WM_TIMER:
        if (wParam == kIndicatorTimer) RefreshIndicators();
        return 0;
    case WM_KEYDOWN: RefreshIndicators(); break;
    case WM_DESTROY:
        ::KillTimer(window_, kIndicatorTimer);
        ::PostQuitMessage(0);
        return 0;
    default: break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void CMainFrame::Detach() {
    window_ = nullptr;
    statusBar_ = nullptr;
    view_ = nullptr;
}

}  // namespace ui::win32
