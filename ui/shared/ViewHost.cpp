#include "ui/shared/ViewHost.h"

#include <chrono>
#include <thread>

namespace ui::shared {

void BufferedLabel::SetText(const std::string& text) {
    text_ = text;
    pending_ = true;
}

void BufferedLabel::Show() {
    if (!pending_) return;
    pending_ = false;
    if (setter_) setter_(text_);
}

void ViewHost::Pump() {
    ShowLabels();
    PumpEvents();
}

void ViewHost::ShowLabels() {
    for (BufferedLabel* label : {sectionName_.get(), currentKey_.get(), foundCount_.get()})
        if (label) label->Show();
    for (const auto& label : counters_)
        if (label) label->Show();
}

engine::Answer ViewHost::MessageBox(const std::string& text, const std::string& caption,
                                    engine::BoxStyle style) {
    ShowLabels();
    if (handler_) return handler_(text, caption, style);
    return ShowMessageBox(text, caption, style);
}

void ViewHost::BeginWaitCursor() {
    ++waitDepth_;
    PushWaitCursor();
}

void ViewHost::EndWaitCursor() {
    if (waitDepth_ == 0) return;
    --waitDepth_;
    PopWaitCursor();
}

void ViewHost::EndAllWaits() {
    while (waitDepth_ > 0) EndWaitCursor();
}

void ViewHost::OnScanState(engine::ScanEvent event) {
    ShowLabels();
    if (onScanState) onScanState(event);
}

void ViewHost::Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ViewHost::ShowScreen(engine::Screen screen) {
    ShowLabels();
    if (onShowScreen) onShowScreen(screen);
}

void ViewHost::OnResultsReset() {
    if (onResultsReset) onResultsReset();
}

engine::Label* ViewHost::SectionCounterLabel(int section) {
    if (section < 1 || section > engine::kSectionCount) return nullptr;
    return counters_[static_cast<std::size_t>(section - 1)].get();
}

void ViewHost::SetLabels(BufferedLabel::Setter sectionName, BufferedLabel::Setter currentKey,
                         BufferedLabel::Setter foundCount) {
    sectionName_ = std::make_unique<BufferedLabel>(std::move(sectionName));
    currentKey_ = std::make_unique<BufferedLabel>(std::move(currentKey));
    foundCount_ = std::make_unique<BufferedLabel>(std::move(foundCount));
}

void ViewHost::SetSectionCounter(int section, BufferedLabel::Setter setter) {
    if (section >= 1 && section <= engine::kSectionCount)
        counters_[static_cast<std::size_t>(section - 1)] =
            std::make_unique<BufferedLabel>(std::move(setter));
}

}  // namespace ui::shared
