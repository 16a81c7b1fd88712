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

shared::ListKey ListKeyOf(int key) {
    switch (key) {
    case Qt::Key_Up: return shared::ListKey::Up;
    case Qt::Key_Down: return shared::ListKey::Down;
    case Qt::Key_PageUp: return shared::ListKey::PageUp;
    case Qt::Key_PageDown: return shared::ListKey::PageDown;
    case Qt::Key_Home: return shared::ListKey::Home;
    case Qt::Key_End: return shared::ListKey::End;
    case Qt::Key_Space: return shared::ListKey::Space;
    default: return shared::ListKey::Other;
    }
}

void KeepArrowKeysOffButtons(QWidget* root) {
    auto* filter = new ArrowKeyFilter(root);
    for (QPushButton* button : root->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

}  // namespace ui
