#include "ui/CStaticLink.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/Pictures.h"
#include "ui/Index.h"

CStaticLink::CStaticLink(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void CStaticLink::setText(const QString& text) {
    text_ = text;
    update();
}

void CStaticLink::SetColor(const QColor& colour) { colour_ = colour; }

void CStaticLink::SetFontStyle(const QFont* font, int variant, int alignmentCode) {
    for (auto& f : fonts_) f.reset();
    if (font) {
        for (int i = 0; i < 6; ++i) {
            QFont copy = *font;
            if (i == 1 || i == 4 || i == 5) copy.setUnderline(true);
            if (i == 2 || i == 4) copy.setWeight(QFont::ExtraBold);
            if (i == 3 || i == 5) copy.setItalic(true);
            fonts_[ui::Index(i)] = copy;
        }
    }
    variant_ = variant;
    switch (alignmentCode) {
    case 0: textAlignment_ = kAlignLeft; break;
    case 1: textAlignment_ = kAlignCentre; break;
    case 2: textAlignment_ = kAlignRight; break;
    default: break;
    }
    update();
}

const QFont* CStaticLink::VariantFont(int variant) const {
    if (variant < 0 || variant >= static_cast<int>(fonts_.size()) || !fonts_[ui::Index(variant)])
        return nullptr;
    return &*fonts_[ui::Index(variant)];
}

void CStaticLink::SetLinkActive(bool active) {
    linkActive_ = active;
    setFocusPolicy(active && notify_ ? Qt::TabFocus : Qt::NoFocus);
    if (!active && handShown_) {
        unsetCursor();
        handShown_ = false;
    }
}

void CStaticLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (const QFont* f = VariantFont(variant_)) painter.setFont(*f);
    else painter.setFont(font());
    painter.setPen(colour_);
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text_);
    int x = 0;
    switch (textAlignment_) {
    case kAlignLeft: x = 0; break;
    case kAlignCentre: x = this->width() / 2 - width / 2; break;
    case kAlignRight: x = this->width() - width; break;
    default: return;
    }
    // One line from the top edge, as TextOut writes it.
    painter.drawText(QPoint(x, metrics.ascent()), text_);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(QRect(x - 1, 0, width + 1, metrics.height() - 1));
    }
}

void CStaticLink::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (notify_ && linkActive_ &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CStaticLink::mouseMoveEvent(QMouseEvent* event) {
    if (linkActive_ && !handShown_) {
        handShown_ = true;
        setCursor(ui::HandCursor());
    }
    QWidget::mouseMoveEvent(event);
}

void CStaticLink::leaveEvent(QEvent* event) {
    if (linkActive_ && handShown_) {
        unsetCursor();
        handShown_ = false;
    }
    QWidget::leaveEvent(event);
}

void CStaticLink::mousePressEvent(QMouseEvent* event) {
    if (notify_ && event->button() == Qt::LeftButton) emit clicked();
    QWidget::mousePressEvent(event);
}
