#pragma once
// What both desktop programs' engine hosts share: the progress screen's labels, whose texts a
// scan sets far more often than the screen can show them, the wait cursor's depth, message
// boxes answered by a handler instead (tests), and the screen, scan-state and reset events
// handed to the view. A face adds the pump, the real message box and the cursor.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/Host.h"
#include "engine/ScanModel.h"

namespace ui::shared {

// A label of the progress screen: the text (Windows-1252) is only kept, and handed to the
// control when the host shows its labels (before pumping events, so before any repaint, and
// whenever the scan hands over to the view).
class BufferedLabel final : public engine::Label {
public:
    using Setter = std::function<void(const std::string&)>;
    explicit BufferedLabel(Setter setter) : setter_(std::move(setter)) {}
    void SetText(const std::string& text) override;
    void Show();

private:
    Setter setter_;
    std::string text_;
    bool pending_ = false;
};

// Answers a message box instead of showing one; returns the answer.
using MessageBoxHandler = std::function<engine::Answer(
    const std::string& text, const std::string& caption, engine::BoxStyle style)>;

class ViewHost : public engine::Host {
public:
    void Pump() final;
    engine::Answer MessageBox(const std::string& text, const std::string& caption,
                              engine::BoxStyle style) final;
    void BeginWaitCursor() final;
    void EndWaitCursor() final;
    void OnScanState(engine::ScanEvent event) final;
    void Sleep(unsigned milliseconds) override;
    void ShowScreen(engine::Screen screen) final;
    void OnResultsReset() final;

    engine::Label* SectionNameLabel() final { return sectionName_.get(); }
    engine::Label* CurrentKeyLabel() final { return currentKey_.get(); }
    engine::Label* FoundCountLabel() final { return foundCount_.get(); }
    engine::Label* SectionCounterLabel(int section) final;

    // Wiring by the view.
    std::function<void(engine::Screen)> onShowScreen;
    std::function<void(engine::ScanEvent)> onScanState;
    std::function<void()> onResultsReset;
    void SetLabels(BufferedLabel::Setter sectionName, BufferedLabel::Setter currentKey,
                   BufferedLabel::Setter foundCount);
    void SetSectionCounter(int section, BufferedLabel::Setter setter);
    // Hands the labels' latest texts to their controls.
    void ShowLabels();

    // Replaces the real message boxes (tests answer them); null restores them.
    void SetMessageBoxHandler(MessageBoxHandler handler) { handler_ = std::move(handler); }
    int WaitDepth() const { return waitDepth_; }

protected:
    // Hands pending window events to their handlers.
    virtual void PumpEvents() = 0;
    virtual engine::Answer ShowMessageBox(const std::string& text, const std::string& caption,
                                          engine::BoxStyle style) = 0;
    // The wait cursor goes up once more, or comes down once.
    virtual void PushWaitCursor() = 0;
    virtual void PopWaitCursor() = 0;
    // A wait cursor left over (a Pause pressed between walks) must not outlive the view: a
    // face's destructor calls this, while its own cursor calls still reach it.
    void EndAllWaits();

private:
    MessageBoxHandler handler_;
    int waitDepth_ = 0;
    std::unique_ptr<BufferedLabel> sectionName_, currentKey_, foundCount_;
    std::array<std::unique_ptr<BufferedLabel>, engine::kSectionCount> counters_;
};

}  // namespace ui::shared
