#pragma once
// A caption label painted on a horizontal colour gradient.
#include <QColor>
#include <QWidget>

class CStaticGradient : public QWidget {
    Q_OBJECT
public:
    explicit CStaticGradient(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }

    // The owner may change these before the label paints.
    int margin = 10;     // inset of left- or right-aligned text
    QColor startColour;  // left edge; the active caption colour
    QColor endColour;    // right edge; the button face colour
    QColor textColour;   // the caption text colour
    int alignment = 0;   // 0 left, 1 centred, any other value right
    // Whether the smooth gradient is drawn; without it, 255 flat strips approximate it.
    bool gradientAvailable = true;

    // Fills `area` with 255 vertical strips from `start` to `end`, the last strip one step
    // short of `end`. Strips of a narrow area may have zero width.
    static void PaintStrips(class QPainter& painter, const QRect& area, const QColor& start,
                            const QColor& end);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};
