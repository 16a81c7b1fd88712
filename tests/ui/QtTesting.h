#pragma once
// Helpers for the widget tests: the application object (created once, offscreen), mouse
// events delivered straight to a widget, and rendering a widget to a PNG file.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class CDrennowApp;
class QWidget;

namespace uitest {

// The test program's one application object.
CDrennowApp& App();

// Delivers a mouse event of `type` at `pos` (widget coordinates) synchronously.
void Mouse(QWidget* widget, int type, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
           Qt::MouseButtons held = Qt::NoButton);
void Press(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void Release(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void Click(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void DoubleClick(QWidget* widget, QPoint pos);
void Move(QWidget* widget, QPoint pos, Qt::MouseButtons held = Qt::NoButton);
void Enter(QWidget* widget, QPoint pos);
void Leave(QWidget* widget);

// Renders the widget, writes it as `name`.png into `folder` and returns the image read back
// from that file, so what is checked is what was written. With DRENNOW_UI_RENDER_DIR set,
// a copy also goes there, to look at.
QImage RenderToPng(QWidget* widget, const QTemporaryDir& folder, const QString& name);

// Whether a pixel is close to a colour (anti-aliased edges, font rendering).
bool Near(QRgb pixel, const QColor& colour, int tolerance = 24);
bool IsReddish(QRgb pixel);
bool IsGreenish(QRgb pixel);

// Columns of `image` in row range [top, bottom) that hold any pixel darker than `limit`
// (text ink): the first and last such column, or -1 when none.
int FirstInkColumn(const QImage& image, int top, int bottom, int limit = 128);
int LastInkColumn(const QImage& image, int top, int bottom, int limit = 128);

}  // namespace uitest
