#include "ui/ViewControls.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Pictures.h"

namespace ui {

StaticText::StaticText(const QString& text, Qt::Alignment alignment, bool wrap, QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(alignment | Qt::AlignTop);
    setWordWrap(wrap);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, QColor(50, 50, 50));
    setPalette(colours);
    setText(text);
}

StaticPicture::StaticPicture(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void StaticPicture::SetBitmap(int id) {
    bitmap_ = id;
    setPixmap(LoadBitmap(id));
}

void StaticPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
}

void StaticPicture::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

GreyRect::GreyRect(QWidget* parent) : QWidget(parent) {}

void GreyRect::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(kColour));
}

}  // namespace ui
