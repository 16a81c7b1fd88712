#include "tests/ui/QtTesting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "ui/CDrennowApp.h"

namespace {

// One application object for the whole test program, offscreen, created before the first
// test and destroyed after the last.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<CDrennowApp>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "test_ui";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<CDrennowApp> app_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

namespace uitest {

CDrennowApp& App() { return *qobject_cast<CDrennowApp*>(QCoreApplication::instance()); }

void Mouse(QWidget* widget, int type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local(pos);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent event(static_cast<QEvent::Type>(type), local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void Press(QWidget* widget, QPoint pos, Qt::MouseButton button) {
    Mouse(widget, QEvent::MouseButtonPress, pos, button, button);
}

void Release(QWidget* widget, QPoint pos, Qt::MouseButton button) {
    Mouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void Click(QWidget* widget, QPoint pos, Qt::MouseButton button) {
    Press(widget, pos, button);
    Release(widget, pos, button);
}

void DoubleClick(QWidget* widget, QPoint pos) {
    Click(widget, pos);
    Mouse(widget, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    Release(widget, pos);
}

void Move(QWidget* widget, QPoint pos, Qt::MouseButtons held) {
    Mouse(widget, QEvent::MouseMove, pos, Qt::NoButton, held);
}

void Enter(QWidget* widget, QPoint pos) {
    const QPointF local(pos);
    QEnterEvent event{local, local, widget->mapToGlobal(local)};
    QApplication::sendEvent(widget, &event);
}

void Leave(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

QImage RenderToPng(QWidget* widget, const QTemporaryDir& folder, const QString& name) {
    const QString path = folder.filePath(name + ".png");
    if (qEnvironmentVariableIsSet("DRENNOW_UI_RENDER_DIR"))
        widget->grab().save(qEnvironmentVariable("DRENNOW_UI_RENDER_DIR") + "/" + name + ".png");
    EXPECT_TRUE(widget->grab().save(path, "PNG")) << path.toStdString();
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

bool Near(QRgb pixel, const QColor& colour, int tolerance) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

bool IsReddish(QRgb pixel) { return qRed(pixel) > 160 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

bool IsGreenish(QRgb pixel) {
    return qGreen(pixel) > 110 && qRed(pixel) < 100 && qBlue(pixel) < 120;
}

namespace {
bool InkInColumn(const QImage& image, int x, int top, int bottom, int limit) {
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        if (qGray(image.pixel(x, y)) < limit) return true;
    return false;
}
}  // namespace

int FirstInkColumn(const QImage& image, int top, int bottom, int limit) {
    for (int x = 0; x < image.width(); ++x)
        if (InkInColumn(image, x, top, bottom, limit)) return x;
    return -1;
}

int LastInkColumn(const QImage& image, int top, int bottom, int limit) {
    for (int x = image.width() - 1; x >= 0; --x)
        if (InkInColumn(image, x, top, bottom, limit)) return x;
    return -1;
}

}  // namespace uitest
