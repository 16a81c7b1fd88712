#pragma once
// The program's pictures from its resources (ui/res/*.png), by resource number.
#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace ui {

// The bitmap with this number at its own size; a null pixmap when there is none.
QPixmap LoadBitmap(int id);
// The hand cursor (resource 137), hot spot at the finger tip.
QCursor HandCursor();
// The application icon (resource 128) in all its sizes.
QIcon ApplicationIcon();

}  // namespace ui
