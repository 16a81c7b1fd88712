#pragma once
// A list-view control that its owner makes and sees the messages of first, destroyed with
// its owner; and the keys as the lists' keyboard rules know them.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "ui/shared/ListKeys.h"
#include "ui/win32/Subclassed.h"

namespace ui::win32 {

class ListView {
public:
    ListView() = default;
    ~ListView() { Destroy(); }
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    // Creates the control (hidden: the view shows it with its screen) as child `id` of
    // `parent`, its messages seen first by `handler`; false when it cannot be made.
    bool Create(HWND parent, int id, DWORD style, MessageHook::Handler handler);
    HWND Window() const { return window_; }
    // Destroys the control now: its owner calls it while it can still answer the notifications
    // the destruction sends.
    void Destroy();
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return window_ ? ::SendMessageW(window_, message, wParam, lParam) : 0;
    }
    // Left and Right scroll the list across, as the list-view's own handling would not do in
    // every view without moving its focus; false for any other key.
    bool ScrollAcross(WPARAM virtualKey) const;
    // The control's own handling of a message its owner took.
    LRESULT Pass(UINT message, WPARAM wParam, LPARAM lParam) {
        return hook_ ? hook_->Pass(message, wParam, lParam) : 0;
    }

private:
    HWND window_ = nullptr;
    std::unique_ptr<MessageHook> hook_;
};

// A virtual key as the lists' keyboard rules know it.
shared::ListKey ListKeyOf(WPARAM virtualKey);
// Whether a list answers the key itself (its rules' keys, Left and Right): the list-view's
// own keys would select rows.
bool IsListKey(WPARAM virtualKey);

}  // namespace ui::win32
