#include "engine/CRegistryFixer.h"

#include "engine/Explanation.h"
#include "engine/Sections.h"

namespace engine {

CRegistryFixer::CRegistryFixer(platform::Services& services, Host& host)
    : services_(services), host_(host), paths_(services) {}

void CRegistryFixer::Prepare(const WalkPlan& plan) { plan_ = plan; }

Verdict CRegistryFixer::CheckValue(const std::string& keyPath, const std::string& valueName,
                                   const platform::BYTE* data, platform::DWORD type,
                                   platform::DWORD length) {
    paths_.StartRecording();
    return CheckSectionValue(plan_.section, paths_,
                             ValueInput{keyPath, valueName, data, type, length});
}

void CRegistryFixer::Notify(ScanEvent event) {
    if (plan_.notify) plan_.notify->HandleScanState(event);
    else host_.OnScanState(event);
}

void CRegistryFixer::PumpIfDue() {
    const auto now = std::chrono::steady_clock::now();
    if (pumpInterval_.count() <= 0 || now - lastPump_ >= pumpInterval_) {
        lastPump_ = now;
        host_.Pump();
    }
}

CRegistryFixer::PollResult CRegistryFixer::Poll() {
    PumpIfDue();
    if (runState_ == RunState::PauseRequested) {
        runState_ = RunState::Paused;
        Notify(ScanEvent::Paused);
    }
    while (runState_ == RunState::Paused) {
        host_.Pump();
        host_.Sleep(100);
    }
    if (runState_ == RunState::ResumeRequested) {
        host_.Pump();
        runState_ = RunState::Running;
        Notify(ScanEvent::Resumed);
    }
    return runState_ == RunState::CancelRequested ? PollResult::Stop : PollResult::GoOn;
}

void CRegistryFixer::AddProblem(const std::string& keyText, const std::string& nameText,
                                const std::string& valueText, ExactValue exact) {
    if (!plan_.result || !plan_.total) return;
    Problem problem{plan_.section, keyText, nameText, valueText, std::move(exact), true};
    if (plan_.root == 0) problem.kind = ProblemKind::ShortcutFile;
    if (ignore_.Ignores(problem)) {
        ++plan_.result->ignored;
        if (plan_.ignored) ++*plan_.ignored;
        return;
    }
    ++*plan_.total;
    problem.checked = CheckedPaths(services_, paths_);
    plan_.result->problems.push_back(std::move(problem));
    if (plan_.labels.foundCount)
        plan_.labels.foundCount->SetText(std::to_string(*plan_.total) + " problem(s) found");
    if (plan_.labels.sectionCounter)
        plan_.labels.sectionCounter->SetText(std::to_string(plan_.result->Count()));
}

}  // namespace engine
