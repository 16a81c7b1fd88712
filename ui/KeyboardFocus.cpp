#include "ui/KeyboardFocus.h"

#include <QPushButton>
#include <QKeyEvent>
#include <QWidget>

namespace ui {
namespace {

class ArrowKeyFilter final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && IsArrowKey(static_cast<QKeyEvent*>(event)->key()))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

bool IsArrowKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

void KeepArrowKeysOffButtons(QWidget* root) {
    auto* filter = new ArrowKeyFilter(root);
    for (QPushButton* button : root->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

}  // namespace ui
