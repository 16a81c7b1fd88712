#pragma once
// A static control showing one of the program's pictures in its top-left corner, on its
// parent's background; with SS_NOTIFY its clicks reach the parent (a double-click's second
// press is not a click). The picture stays this object's, whatever the control does.
#include "ui/win32/Handles.h"
#include "ui/win32/Subclassed.h"

namespace ui::win32 {

class StaticPicture final : public Subclassed {
public:
    explicit StaticPicture(HWND label) : Subclassed(label) {}

    // Shows picture `id` (none when it cannot be read) and repaints.
    void SetPicture(int id);
    int Picture() const { return picture_; }

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    OwnedBitmap bitmap_;
    int picture_ = 0;
};

}  // namespace ui::win32
