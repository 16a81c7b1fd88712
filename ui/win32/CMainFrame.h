#pragma once
// The main frame: 780 x 570 centred on the primary screen (opened maximised), never smaller
// than 640 x 500, with a status bar of the message pane and the CAP, NUM and SCRL indicators,
// and no menu bar.
#include <windows.h>

#include <functional>

namespace ui::win32 {

class CMainFrame {
public:
    CMainFrame() = default;
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Creates the window (not shown); false when it or its status bar cannot be made.
    bool Create();
    HWND Window() const { return window_; }
    HWND StatusBar() const { return statusBar_; }

    // Makes `view` (a child of the frame) its working surface: it fills the client area above
    // the status bar and takes the keyboard when the frame does.
    void SetView(HWND view);
    // While disabled (a scan runs) the close box and the window menu's Close are grey and the
    // window refuses to close, saying why in the status bar.
    void SetCloseEnabled(bool enabled);
    bool CloseEnabled() const { return closeEnabled_; }
    // Asked when the mouse moves over the frame or its children: true shows the wait cursor.
    std::function<bool()> showsWaitCursor;

    // Where a window of the frame's size stands centred on a screen of this size (integer
    // division truncates toward zero, also for a screen smaller than the window).
    static RECT CreationRect(int screenWidth, int screenHeight);

private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window) { window_ = window; }
    void Detach();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateStatusBar();
    void LayOutStatusBar();
    void LayOutView();
    void RefreshIndicators();

    HWND window_ = nullptr;     // destroyed with the frame
    HWND statusBar_ = nullptr;  // a child of the frame
    HWND view_ = nullptr;       // a child of the frame
    HWND focus_ = nullptr;      // the control that had the keyboard when the frame lost it
    bool closeEnabled_ = true;
    bool closeRefused_ = false;  // the status bar says why
};

}  // namespace ui::win32
