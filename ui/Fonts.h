#pragma once
// The program's fonts: Tahoma where it is installed (Wine ships one), else DejaVu Sans.
#include <QFont>

namespace ui {

// A font whose line height (ascent plus descent) is at most `cellHeight` pixels, as a
// Windows font of that positive height; `weight` on the Windows scale (400 normal, 700 bold).
// A nonzero `averageWidth` narrows (or widens) the letters to about that many pixels on
// average, as a Windows font of that width: the layouts count on it.
QFont UiFont(int cellHeight, int weight = 400, int averageWidth = 0);

// The dialogs' font, "MS Shell Dlg" 8 pt at 96 dpi: a 13-pixel cell, about 6 pixels wide on
// average.
inline QFont DialogFont() { return UiFont(13, 400, 6); }

// The family UiFont uses.
QString UiFontFamily();

}  // namespace ui
