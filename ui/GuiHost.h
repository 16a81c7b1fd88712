#pragma once
// The engine's host over Qt: pumping hands pending Qt events to their handlers, message boxes
// are QMessageBox with the same texts, captions, buttons and icons, and the wait cursor is the
// application's override cursor. The view supplies the screens, labels and scan-state
// handling through callbacks, so this class knows nothing of its widgets.
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/Host.h"
#include "engine/ScanModel.h"

class QMessageBox;

namespace ui {

// A QLabel-like widget shown as an engine label; the text arrives as Windows-1252 bytes. A
// scan sets the current key's label for every key, far more often than the screen can show:
// the text is only kept, and handed to the widget when the host shows its labels (before
// pumping events, so before any repaint, and whenever the scan hands over to the view).
class WidgetLabel final : public engine::Label {
public:
    using Setter = std::function<void(const QString&)>;
    explicit WidgetLabel(Setter setter) : setter_(std::move(setter)) {}
    void SetText(const std::string& text) override;
    void Show();

private:
    Setter setter_;
    std::string text_;
    bool pending_ = false;
};

// Answers a message box instead of showing one (tests); returns the answer.
using MessageBoxHandler = std::function<engine::Answer(
    const std::string& text, const std::string& caption, engine::BoxStyle style)>;

class GuiHost : public engine::Host {
public:
    explicit GuiHost(QWidget* owner) : owner_(owner) {}
    ~GuiHost() override;

    void Pump() override;
    engine::Answer MessageBox(const std::string& text, const std::string& caption,
                              engine::BoxStyle style) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void OnScanState(engine::ScanEvent event) override;
    void Sleep(unsigned milliseconds) override;
    void ShowScreen(engine::Screen screen) override;
    void OnResultsReset() override;

    engine::Label* SectionNameLabel() override { return sectionName_.get(); }
    engine::Label* CurrentKeyLabel() override { return currentKey_.get(); }
    engine::Label* FoundCountLabel() override { return foundCount_.get(); }
    engine::Label* SectionCounterLabel(int section) override;

    // Wiring by the view.
    std::function<void(engine::Screen)> onShowScreen;
    std::function<void(engine::ScanEvent)> onScanState;
    std::function<void()> onResultsReset;
    void SetLabels(std::unique_ptr<WidgetLabel> sectionName,
                   std::unique_ptr<WidgetLabel> currentKey,
                   std::unique_ptr<WidgetLabel> foundCount);
    void SetSectionCounter(int section, std::unique_ptr<WidgetLabel> label);
    // Hands the labels' latest texts to their widgets.
    void ShowLabels();

    // Replaces the real message boxes (tests answer them); null restores QMessageBox.
    void SetMessageBoxHandler(MessageBoxHandler handler) { handler_ = std::move(handler); }
    int WaitDepth() const { return waitDepth_; }

    // The box MessageBox shows: the text, caption, buttons and icon of the call.
    static std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text,
                                                        const std::string& caption,
                                                        engine::BoxStyle style, QWidget* parent);

    // The answer a QMessageBox standard button gives.
    static engine::Answer AnswerOf(int qtButton);

private:
    QPointer<QWidget> owner_;
    MessageBoxHandler handler_;
    int waitDepth_ = 0;
    std::unique_ptr<WidgetLabel> sectionName_, currentKey_, foundCount_;
    std::array<std::unique_ptr<WidgetLabel>, engine::kSectionCount> counters_;
};

}  // namespace ui
