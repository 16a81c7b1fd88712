#pragma once
// Dialog units to pixels with the base units of "MS Shell Dlg" 8 pt at 96 dpi: 6 x 13 pixels,
// so one unit is 1.5 px across and 1.625 px down. Rounded as MulDiv rounds (half away from
// zero), as the dialog manager does.
#include <QRect>
#include <QSize>

namespace ui {

inline constexpr int kDialogBaseX = 6;
inline constexpr int kDialogBaseY = 13;

constexpr int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}
constexpr int DluToPixelsX(int units) { return MulDiv(units, kDialogBaseX, 4); }
constexpr int DluToPixelsY(int units) { return MulDiv(units, kDialogBaseY, 8); }

// A dialog-template rectangle (x, y, width, height in dialog units) in pixels.
inline QRect DluRect(int x, int y, int width, int height) {
    return QRect(DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(width), DluToPixelsY(height));
}

// The client area of a dialog whose window, frame and caption included, is `window` pixels:
// the sizes the dialogs are given are those of a modal frame on Windows (3 pixel borders, a
// 23 pixel caption), so their controls end where the window does, without a band below.
inline constexpr int kDialogBorder = 3;
inline constexpr int kDialogCaption = 23;
constexpr QSize ClientOfWindow(int width, int height) {
    return {width - 2 * kDialogBorder, height - 2 * kDialogBorder - kDialogCaption};
}

}  // namespace ui
