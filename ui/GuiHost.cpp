#include "ui/GuiHost.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QThread>

#include "ui/AnsiText.h"
#include "ui/res/Strings.h"

namespace ui {
namespace {

QMessageBox::StandardButtons ButtonsOf(unsigned style) {
    switch (style & 0x0F) {
        case engine::MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
        case engine::MB_YESNOCANCEL:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case engine::MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
        default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0) {
        case engine::MB_ICONERROR: return QMessageBox::Critical;
        case engine::MB_ICONQUESTION: return QMessageBox::Question;
        case engine::MB_ICONWARNING: return QMessageBox::Warning;
        case engine::MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

}  // namespace

void WidgetLabel::SetText(const std::string& text) {
    text_ = text;
    pending_ = true;
}

void WidgetLabel::Show() {
    if (!pending_) return;
    pending_ = false;
    if (setter_) setter_(FromAnsi(text_));
}

GuiHost::~GuiHost() {
    // A wait cursor left over (a Pause pressed between walks) must not outlive the view.
    while (waitDepth_ > 0) EndWaitCursor();
}

void GuiHost::Pump() {
    ShowLabels();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void GuiHost::ShowLabels() {
    for (WidgetLabel* label : {sectionName_.get(), currentKey_.get(), foundCount_.get()})
        if (label) label->Show();
    for (const auto& label : counters_)
        if (label) label->Show();
}

int GuiHost::ToWin32Answer(int qtButton) {
    switch (qtButton) {
        case QMessageBox::Yes: return engine::IDYES;
        case QMessageBox::No: return engine::IDNO;
        case QMessageBox::Cancel: return engine::IDCANCEL;
        default: return engine::IDOK;
    }
}

int GuiHost::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    ShowLabels();
    if (handler_) return handler_(text, caption, style);
    // An empty caption stands for the application's title.
    const QString title =
        caption.empty() ? QString::fromLatin1(text::kAppName) : FromAnsi(caption);
    QMessageBox box(IconOf(style), title, FromAnsi(text), ButtonsOf(style), owner_.data());
    // The arrow shows over a box even while the wait cursor is up.
    const bool waiting = waitDepth_ > 0;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (waiting) QApplication::restoreOverrideCursor();
    // Closing a Yes/No/Cancel box with Escape answers Cancel, as on Windows.
    if (answer == QMessageBox::Escape || answer == 0)
        return (style & 0x0F) == engine::MB_OK ? engine::IDOK : engine::IDCANCEL;
    return ToWin32Answer(answer);
}

void GuiHost::BeginWaitCursor() {
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GuiHost::EndWaitCursor() {
    if (waitDepth_ == 0) return;
    --waitDepth_;
    QApplication::restoreOverrideCursor();
}

void GuiHost::OnScanState(int state) {
    ShowLabels();
    if (onScanState) onScanState(state);
}

void GuiHost::Sleep(unsigned milliseconds) {
    QThread::msleep(milliseconds);
}

void GuiHost::ShowScreen(int screen) {
    ShowLabels();
    if (onShowScreen) onShowScreen(screen);
}

void GuiHost::OnResultsReset() {
    if (onResultsReset) onResultsReset();
}

engine::Label* GuiHost::SectionCounterLabel(int section) {
    if (section < 1 || section > engine::kSectionCount) return nullptr;
    return counters_[section - 1].get();
}

void GuiHost::SetLabels(std::unique_ptr<WidgetLabel> sectionName,
                        std::unique_ptr<WidgetLabel> currentKey,
                        std::unique_ptr<WidgetLabel> foundCount) {
    sectionName_ = std::move(sectionName);
    currentKey_ = std::move(currentKey);
    foundCount_ = std::move(foundCount);
}

void GuiHost::SetSectionCounter(int section, std::unique_ptr<WidgetLabel> label) {
    if (section >= 1 && section <= engine::kSectionCount)
        counters_[section - 1] = std::move(label);
}

}  // namespace ui
