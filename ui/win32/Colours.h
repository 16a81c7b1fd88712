#pragma once
// The shared layer's colours as the GDI takes them.
#include <windows.h>

#include "ui/shared/Colours.h"

namespace ui::win32 {

inline COLORREF ColourOf(ui::shared::Rgb rgb) {
    return RGB(static_cast<BYTE>(rgb.red), static_cast<BYTE>(rgb.green),
               static_cast<BYTE>(rgb.blue));
}

}  // namespace ui::win32
