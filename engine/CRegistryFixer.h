#pragma once
// The registry-fixing object: the scan context of the key walker and the shortcut walk.
#include <chrono>
#include <string>

#include "engine/Checkers.h"
#include "engine/Host.h"
#include "engine/IgnoreList.h"
#include "engine/PathTest.h"
#include "engine/ScanModel.h"
#include "engine/WalkQueue.h"
#include "platform/Services.h"

namespace engine {

// Receives the scan events synchronously: the scan session, which updates its run flags
// before telling the host.
class ScanStateTarget {
public:
    virtual ~ScanStateTarget() = default;
    virtual void HandleScanState(ScanEvent event) = 0;
};

// The labels a walk updates as it goes; each may be null (no label).
struct WalkLabels {
    Label* currentKey = nullptr;
    Label* sectionName = nullptr;
    Label* sectionCounter = nullptr;
    Label* foundCount = nullptr;
};

// What the next walk does: where it looks and where its findings go. The fixer keeps the
// pointers (none owns what it points at) until the next Prepare.
struct WalkPlan {
    platform::HKEY root = 0;  // the registry root; 0 for the shortcut walk
    int section = 0;
    const TextList* workList = nullptr;  // start keys or drives
    SectionResult* result = nullptr;     // the section's problems
    int* total = nullptr;                // problems of the whole scan
    ScanStateTarget* notify = nullptr;   // null: the host is told directly
    WalkLabels labels;
    int* ignored = nullptr;  // ignored problems of the whole scan; may be null
};

class CRegistryFixer {
public:
    CRegistryFixer(platform::Services& services, Host& host);

    platform::Services& Services() { return services_; }

    // ---- Scanning ------------------------------------------------------------------------
    // Stores where the next walk looks and where it reports (workList, result and total
    // must be given). Neither the run state nor the work list's contents change.
    void Prepare(const WalkPlan& plan);
    // Walks every key of the work list and below it, breadth first, under the root.
    void Walk();
    // Walks the folders of the work list (drives such as "C:") for dead shortcuts.
    void ShortcutWalk();
    // The section dispatch for one value.
    Verdict CheckValue(const std::string& keyPath, const std::string& valueName,
                       const platform::BYTE* data, platform::DWORD type, platform::DWORD length);
    enum class PollResult { GoOn, Stop };
    // Between two steps of a walk: whether the walk must stop. Holds the walk while it is
    // paused.
    PollResult Poll();
    // Appends one problem record (key, name and value texts, mark "0") and its exact value to
    // the section's result and updates the counts and labels; one the ignore list covers is
    // only counted as ignored.
    void AddProblem(const std::string& keyText, const std::string& nameText,
                    const std::string& valueText, ExactValue exact = {});

    // The existence test of the checkers and the shortcut walk, remembering its answers while
    // the platform caches listings.
    ExistenceTest& Paths() { return paths_; }

    // The entries later walks leave out.
    void SetIgnoreList(IgnoreList list) { ignore_ = std::move(list); }
    const IgnoreList& Ignored() const { return ignore_; }

    RunState GetRunState() const { return runState_; }
    void SetRunState(RunState state) { runState_ = state; }
    void PauseRequest() { runState_ = RunState::PauseRequested; }
    void ResumeRequest() { runState_ = RunState::ResumeRequested; }
    void CancelRequest() { runState_ = RunState::CancelRequested; }

    // The poll looks at the run state every time but hands events to the host at most this
    // often (0: every poll).
    void SetPumpInterval(std::chrono::milliseconds interval) { pumpInterval_ = interval; }

private:
    // Runs `visit` on each queued item until the queue is empty or a poll says stop, which
    // ends the walk as cancelled.
    template <typename Item, typename Visit>
    void RunWalk(WalkQueue<Item> queue, Visit visit) {
        // A Pause or Cancel pressed between two walks (in the scanner's own pump) stays
        // pending for this walk's first poll instead of being lost.
        if (runState_ == RunState::Idle) runState_ = RunState::Running;
        while (!queue.Empty()) {
            const Item item = queue.Take();
            if (visit(item, queue) == PollResult::Stop) {
                runState_ = RunState::Idle;
                Notify(ScanEvent::Cancelled);
                return;
            }
        }
        // A Pause or Cancel that no poll of this walk saw (a walk whose items are all missing
        // polls nothing) stays pending for the next walk.
        if (runState_ == RunState::Running) runState_ = RunState::Idle;
    }

    void Notify(ScanEvent event);
    void PumpIfDue();

    platform::Services& services_;
    Host& host_;
    ExistenceTest paths_;

    WalkPlan plan_;
    IgnoreList ignore_;
    RunState runState_ = RunState::Idle;

    std::chrono::milliseconds pumpInterval_{10};
    std::chrono::steady_clock::time_point lastPump_{};
};

}  // namespace engine
