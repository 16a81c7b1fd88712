#pragma once
// A control window of the system's classes whose messages this object sees first (comctl32's
// window subclassing), for as long as both live.
#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

namespace ui::win32 {

class Subclassed {
public:
    explicit Subclassed(HWND window);
    virtual ~Subclassed();
    Subclassed(const Subclassed&) = delete;
    Subclassed& operator=(const Subclassed&) = delete;

    HWND Window() const { return window_; }

protected:
    // A result ends the message here; none passes it on to the control's own handling.
    virtual std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Repaints the whole control, background erased.
    void Invalidate() { ::InvalidateRect(window_, nullptr, TRUE); }
    // Asks for WM_MOUSELEAVE when the mouse next leaves the control.
    void TrackLeave();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    HWND window_;
};

// The messages of a control made by its owner after the owner itself, seen first by the
// owner's function.
class MessageHook final : public Subclassed {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;
    MessageHook(HWND window, Handler handler) : Subclassed(window), handler_(std::move(handler)) {}
    // The control's own handling of a message.
    LRESULT Pass(UINT message, WPARAM wParam, LPARAM lParam) {
        return Default(message, wParam, lParam);
    }

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        return handler_(message, wParam, lParam);
    }
    Handler handler_;
};

}  // namespace ui::win32
