#pragma once
// A text label in one of six variants of a font, in its own colour and alignment, with the
// hand cursor over it while it is an active link. Clicks reach the parent as the static's
// own notification (SS_NOTIFY).
#include <array>

#include "ui/win32/Handles.h"
#include "ui/win32/Subclassed.h"

namespace ui::win32 {

class CStaticLink final : public Subclassed {
public:
    explicit CStaticLink(HWND label);

    // The text colour, shown from the next paint.
    void SetColor(COLORREF colour) { colour_ = colour; }
    // Makes the six variants of `font` (none: no variants), picks `variant` (0 as given,
    // 1 underlined, 2 bold, 3 italic, 4 bold underlined, 5 italic underlined) and the alignment
    // (0 left, 1 centre, 2 right; any other code keeps the alignment), and repaints.
    void SetFontStyle(HFONT font, int variant, int alignmentCode);
    // True: the hand shows while the mouse is over the label.
    bool linkActive = false;
    UINT TextAlignment() const { return textAlignment_; }

private:
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    int variant_ = 0;
    COLORREF colour_ = RGB(0, 0, 0);
    UINT textAlignment_ = TA_LEFT;
    std::array<OwnedFont, 6> fonts_;
    bool handShown_ = false;
    OwnedCursor hand_;
};

}  // namespace ui::win32
