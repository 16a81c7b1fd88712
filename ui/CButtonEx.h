#pragma once
// A push button whose face is one of three pictures: normal, mouse over, pressed.
#include <QAbstractButton>
#include <QPixmap>
#include <array>
#include "ui/Index.h"

class CButtonEx : public QAbstractButton {
    Q_OBJECT
public:
    enum State { kNormal = 0, kOver = 1, kPressed = 2 };

    explicit CButtonEx(QWidget* parent = nullptr);

    // Replaces the three pictures by the bitmaps with these resource numbers and repaints.
    // A number without a picture leaves that state with no picture (its face stays empty).
    void SetBitmaps(quint16 normal, quint16 over, quint16 pressed);

    // On: the face is the picture of the current state; off: the text is drawn in black at the
    // top-left corner. The owner sets it before SetBitmaps.
    bool bitmapMode = false;

    int GetState() const { return state_; }
    bool IsTracking() const { return tracking_; }
    const QPixmap& Bitmap(int state) const { return bitmaps_.at(ui::Index(state)); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetState(int state);

    bool tracking_ = false;
    std::array<QPixmap, 3> bitmaps_;
    int state_ = kNormal;
};
