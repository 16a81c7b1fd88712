#pragma once
// A host for engine tests: counts pumps and runs scripted actions at chosen ones, records
// labels, message boxes, screens and scan-state messages, and answers boxes as told.
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/Host.h"

namespace enginetest {

class RecordingLabel final : public engine::Label {
public:
    void SetText(const std::string& text) override {
        text_ = text;
        history_.push_back(text);
    }
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& History() const { return history_; }

private:
    std::string text_;
    std::vector<std::string> history_;
};

class ScriptHost final : public engine::Host {
public:
    struct Box {
        std::string text, caption;
        engine::BoxStyle style;
    };

    // Runs `action` during the n-th pump (counting from 1).
    void At(int pump, std::function<void()> action) { actions_[pump] = std::move(action); }

    void Pump() override {
        ++pumps;
        if (auto it = actions_.find(pumps); it != actions_.end()) {
            auto action = std::move(it->second);
            actions_.erase(it);
            action();
        }
    }
    engine::Answer MessageBox(const std::string& text, const std::string& caption,
                              engine::BoxStyle style) override {
        boxes.push_back({text, caption, style});
        return answer;
    }
    void BeginWaitCursor() override { ++waitCursorBegun; }
    void EndWaitCursor() override { ++waitCursorEnded; }
    void OnScanState(engine::ScanEvent event) override { states.push_back(event); }
    void Sleep(unsigned milliseconds) override { slept += milliseconds; }
    void ShowScreen(engine::Screen screen) override { screens.push_back(static_cast<int>(screen)); }
    void OnResultsReset() override { ++resets; }
    engine::Label* SectionNameLabel() override { return &sectionName; }
    engine::Label* CurrentKeyLabel() override { return &currentKey; }
    engine::Label* FoundCountLabel() override { return &foundCount; }
    engine::Label* SectionCounterLabel(int section) override {
        return section >= 1 && section <= 14 ? &counters[static_cast<std::size_t>(section - 1)]
                                             : nullptr;
    }

    int pumps = 0;
    engine::Answer answer = engine::Answer::Ok;
    int waitCursorBegun = 0, waitCursorEnded = 0, resets = 0;
    unsigned slept = 0;
    std::vector<Box> boxes;
    std::vector<engine::ScanEvent> states;
    std::vector<int> screens;
    RecordingLabel sectionName, currentKey, foundCount;
    std::array<RecordingLabel, 14> counters;

private:
    std::map<int, std::function<void()>> actions_;
};

}  // namespace enginetest
