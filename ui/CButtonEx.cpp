#include "ui/CButtonEx.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/KeyboardFocus.h"
#include "ui/Pictures.h"
#include "ui/Index.h"

CButtonEx::CButtonEx(QWidget* parent) : QAbstractButton(parent) {
    // Moves must arrive without a pressed button: the first one lights the face.
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    // Reached with Tab (a click does not move the focus); Space or Enter presses it.
    setFocusPolicy(Qt::TabFocus);
}

void CButtonEx::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    // An arrow key would move the focus to the next button, where Space then presses it:
    // arrows move within a list, Tab between controls.
    if (ui::IsArrowKey(event->key())) return;
    QAbstractButton::keyPressEvent(event);
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
        const QPixmap& face = bitmaps_[ui::Index(state_)];
        if (!face.isNull()) painter.drawPixmap(0, 0, face);
        if (hasFocus()) {
            // The dotted focus rectangle inside the face, as a focused push button has it.
            painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
            painter.drawRect(QRect(3, 3, width() - 7, height() - 7));
        }
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
