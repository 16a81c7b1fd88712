#pragma once
// One front end's scan: the results, repair lists, run flags, work list and scan context,
// the scan run over the chosen section rows, and the Pause and Cancel commands.
#include <chrono>

#include "engine/CRegistryFixer.h"
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace engine {

enum class ScanOutcome {
    Refused,        // no row chosen: the message box was shown, nothing changed
    Unreadable,     // the registry files changed and cannot be read again: the box said why
    Cancelled,      // results discarded, screen 1
    NothingFound,   // "No Problems Detected!", screen 1
    ProblemsFound,  // screen 3
};

class ScanSession final : public ScanStateTarget {
public:
    ScanSession(platform::Services& services, Host& host);
    ScanSession(const ScanSession&) = delete;
    ScanSession& operator=(const ScanSession&) = delete;

    // The Scan command over the section list's rows; with no row chosen (or no row at all)
    // the scan is refused.
    ScanOutcome Scan(const SectionRows& rows);
    // The Pause button: asks for a pause, or for a resume while paused.
    void PauseCommand();
    // The Cancel button.
    void CancelCommand();
    // A scan event: ends the wait cursor, updates the run flags, tells the host.
    void HandleScanState(ScanEvent event) override;
    // Empties results and repair lists and resets the counter labels.
    void ResetResults();

    ScanResults& Results() { return results_; }
    const ScanResults& Results() const { return results_; }
    RepairLists& Repair() { return repairLists_; }
    const RepairLists& Repair() const { return repairLists_; }
    // The entries later scans leave out.
    void SetIgnoreList(IgnoreList list) { fixer_.SetIgnoreList(std::move(list)); }
    bool Scanning() const { return scanning_; }
    bool Paused() const { return paused_; }
    bool Cancelled() const { return cancelled_; }
    bool Continuing() const { return continue_; }
    void SetPumpInterval(std::chrono::milliseconds interval) { fixer_.SetPumpInterval(interval); }

private:
    void RunRegistrySection(int section);
    void RunShortcutSection();
    void PrepareFor(platform::HKEY root, int section);

    platform::Services& services_;
    Host& host_;
    ScanResults results_;
    RepairLists repairLists_;
    TextList workList_;
    CRegistryFixer fixer_;
    bool continue_ = false;
    bool cancelled_ = false;
    bool paused_ = false;
    bool scanning_ = false;
};

// The section list's rows: the section table's registry sections, then "Valid Shortcuts ( X:\ )"
// per fixed drive in the system's order. No row is chosen.
SectionRows BuildSectionRows(platform::Services& services);
// The same rows for these drive roots ("C:\\"...).
SectionRows BuildSectionRows(const std::vector<std::string>& driveRoots);
// Whether every row, no row or some rows are chosen; no rows at all count as none chosen.
Selection SelectionSummary(const SectionRows& rows);

}  // namespace engine
