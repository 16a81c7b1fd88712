#pragma once
// A push button drawn from three pictures: normal, mouse over, pressed. Its window must have
// BS_OWNERDRAW, so that the button's own drawing between two paints shows nothing of its own.
#include <array>

#include "ui/win32/Handles.h"
#include "ui/win32/Subclassed.h"

namespace ui::win32 {

class CButtonEx final : public Subclassed {
public:
    enum State { kNormal = 0, kOver = 1, kPressed = 2 };

    explicit CButtonEx(HWND button) : Subclassed(button) {}

    // Loads the three pictures (replacing any given before) and repaints.
    void SetBitmaps(int normal, int over, int pressed);
    // True: the face is drawn from the pictures; false: the window text in black at (0, 0).
    bool bitmapMode = false;
    int GetState() const { return state_; }

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    bool tracking_ = false;
    std::array<OwnedBitmap, 3> bitmaps_;
    int state_ = kNormal;
};

}  // namespace ui::win32
