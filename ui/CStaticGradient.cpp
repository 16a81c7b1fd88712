#include "ui/CStaticGradient.h"

#include <QLinearGradient>
#include <QPainter>

CStaticGradient::CStaticGradient(QWidget* parent) : QWidget(parent) {
    // The system colours of a title bar: highlight to window background, highlighted text.
    const QPalette& colours = palette();
    startColour = colours.color(QPalette::Active, QPalette::Highlight);
    endColour = colours.color(QPalette::Active, QPalette::Button);
    textColour = colours.color(QPalette::Active, QPalette::HighlightedText);
}

void CStaticGradient::setText(const QString& text) {
    text_ = text;
    update();
}

void CStaticGradient::PaintStrips(QPainter& painter, const QRect& area, const QColor& start,
                                  const QColor& end) {
    constexpr int kStrips = 255;
    const int left = area.x();
    const double step = static_cast<double>(area.width()) / kStrips;
    auto channel = [](int from, int to, int i) { return from + (to - from) * i / kStrips; };
    for (int i = 0; i < kStrips; ++i) {
        const int x0 = left + static_cast<int>(i * step);
        const int x1 = left + static_cast<int>((i + 1) * step);
        if (x1 <= x0) continue;
        const QColor colour(channel(start.red(), end.red(), i),
                            channel(start.green(), end.green(), i),
                            channel(start.blue(), end.blue(), i));
        painter.fillRect(QRect(x0, area.y(), x1 - x0, area.height()), colour);
    }
}

void CStaticGradient::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    if (gradientAvailable) {
        QLinearGradient gradient(area.left(), 0, area.left() + area.width(), 0);
        gradient.setColorAt(0, startColour);
        gradient.setColorAt(1, endColour);
        painter.fillRect(area, gradient);
    } else {
        PaintStrips(painter, area, startColour, endColour);
    }

    painter.setPen(textColour);
    painter.setFont(font());
    QRect textArea = area;
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    if (alignment == 1) {
        flags |= Qt::AlignHCenter;
    } else if (alignment == 0) {
        textArea.setLeft(textArea.left() + margin);
        flags |= Qt::AlignLeft;
    } else {
        textArea.setRight(textArea.right() - margin);
        flags |= Qt::AlignRight;
    }
    painter.drawText(textArea, flags, text_);
}
