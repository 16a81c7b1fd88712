#pragma once
// The engine's host over Win32: pumping hands the pending window messages to their windows,
// message boxes are MessageBoxW owned by the frame, and the wait cursor shows over the frame
// while any wait is on (the frame asks ShowsWaitCursor when the mouse moves).
// The engine's headers come before <windows.h>, whose macros they must not see.
#include "ui/shared/ViewHost.h"

#include <windows.h>
// The engine host's MessageBox is a member of that name, not the A/W macro.
#undef MessageBox

#include <functional>

namespace ui::win32 {

class GuiHost final : public ui::shared::ViewHost {
public:
    // A message the view handles before it is dispatched (its keyboard); true when it did.
    using PreTranslate = std::function<bool(MSG& message)>;

    explicit GuiHost(HWND owner) : owner_(owner) {}
    ~GuiHost() override { EndAllWaits(); }
    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    void SetPreTranslate(PreTranslate preTranslate) { preTranslate_ = std::move(preTranslate); }
    // Whether the frame and the view show the wait cursor: while a wait is on and no message
    // box is up.
    bool ShowsWaitCursor() const { return WaitDepth() > 0 && boxes_ == 0; }

private:
    void PumpEvents() override;
    engine::Answer ShowMessageBox(const std::string& text, const std::string& caption,
                                  engine::BoxStyle style) override;
    void PushWaitCursor() override;
    void PopWaitCursor() override;

    HWND owner_;
    PreTranslate preTranslate_;
    int boxes_ = 0;  // message boxes up
};

}  // namespace ui::win32
