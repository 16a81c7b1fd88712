#include "ui/CButtonEx.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Pictures.h"

CButtonEx::CButtonEx(QWidget* parent) : QAbstractButton(parent) {
    // Moves must arrive without a pressed button: the first one lights the face.
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
}

void CButtonEx::SetBitmaps(quint16 normal, quint16 over, quint16 pressed) {
    bitmaps_ = {ui::LoadBitmap(normal), ui::LoadBitmap(over), ui::LoadBitmap(pressed)};
    update();
}

QSize CButtonEx::sizeHint() const {
    if (bitmapMode && !bitmaps_[kNormal].isNull()) return bitmaps_[kNormal].size();
    return fontMetrics().size(Qt::TextSingleLine, text());
}

void CButtonEx::SetState(int state) {
    state_ = state;
    update();
}

void CButtonEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (bitmapMode) {
        // Never stretched: a larger button shows the picture in its top-left corner.
        const QPixmap& face = bitmaps_[state_];
        if (!face.isNull()) painter.drawPixmap(0, 0, face);
        return;
    }
    // The plain window text, as written (an ampersand is not a mnemonic here).
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, width(), height()), Qt::AlignLeft | Qt::AlignTop, text());
}

void CButtonEx::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) {
        tracking_ = true;
        SetState(kOver);
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CButtonEx::leaveEvent(QEvent* event) {
    if (tracking_) {
        tracking_ = false;
        SetState(kNormal);
    }
    QAbstractButton::leaveEvent(event);
}

void CButtonEx::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SetState(kPressed);
    QAbstractButton::mousePressEvent(event);
}

void CButtonEx::mouseReleaseEvent(QMouseEvent* event) {
    // Back to normal even while the mouse stays over the button: it lights again only after
    // leaving and coming back. The base class sends the click only when released over it.
    if (event->button() == Qt::LeftButton) SetState(kNormal);
    QAbstractButton::mouseReleaseEvent(event);
}
