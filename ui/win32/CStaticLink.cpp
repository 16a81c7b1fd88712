#include "ui/win32/CStaticLink.h"

#include <string>

#include "ui/win32/Text.h"

#include "ui/win32/Background.h"
#include "ui/win32/Pictures.h"

namespace ui::win32 {

CStaticLink::CStaticLink(HWND label) : Subclassed(label), hand_(LoadHandCursor()) {}

void CStaticLink::SetFontStyle(HFONT font, int variant, int alignmentCode) {
    for (OwnedFont& owned : fonts_) owned.Reset();
    LOGFONTW base{};
    if (font && ::GetObjectW(font, sizeof base, &base) == sizeof base) {
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            LOGFONTW variantFont = base;
            if (i == 1 || i == 4 || i == 5) variantFont.lfUnderline = TRUE;
            if (i == 2 || i == 4) variantFont.lfWeight = 800;
            if (i == 3 || i == 5) variantFont.lfItalic = TRUE;
            fonts_[i].Reset(::CreateFontIndirectW(&variantFont));
        }
    }
    variant_ = variant;
    if (alignmentCode == 0) textAlignment_ = TA_LEFT;
    else if (alignmentCode == 1) textAlignment_ = TA_CENTER;
    else if (alignmentCode == 2) textAlignment_ = TA_RIGHT;
    Invalidate();
}

std::optional<LRESULT> CStaticLink::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (linkActive && !handShown_) {
            handShown_ = true;
            ::SetCursor(hand_.get());
            TrackLeave();
        }
        return Default(message, wParam, lParam);
    case WM_MOUSELEAVE:
        if (linkActive && handShown_) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            handShown_ = false;
        }
        return 1;
    // The system would put the class cursor back over the label.
    case WM_SETCURSOR: return TRUE;
    case WM_ERASEBKGND: return 1;  // the paint fills the background
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); return Default(message, wParam, lParam);
    case WM_PAINT: Paint(); return 0;
    default: return std::nullopt;
    }
}

void CStaticLink::Paint() {
    Painting painting(Window());
    HDC dc = painting.dc();
    // A new text (a count going from 10 to 9) must not leave the old one behind.
    FillParentBackground(Window(), dc);
    const bool known = variant_ >= 0 && variant_ < static_cast<int>(fonts_.size());
    Selected selected(dc, known ? fonts_[static_cast<std::size_t>(variant_)].get() : nullptr);
    ::SetTextAlign(dc, textAlignment_);
    ::SetTextColor(dc, colour_);
    ::SetBkMode(dc, TRANSPARENT);
    RECT area{};
    ::GetClientRect(Window(), &area);
    const std::wstring text = WindowText(Window());
    int x = 0;
    if (textAlignment_ == TA_LEFT) x = area.left;
    else if (textAlignment_ == TA_CENTER) x = (area.left + area.right) / 2;
    else if (textAlignment_ == TA_RIGHT) x = area.right;
    else return;
    ::TextOutW(dc, x, area.top, text.c_str(), static_cast<int>(text.size()));
    if (::GetFocus() != Window()) return;
    // Reached with Tab: a dotted rectangle around the text.
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int left = x;
    if (textAlignment_ == TA_CENTER) left = x - size.cx / 2;
    else if (textAlignment_ == TA_RIGHT) left = x - size.cx;
    const RECT around{left - 1, area.top, left + size.cx + 1, area.top + size.cy};
    ::DrawFocusRect(dc, &around);
}

}  // namespace ui::win32
