#pragma once
// The plain controls of the main view: text labels on the view's white background, a
// clickable picture, and a grey rectangle.
#include <QLabel>
#include <QWidget>

namespace ui {

// A text label as the view shows its static texts: dark grey text on white, from the top
// edge, never read as rich text (key names may look like markup).
class StaticText : public QLabel {
    Q_OBJECT
public:
    // `alignment` is Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter; `wrap` breaks long
    // texts at word boundaries, otherwise they are clipped.
    StaticText(const QString& text, Qt::Alignment alignment, bool wrap, QWidget* parent);
};

// A picture label that reports a click on the first press; the second press of a
// double-click is not a click.
class StaticPicture : public QLabel {
    Q_OBJECT
public:
    explicit StaticPicture(QWidget* parent);
    // Shows the bitmap with this resource number.
    void SetBitmap(int id);
    int Bitmap() const { return bitmap_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int bitmap_ = 0;
};

// A rectangle filled with the three-dimensional shadow colour.
class GreyRect : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb kColour = 0xFFA0A0A0;
    explicit GreyRect(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
