#include "ui/StatusPane.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace ui {

StatusPane::StatusPane(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void StatusPane::SetElidable(const QString& part) {
    elidable_ = part;
    update();
}

QString StatusPane::Fit(const QString& text, const QString& elidable, const QFontMetrics& metrics,
                        int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const qsizetype at = elidable.isEmpty() ? -1 : text.indexOf(elidable);
    if (at >= 0) {
        const QString head = text.left(at);
        const QString tail = text.mid(at + elidable.size());
        // The folder shortened in the middle keeps its start and its last folders; the text
        // before it goes before the folder is cut to less than a readable remainder.
        const int readable = std::min(
            metrics.horizontalAdvance(elidable),
            metrics.horizontalAdvance(elidable.left(12) + QChar(0x2026) + elidable.right(12)));
        for (const QString& before : {head, QString()}) {
            const int room = width - metrics.horizontalAdvance(before + tail);
            if (room >= readable)
                return before + metrics.elidedText(elidable, Qt::ElideMiddle, room) + tail;
        }
        return metrics.elidedText(elidable.left(4) + QChar(0x2026) + tail, Qt::ElideRight, width);
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

QString StatusPane::ShownText() const {
    return Fit(text(), elidable_, fontMetrics(), contentsRect().width() - 2 * margin());
}

QSize StatusPane::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void StatusPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                          ShownText(), foregroundRole());
}

}  // namespace ui
