#pragma once
// A host for tests: answers message boxes from a script and records every box and screen.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/Host.h"

namespace repairtest {

struct Box {
    std::string text;
    std::string caption;
    engine::BoxStyle style;
};

class ScriptedHost : public engine::Host {
public:
    std::deque<engine::Answer> answers;  // taken in order; OK once the script is used up
    std::vector<Box> boxes;
    std::vector<int> screens;
    int waitDepth = 0;
    int waitCursors = 0;
    std::function<void()> onBox;  // runs as each box is shown (the world changing meanwhile)

    void Pump() override {}
    engine::Answer MessageBox(const std::string& text, const std::string& caption,
                              engine::BoxStyle style) override {
        boxes.push_back({text, caption, style});
        if (onBox) onBox();
        if (answers.empty()) return engine::Answer::Ok;
        const engine::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void BeginWaitCursor() override {
        ++waitDepth;
        ++waitCursors;
    }
    void EndWaitCursor() override { --waitDepth; }
    void OnScanState(engine::ScanEvent) override {}
    void Sleep(unsigned) override {}
    void ShowScreen(engine::Screen screen) override { screens.push_back(static_cast<int>(screen)); }
};

}  // namespace repairtest
