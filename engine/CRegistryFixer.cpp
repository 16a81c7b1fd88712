#include "engine/CRegistryFixer.h"

#include "engine/Checkers.h"

namespace engine {

CRegistryFixer::CRegistryFixer(platform::Services& services, Host& host)
    : services_(services), host_(host), paths_(services) {}

void CRegistryFixer::Prepare(platform::HKEY root, TextList& workList, int section,
                             SectionResult& result, int& total,
                             ScanStateTarget* notify, const std::string& sectionName,
                             Label* currentKeyLabel, Label* sectionNameLabel,
                             Label* sectionCounterLabel, Label* foundCountLabel) {
    root_ = root;
    workList_ = &workList;
    section_ = section;
    result_ = &result;
    total_ = &total;
    notify_ = notify;
    sectionName_ = sectionName.empty() ? std::string(SectionName(section)) : sectionName;
    currentKeyLabel_ = currentKeyLabel;
    sectionNameLabel_ = sectionNameLabel;
    sectionCounterLabel_ = sectionCounterLabel;
    foundCountLabel_ = foundCountLabel;
}

std::string CRegistryFixer::RootPrefix(platform::HKEY root) {
    switch (root) {
        case platform::HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT\\";
        case platform::HKEY_CURRENT_USER: return "HKEY_CURRENT_USER\\";
        case platform::HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE\\";
        case platform::HKEY_USERS: return "HKEY_USERS\\";
        case platform::HKEY_PERFORMANCE_DATA: return "HKEY_PERFORMANCE_DATA\\";
        case platform::HKEY_DYN_DATA: return "HKEY_DYN_DATA\\";
        default: return {};
    }
}

int CRegistryFixer::CheckValue(const std::string& keyPath, const std::string& valueName,
                               const platform::BYTE* data, platform::DWORD type,
                               platform::DWORD length) {
    return CheckSectionValue(section_, paths_, ValueInput{keyPath, valueName, data, type, length});
}

void CRegistryFixer::Notify(int state) {
    if (notify_)
        notify_->HandleScanState(state);
    else
        host_.OnScanState(state);
}

void CRegistryFixer::PumpIfDue() {
    const auto now = std::chrono::steady_clock::now();
    if (pumpInterval_.count() <= 0 || now - lastPump_ >= pumpInterval_) {
        lastPump_ = now;
        host_.Pump();
    }
}

int CRegistryFixer::Poll() {
    PumpIfDue();
    if (runState_ == kPauseRequested) {
        runState_ = kPaused;
        Notify(kScanPaused);
    }
    while (runState_ == kPaused) {
        host_.Pump();
        host_.Sleep(100);
    }
    if (runState_ == kResumeRequested) {
        host_.Pump();
        runState_ = kRunning;
        Notify(kScanResumed);
    }
    return runState_ == kCancelRequested ? 3 : 1;
}

void CRegistryFixer::AddProblem(const std::string& keyText, const std::string& nameText,
                                const std::string& valueText, ExactValue exact) {
    if (!result_ || !total_) return;
    ++*total_;
    result_->problems.push_back({section_, keyText, nameText, valueText, std::move(exact), true});
    if (foundCountLabel_) foundCountLabel_->SetText(std::to_string(*total_) + " problem(s) found");
    if (sectionCounterLabel_) sectionCounterLabel_->SetText(std::to_string(result_->Count()));
}

}  // namespace engine
