#include "ui/Pictures.h"

#include <QResource>

#include "ui/res/ResourceIds.h"

// Resources of a static library must be registered by name, outside any namespace.
static bool RegisterDrennowResources() {
    Q_INIT_RESOURCE(drennow);
    return true;
}

namespace ui {
namespace {

void EnsureResources() {
    static const bool registered = RegisterDrennowResources();
    (void)registered;
}

}  // namespace

QPixmap LoadBitmap(int id) {
    EnsureResources();
    return QPixmap(QStringLiteral(":/bitmap/%1").arg(id));
}

QCursor HandCursor() {
    EnsureResources();
    const QPixmap hand(QStringLiteral(":/cursor/%1").arg(res::kCursorHand));
    if (hand.isNull()) return QCursor(Qt::PointingHandCursor);
    return QCursor(hand, 8, 1);
}

QIcon ApplicationIcon() {
    EnsureResources();
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icon/%1-%2").arg(res::kIconApplication).arg(size),
                     QSize(size, size));
    return icon;
}

}  // namespace ui
