#include "ui/win32/CStaticGradient.h"

#include <string>

#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

// Without GradientFill the gradient is 255 strips: strip i starts at GradientStrip(width, i)
// and ends where strip i + 1 starts (a label narrower than 255 pixels has strips of no width),
// and each colour channel is GradientChannel(start, end, i), so the last strip is one step
// short of the end colour.
constexpr int kStrips = 255;

int GradientStrip(int width, int i) {
    const double step = static_cast<double>(width) / kStrips;
    return static_cast<int>(i * step);
}

int GradientChannel(int start, int end, int i) { return start + (end - start) * i / kStrips; }

}  // namespace

CStaticGradient::CStaticGradient(HWND label)
    : Subclassed(label), startColour(::GetSysColor(COLOR_ACTIVECAPTION)),
      endColour(::GetSysColor(COLOR_BTNFACE)), textColour(::GetSysColor(COLOR_CAPTIONTEXT)),
      library_(::LoadLibraryW(L"msimg32.dll")) {
    if (library_)
        gradient_ = reinterpret_cast<GradientFillRoutine>(
            reinterpret_cast<void*>(::GetProcAddress(library_.get(), "GradientFill")));
}

std::optional<LRESULT> CStaticGradient::Handle(UINT message, WPARAM, LPARAM) {
    if (message != WM_PAINT) return std::nullopt;
    Paint();
    return 0;
}

void CStaticGradient::Paint() {
    Painting painting(Window());
    HDC dc = painting.dc();
    RECT area{};
    ::GetClientRect(Window(), &area);
    if (gradient_) {
        auto channel = [](BYTE value) { return static_cast<COLOR16>(value << 8); };
        TRIVERTEX vertices[2] = {
            {area.left, area.top, channel(GetRValue(startColour)), channel(GetGValue(startColour)),
             channel(GetBValue(startColour)), 0},
            {area.right, area.bottom, channel(GetRValue(endColour)), channel(GetGValue(endColour)),
             channel(GetBValue(endColour)), 0}};
        GRADIENT_RECT rect{0, 1};
        gradient_(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    } else {
        PaintStrips(dc, area);
    }

    ::SetTextColor(dc, textColour);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(Window(), WM_GETFONT, 0, 0));
    Selected selected(dc, font);
    const std::wstring text = WindowText(Window());
    ::SetBkMode(dc, TRANSPARENT);
    UINT format = DT_VCENTER | DT_SINGLELINE;
    if (alignment == kCentre) {
        format |= DT_CENTER;
    } else if (alignment == kLeft) {
        area.left += margin;
        format |= DT_LEFT;
    } else {
        area.right -= margin;
        format |= DT_RIGHT;
    }
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

void CStaticGradient::PaintStrips(HDC dc, const RECT& area) const {
    const int width = area.right - area.left;
    for (int i = 0; i < kStrips; ++i) {
        const COLORREF colour =
            RGB(GradientChannel(GetRValue(startColour), GetRValue(endColour), i),
                GradientChannel(GetGValue(startColour), GetGValue(endColour), i),
                GradientChannel(GetBValue(startColour), GetBValue(endColour), i));
        OwnedBrush brush(::CreateSolidBrush(colour));
        const RECT strip{area.left + GradientStrip(width, i), area.top,
                         area.left + GradientStrip(width, i + 1), area.bottom};
        ::FillRect(dc, &strip, brush.get());
    }
}

}  // namespace ui::win32
