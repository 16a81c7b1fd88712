#pragma once
// The Repair All command without its window: backup question, backup, deletions, commit, and
// the messages, all through the host.
#include <string>

#include "repair/Outcomes.h"
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace repair {

inline constexpr const char* kBackupQuestion =
    "Do you want to save a backup before repairing(Recommended)?";
inline constexpr engine::BoxStyle kBackupQuestionStyle{engine::Buttons::YesNoCancel,
                                                       engine::Icon::Question};

struct RepairReport {
    enum class End {
        Cancelled,     // the question was answered Cancel: nothing happened
        Refused,       // writing is not allowed now (a running wineserver): nothing happened
        BackupFailed,  // the asked-for backup could not be written: nothing deleted
        CommitFailed,  // the registry deletions could not be saved: nothing deleted
        Done           // the deletions ran; the outcomes say what happened
    };
    End end = End::Cancelled;
    bool backupWritten = false;
    std::string reason;  // why it stopped, for every end but Cancelled and Done
    // Refused because another program changed the registry since the scan, and the user
    // asked to scan again.
    bool scanAgain = false;
    repair::RepairOutcome registry;
    repair::RepairOutcome shortcuts;

    int Repaired() const;  // entries gone afterwards
    int Failed() const;
};

// The message shown at the end of a repair that ran.
std::string TotalMessage(const RepairReport& report);

// Runs the repair of every record marked "Delete this Entry": rebuilds `lists`, asks the
// backup question, writes the backup on Yes, deletes the registry values, commits them, and
// only then deletes the shortcut files; shows screen 4 and the total. With `offerScanAgain`,
// a refusal because the registry changed since the scan asks whether to scan again.
RepairReport RepairCommand(const engine::ScanResults& results, engine::RepairLists& lists,
                           platform::Services& services, engine::Host& host,
                           bool offerScanAgain = false);

inline constexpr const char* kScanAgainQuestion = "Scan again now?";

}  // namespace repair
