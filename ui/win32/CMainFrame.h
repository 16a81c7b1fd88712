#pragma once
// The main frame: 780 x 570 centred on the primary screen (opened maximised), never smaller
// than 640 x 500, with a status bar of the message pane and the CAP, NUM and SCRL indicators,
// and no menu bar.
#include <windows.h>

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

    // Where a window of the frame's size stands centred on a screen of this size (integer
    // division truncates toward zero, also for a screen smaller than the window).
    static RECT CreationRect(int screenWidth, int screenHeight);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateStatusBar();
    void LayOutStatusBar();
    void RefreshIndicators();

    HWND window_ = nullptr;     // destroyed with the frame
    HWND statusBar_ = nullptr;  // a child of the frame
};

}  // namespace ui::win32
