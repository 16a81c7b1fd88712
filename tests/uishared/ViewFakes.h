#pragma once
// The main view's logic over a real test prefix without a display: a face that records what
// the logic asks of it, and a host whose message boxes are answered from a script and whose
// pump runs a scripted step (inside a scan, as a click would arrive).
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/ScanSession.h"
#include "tests/fixtures/AnsweredBoxes.h"
#include "tests/fixtures/TestPrefix.h"
#include "ui/shared/ViewHost.h"
#include "ui/shared/ViewLogic.h"

namespace uisharedtest {

using fixtures::SeenMessage;

class FakeHost final : public ui::shared::ViewHost, public fixtures::AnsweredBoxes {
public:
    // The wait cursors up are counted in `cursors` when given (to be read once the host is
    // gone), else in the host.
    explicit FakeHost(int* cursors = nullptr) : cursors_(cursors ? cursors : &ownCursors_) {
        SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, engine::BoxStyle style) {
                return Answer(text, caption, style);
            });
    }
    ~FakeHost() override { EndAllWaits(); }

    // Runs at each pump, n counting from 1, until it returns false; a pump inside the step
    // (a command that pumps) does not run it again.
    std::function<bool(int n)> onPump;
    int CursorsUp() const { return *cursors_; }

private:
    void PumpEvents() override {
        if (!onPump || inStep_) return;
        inStep_ = true;
        const bool more = onPump(++pumps_);
        inStep_ = false;
        if (!more) onPump = nullptr;
    }
    engine::Answer ShowMessageBox(const std::string& text, const std::string&,
                                  engine::BoxStyle) override {
        ADD_FAILURE() << "a real message box: " << text;
        return engine::Answer::Ok;
    }
    void PushWaitCursor() override { ++*cursors_; }
    void PopWaitCursor() override { --*cursors_; }

    int ownCursors_ = 0;
    int* cursors_;
    bool inStep_ = false;
    int pumps_ = 0;
};

class FakeFace final : public ui::shared::ViewFace {
public:
    struct ShownScreen {
        engine::Screen screen;
        ui::shared::ScreenFacts facts;
    };
    struct ShownProblems {
        int row;
        engine::ProblemList* problems;
        bool keepScroll;
        bool operator==(const ShownProblems&) const = default;
    };

    engine::SectionRows rows;
    std::vector<ShownScreen> screens;
    bool closeEnabled = true;
    std::string pauseText;  // the text of the last face given with one
    int pausePicture = 0;   // the last face's normal picture
    std::vector<ui::shared::ResultRow> resultRows;
    std::string resultCount;
    std::vector<ShownProblems> problems;
    engine::ProblemList* repairLog = nullptr;
    int listsCleared = 0;
    int selectAllPicture = 0;
    int menuAnswer = 0;  // what the next popup menu returns
    std::vector<int> menusRun;
    std::vector<ui::shared::Dialog> dialogs;
    std::vector<ui::shared::Address> addresses;
    int prefixChoices = 0;

    void ShowScreenControls(engine::Screen screen, const ui::shared::ScreenFacts& facts) override {
        screens.push_back({screen, facts});
    }
    void SetCloseEnabled(bool enabled) override { closeEnabled = enabled; }
    void SetPauseFace(const ui::shared::ButtonFace& face, bool withText) override {
        if (withText) pauseText = face.text;
        pausePicture = face.normal;
    }
    void ShowResultRows(const std::vector<ui::shared::ResultRow>& shown) override {
        resultRows = shown;
    }
    void SetResultCount(const std::string& text) override { resultCount = text; }
    void ShowProblems(int row, engine::ProblemList* list, bool keepScroll) override {
        problems.push_back({row, list, keepScroll});
    }
    void ShowRepairLog(engine::ProblemList* repaired) override { repairLog = repaired; }
    void ClearProblemLists() override { ++listsCleared; }
    engine::SectionRows SectionRows() const override { return rows; }
    void ChooseAllRows(bool chosen) override {
        for (engine::SectionRow& row : rows) row.selected = chosen;
    }
    void SetSelectAllPicture(int picture) override { selectAllPicture = picture; }
    int RunPopupMenu(int buttonId, std::span<const ui::shared::MenuItem>) override {
        menusRun.push_back(buttonId);
        return menuAnswer;
    }
    void RunDialog(ui::shared::Dialog dialog) override { dialogs.push_back(dialog); }
    void OpenAddress(ui::shared::Address address) override { addresses.push_back(address); }
    void ChoosePrefix() override { ++prefixChoices; }
};

// The logic over the prefix (its content already added), every section row ticked as the
// view starts, and the progress labels' texts as the screen would show them.
class LogicHarness {
public:
    explicit LogicHarness(fixtures::TestPrefix& prefix, bool offersPrefixChoice = true)
        : machine(prefix.Open()), logic(*machine, host, face, offersPrefixChoice) {
        face.rows = engine::BuildSectionRows(*machine);
        for (engine::SectionRow& row : face.rows) row.selected = true;
        host.SetLabels([this](const std::string& t) { sectionName = t; },
                       [this](const std::string& t) { currentKey = t; },
                       [this](const std::string& t) { foundCount = t; });
        for (int section = 1; section <= engine::kSectionCount; ++section)
            host.SetSectionCounter(section, [this, section](const std::string& t) {
                counters[static_cast<std::size_t>(section - 1)] = t;
            });
        logic.Start();
    }

    engine::ScanResults& Results() { return logic.Session().Results(); }

    std::unique_ptr<platform::Services> machine;
    FakeHost host;
    FakeFace face;
    std::string sectionName, currentKey, foundCount;
    std::array<std::string, engine::kSectionCount> counters;
    ui::shared::ViewLogic logic;
};

}  // namespace uisharedtest
