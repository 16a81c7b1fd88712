#pragma once
// The registry-fixing object: the scan context of the key walker and the shortcut walk, and
// the deleter and restorer of entries (those operations are defined in repair/).
#include <chrono>
#include <string>

#include "engine/FixerOutcome.h"
#include "engine/Host.h"
#include "engine/PathTest.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace engine {

// Receives the scan-state message (kScanCancelled, kScanPaused, kScanResumed) synchronously:
// the scan session, which updates its run flags before telling the host.
class ScanStateTarget {
public:
    virtual ~ScanStateTarget() = default;
    virtual void HandleScanState(int state) = 0;
};

class CRegistryFixer {
public:
    CRegistryFixer(platform::Services& services, Host& host);

    platform::Services& Services() { return services_; }
    Host& GetHost() { return host_; }

    // ---- Scanning ------------------------------------------------------------------------
    // Stores where the next walk looks and where it reports. An empty section name takes the
    // section's own name. Neither the run state nor the work list's contents change. Labels
    // and the notify target may be null (no label / the host is told directly).
    void Prepare(platform::HKEY root, TextList& workList, int section, SectionResult& result,
                 int& total, ScanStateTarget* notify,
                 const std::string& sectionName, Label* currentKeyLabel,
                 Label* sectionNameLabel, Label* sectionCounterLabel, Label* foundCountLabel);
    // Walks every key of the work list and below it, breadth first, under the root.
    void Walk();
    // Walks the folders of the work list (drives such as "C:") for dead shortcuts.
    void ShortcutWalk();
    // The section dispatch for one value: non-zero fine, zero problem.
    int CheckValue(const std::string& keyPath, const std::string& valueName,
                   const platform::BYTE* data, platform::DWORD type, platform::DWORD length);
    // Between two steps of a walk: 3 when the walk must stop, 1 to go on. Holds the walk
    // while it is paused.
    int Poll();
    // Appends one problem record (key, name and value texts, mark "0") and its exact value to
    // the section's result and updates the counts and labels.
    void AddProblem(const std::string& keyText, const std::string& nameText,
                    const std::string& valueText, ExactValue exact = {});

    // The existence test of the checkers and the shortcut walk, remembering its answers while
    // the platform caches listings.
    ExistenceTest& Paths() { return paths_; }

    int GetRunState() const { return runState_; }
    void SetRunState(int state) { runState_ = state; }
    void PauseRequest() { runState_ = kPauseRequested; }
    void ResumeRequest() { runState_ = kResumeRequested; }
    void CancelRequest() { runState_ = kCancelRequested; }

    // The poll looks at the run state every time but hands events to the host at most this
    // often (0: every poll).
    void SetPumpInterval(std::chrono::milliseconds interval) { pumpInterval_ = interval; }
    int Section() const { return section_; }
    const std::string& SectionNameText() const { return sectionName_; }

    // "HKEY_LOCAL_MACHINE\" and the other root names; empty for any other root.
    static std::string RootPrefix(platform::HKEY root);

    // ---- Repair and restore (repair/) ----------------------------------------------------
    // Deletes every value the registry repair list names (key line, value line pairs). Keys
    // are opened, never created. Changes are not committed here.
    RepairOutcome DeleteRegistryValues(const TextList& list);
    // Deletes every listed shortcut file.
    RepairOutcome DeleteShortcutFiles(const TextList& list);
    // Writes every entry (key line, name text, data text, mark) into the registry; not
    // committed here.
    RestoreOutcome RestoreEntries(const TextList& entries);

private:
    void Notify(int state);
    void PumpIfDue();

    platform::Services& services_;
    Host& host_;
    ExistenceTest paths_;

    platform::HKEY root_ = 0;
    TextList* workList_ = nullptr;
    int section_ = 0;
    SectionResult* result_ = nullptr;
    int* total_ = nullptr;
    ScanStateTarget* notify_ = nullptr;
    std::string sectionName_;
    Label* currentKeyLabel_ = nullptr;
    Label* sectionNameLabel_ = nullptr;
    Label* sectionCounterLabel_ = nullptr;
    Label* foundCountLabel_ = nullptr;
    int runState_ = kIdle;

    std::chrono::milliseconds pumpInterval_{10};
    std::chrono::steady_clock::time_point lastPump_{};
};

}  // namespace engine
