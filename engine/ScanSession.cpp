#include "engine/ScanSession.h"

#include <algorithm>

#include "engine/Drives.h"
#include "engine/KeyViews.h"
#include "engine/Sections.h"

namespace engine {
namespace {

constexpr const char* kCaption = "Information";

// Directory listings, and the existence answers drawn from them, are kept for the length of
// one scan only.
class DirectoryCaching {
public:
    DirectoryCaching(platform::Services& services, ExistenceTest& paths)
        : services_(services), paths_(paths) {
        services_.SetDirectoryCaching(true);
    }
    ~DirectoryCaching() {
        services_.SetDirectoryCaching(false);
        paths_.Forget();
    }
    DirectoryCaching(const DirectoryCaching&) = delete;
    DirectoryCaching& operator=(const DirectoryCaching&) = delete;

private:
    platform::Services& services_;
    ExistenceTest& paths_;
};

class ScanningFlag {
public:
    explicit ScanningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScanningFlag() { flag_ = false; }
    ScanningFlag(const ScanningFlag&) = delete;
    ScanningFlag& operator=(const ScanningFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

ScanSession::ScanSession(platform::Services& services, Host& host)
    : services_(services), host_(host), fixer_(services, host) {}

void ScanSession::ResetResults() {
    results_.Clear();
    repairLists_.Clear();
    for (int section = 1; section <= kSectionCount; ++section)
        if (Label* label = host_.SectionCounterLabel(section)) label->SetText("0");
    if (Label* label = host_.FoundCountLabel()) label->SetText("0 problem(s) found");
    host_.OnResultsReset();
}

ScanOutcome ScanSession::Scan(const SectionRows& rows) {
    if (SelectionSummary(rows) == Selection::None) {
        host_.MessageBox("Please select a section to scan before continuing!", kCaption,
                         Icon::Information);
        return ScanOutcome::Refused;
    }
    // Wine writes the registry files while the program is open (a program installed, its
    // server stopping): the scan reads them as they are now.
    if (const platform::Status fresh = services_.Refresh(); !fresh.ok()) {
        host_.MessageBox(fresh.message, kCaption, Icon::Warning);
        return ScanOutcome::Unreadable;
    }
    ScanningFlag scanning(scanning_);
    DirectoryCaching caching(services_, fixer_.Paths());
    // A request left over from before this scan (a Cancel pressed after the last walk) must
    // not reach this scan's first walk.
    fixer_.SetRunState(RunState::Idle);
    // A scan cancelled while paused never heard a resume: the Pause button asks for a pause
    // again.
    paused_ = false;
    host_.ShowScreen(Screen::Scanning);
    ResetResults();
    host_.Pump();
    continue_ = true;
    cancelled_ = false;

    auto chosen = [&rows](int section) {
        return std::any_of(rows.begin(), rows.end(), [section](const SectionRow& row) {
            return row.selected && row.drive.empty() && row.section == section;
        });
    };
    for (const Section& section : Sections())
        if (!section.shortcutWalk && chosen(section.number) && continue_)
            RunRegistrySection(section.number);

    workList_.clear();
    for (const SectionRow& row : rows)
        if (row.selected && !row.drive.empty()) workList_.push_back(row.drive);
    if (continue_ && !workList_.empty()) RunShortcutSection();

    fixer_.SetRunState(RunState::Idle);
    if (cancelled_) {
        ResetResults();
        host_.ShowScreen(Screen::Choose);
        return ScanOutcome::Cancelled;
    }
    continue_ = false;
    if (results_.total > 0) {
        host_.ShowScreen(Screen::Results);
        return ScanOutcome::ProblemsFound;
    }
    host_.MessageBox("No Problems Detected!", kCaption, Icon::Information);
    host_.ShowScreen(Screen::Choose);
    return ScanOutcome::NothingFound;
}

void ScanSession::PrepareFor(platform::HKEY root, int section) {
    SectionResult& result = results_.Section(section);
    fixer_.Prepare({root,
                    section,
                    &workList_,
                    &result,
                    &results_.total,
                    this,
                    {host_.CurrentKeyLabel(), host_.SectionNameLabel(),
                     host_.SectionCounterLabel(section), host_.FoundCountLabel()},
                    &results_.ignored});
}

void ScanSession::RunRegistrySection(int section) {
    for (const SectionWalk& walk : SectionByNumber(section).walks) {
        host_.Pump();
        workList_ = StartKeysWithCounterparts(services_, walk.root, walk.startKeys);
        if (!continue_) return;
        PrepareFor(walk.root, section);
        fixer_.Walk();
    }
}

void ScanSession::RunShortcutSection() {
    PrepareFor(0, kSectionCount);
    fixer_.ShortcutWalk();
}

void ScanSession::PauseCommand() {
    host_.BeginWaitCursor();
    host_.Pump();
    if (paused_) fixer_.ResumeRequest();
    else fixer_.PauseRequest();
}

void ScanSession::CancelCommand() { fixer_.CancelRequest(); }

void ScanSession::HandleScanState(ScanEvent event) {
    host_.EndWaitCursor();
    switch (event) {
    case ScanEvent::Cancelled:
        continue_ = false;
        cancelled_ = true;
        break;
    case ScanEvent::Paused: paused_ = true; break;
    case ScanEvent::Resumed: paused_ = false; break;
    }
    host_.OnScanState(event);
}

SectionRows BuildSectionRows(platform::Services& services) {
    return BuildSectionRows(FixedDriveRoots(services));
}

SectionRows BuildSectionRows(const std::vector<std::string>& driveRoots) {
    SectionRows rows;
    for (const Section& section : Sections()) {
        if (section.shortcutWalk) {
            // One row per drive, named after the section's counter row.
            for (const std::string& root : driveRoots)
                rows.push_back({std::string(section.rowName) + " ( " + root + " )", false,
                                root.substr(0, 2), section.number});
        } else {
            rows.push_back({section.name, false, {}, section.number});
        }
    }
    return rows;
}

Selection SelectionSummary(const SectionRows& rows) {
    const auto chosen =
        std::count_if(rows.begin(), rows.end(), [](const SectionRow& row) { return row.selected; });
    if (chosen == 0) return Selection::None;
    return static_cast<std::size_t>(chosen) == rows.size() ? Selection::All : Selection::Some;
}

}  // namespace engine
