#include "ui/GuiHost.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <QMessageBox>
#include <QScreen>

#include "ui/AnsiText.h"
#include "ui/res/Strings.h"

namespace ui {
namespace {

QMessageBox::StandardButtons ButtonsOf(engine::Buttons buttons) {
    switch (buttons) {
    case engine::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case engine::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case engine::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case engine::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(engine::Icon icon) {
    switch (icon) {
    case engine::Icon::Error: return QMessageBox::Critical;
    case engine::Icon::Question: return QMessageBox::Question;
    case engine::Icon::Warning: return QMessageBox::Warning;
    case engine::Icon::Information: return QMessageBox::Information;
    case engine::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Lines indented by four spaces hold a folder or a command: each is shown on a line of its
// own and never wrapped, so it reads whole and can be copied as it is.
constexpr const char* kWholeLineIndent = "    ";
// Beside the caption, a title bar holds the icon, the window buttons and the frame.
constexpr int kTitleBarExtra = 150;

bool HasWholeLines(const QString& text) {
    for (const QString& line : text.split('\n'))
        if (line.startsWith(kWholeLineIndent)) return true;
    return false;
}

// Each line a paragraph of its own; the whole lines are not wrapped, and are shown at
// `wholeScale` times the font's size.
QString WithWholeLines(const QString& text, const QFont& font, double wholeScale) {
    const QString size =
        wholeScale < 1.0
            ? QString("; font-size:%1pt").arg(font.pointSizeF() * wholeScale, 0, 'f', 1)
            : QString();
    QString html;
    for (const QString& line : text.split('\n')) {
        const bool whole = line.startsWith(kWholeLineIndent);
        html += whole ? "<p style=\"margin:0; white-space:pre" + size + "\">"
                      : "<p style=\"margin:0\">";
        html += line.toHtmlEscaped() + "</p>";
    }
    return html;
}

// The width the widest whole line needs in `font`.
int WholeLinesWidth(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : text.split('\n'))
        if (line.startsWith(kWholeLineIndent))
            widest = std::max(widest, metrics.horizontalAdvance(line) + 4);
    return widest;
}

// QMessageBox caps its width well below the screen's and then lets its text run past its
// edge; a box with whole lines is laid out again once shown: as wide as its whole lines need
// (their font made smaller when the screen is narrower still), the other lines wrapped at
// word boundaries within it, and as tall as they then are.
class WholeLinesBox final : public QMessageBox {
public:
    WholeLinesBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                  QMessageBox::StandardButtons buttons, QWidget* parent)
        : QMessageBox(icon, title, QString(), buttons, parent), text_(text) {
        setTextFormat(Qt::RichText);
        SetText(1.0);
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        Fit();
    }

private:
    QLabel* Label() const { return findChild<QLabel*>("qt_msgbox_label"); }

    void SetText(double scale) {
        QLabel* label = Label();
        const QFont font = label ? label->font() : this->font();
        setText(WithWholeLines(text_, font, scale));
        QFont shown = font;
        if (scale < 1.0) shown.setPointSizeF(font.pointSizeF() * scale);
        // The label is made wide enough for them; the box grows with it.
        if (label) label->setMinimumWidth(WholeLinesWidth(text_, shown));
    }

    void Fit() {
        QLabel* label = Label();
        if (!label || !layout()) return;
        const QScreen* screen = this->screen();
        // Room for the window's frame on the screen.
        const int available = (screen ? screen->availableGeometry().width() : 1024) - 16;
        const int besides = label->x() + layout()->contentsMargins().right();
        const int whole = WholeLinesWidth(text_, label->font());
        if (whole + besides > available)
            SetText(std::max(0.6, static_cast<double>(available - besides) / whole));
        // QMessageBox may have let the text wrap anywhere, even inside a word.
        label->setWordWrap(true);
        const int width =
            std::min(available, std::max(this->width(), label->minimumWidth() + besides));
        layout()->activate();
        setFixedSize(width, layout()->totalHeightForWidth(width));
    }

    QString text_;
};

}  // namespace

std::unique_ptr<QMessageBox> GuiHost::BuildMessageBox(const std::string& text,
                                                      const std::string& caption,
                                                      engine::BoxStyle style, QWidget* parent) {
    // An empty caption stands for the application's title.
    const QString title = caption.empty() ? QString::fromLatin1(text::kAppName) : FromAnsi(caption);
    const QString shown = FromAnsi(text);
    std::unique_ptr<QMessageBox> box;
    if (HasWholeLines(shown)) {
        box = std::make_unique<WholeLinesBox>(IconOf(style.icon), title, shown,
                                              ButtonsOf(style.buttons), parent);
    } else {
        box = std::make_unique<QMessageBox>(IconOf(style.icon), title, QString(),
                                            ButtonsOf(style.buttons), parent);
        box->setTextFormat(Qt::PlainText);
        box->setText(shown);
    }
    // A short text makes a box narrower than its caption, which the title bar then cuts:
    // room for the caption, the window buttons and the frame.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int captionWidth =
            QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title);
        grid->addItem(new QSpacerItem(captionWidth + kTitleBarExtra, 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

shared::BufferedLabel::Setter LabelSetter(QLabel* label) {
    return [label](const std::string& text) { label->setText(FromAnsi(text)); };
}

GuiHost::~GuiHost() { EndAllWaits(); }

void GuiHost::PumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

engine::Answer GuiHost::AnswerOf(int qtButton) {
    switch (qtButton) {
    case QMessageBox::Yes: return engine::Answer::Yes;
    case QMessageBox::No: return engine::Answer::No;
    case QMessageBox::Cancel: return engine::Answer::Cancel;
    default: return engine::Answer::Ok;
    }
}

engine::Answer GuiHost::ShowMessageBox(const std::string& text, const std::string& caption,
                                       engine::BoxStyle style) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(text, caption, style, owner_.data());
    // The arrow shows over a box even while the wait cursor is up.
    const bool waiting = WaitDepth() > 0;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box->exec();
    if (waiting) QApplication::restoreOverrideCursor();
    // Closing a Yes/No/Cancel box with Escape answers Cancel, as on Windows.
    if (answer == QMessageBox::Escape || answer == 0)
        return style.buttons == engine::Buttons::Ok ? engine::Answer::Ok : engine::Answer::Cancel;
    return AnswerOf(answer);
}

void GuiHost::PushWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void GuiHost::PopWaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace ui
