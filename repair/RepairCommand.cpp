#include "repair/RepairCommand.h"

#include <fmt/format.h>

#include "repair/BackupWriter.h"
#include "repair/CommitOrDiscard.h"
#include "repair/Messages.h"
#include "repair/RepairLists.h"
#include "repair/ShortcutBackup.h"
#include "repair/RegistryDeletion.h"

namespace repair {

namespace {

constexpr const char* kInformation = kInformationCaption;
RepairReport Stop(RepairReport report, RepairReport::End end, std::string reason,
                  engine::Host& host, const std::string& text) {
    report.end = end;
    report.reason = std::move(reason);
    host.MessageBox(text, kInformation, engine::Icon::Information);
    return report;
}

// The repair log lists only what is gone: records of entries that failed are dropped.
// Registry entries come first in the repaired-entries list, then the shortcut files.
void DropFailed(engine::RepairLists& lists, const RepairReport& report) {
    std::vector<bool> failed(lists.repaired.size(), false);
    const std::size_t shortcutsFrom = lists.registry.size();
    for (std::size_t entry : report.registry.failedEntries)
        if (entry < failed.size()) failed[entry] = true;
    for (std::size_t entry : report.shortcuts.failedEntries)
        if (shortcutsFrom + entry < failed.size()) failed[shortcutsFrom + entry] = true;
    engine::ProblemList kept;
    for (std::size_t record = 0; record < failed.size(); ++record)
        if (!failed[record]) kept.push_back(std::move(lists.repaired[record]));
    lists.repaired = std::move(kept);
}

}  // namespace

int RepairReport::Repaired() const { return registry.Gone() + shortcuts.Gone(); }

int RepairReport::Failed() const { return registry.failed + shortcuts.failed; }

std::string TotalMessage(const RepairReport& report) {
    std::string text =
        fmt::format("Total {} problem(s) have been repaired successfully!", report.Repaired());
    if (report.Failed() > 0) {
        std::vector<std::string> failures = report.registry.failures;
        failures.insert(failures.end(), report.shortcuts.failures.begin(),
                        report.shortcuts.failures.end());
        text += fmt::format("\n\n{} problem(s) could not be repaired:", report.Failed());
        text += FailureLines(failures);
    }
    return text;
}

RepairReport RepairCommand(const engine::ScanResults& results, engine::RepairLists& lists,
                           platform::Services& services, engine::Host& host, bool offerScanAgain) {
    RepairReport report;
    PrepareRepairLists(results, lists);

    // A repair that cannot write is refused before the backup question: an answer would
    // change nothing.
    const int chosen = static_cast<int>(lists.registry.size() + lists.shortcuts.size());
    if (chosen > 0) {
        const platform::Status writable = services.CanWrite();
        if (!writable.ok()) {
            const std::string text = fmt::format("Nothing has been repaired: {}", writable.message);
            if (offerScanAgain && writable.code == platform::ERROR_LOCK_VIOLATION) {
                report.end = RepairReport::End::Refused;
                report.reason = writable.message;
                report.scanAgain =
                    host.MessageBox(fmt::format("{}\n\n{}", text, kScanAgainQuestion), kInformation,
                                    {engine::Buttons::YesNo, engine::Icon::Question}) ==
                    engine::Answer::Yes;
                return report;
            }
            return Stop(report, RepairReport::End::Refused, writable.message, host, text);
        }
    }

    const engine::Answer answer =
        host.MessageBox(kBackupQuestion, kInformation, kBackupQuestionStyle);
    if (answer != engine::Answer::Yes && answer != engine::Answer::No) return report;
    WrittenBlock backupBlock;
    // With a backup, a shortcut file is deleted only once its copy is in the backup file.
    ShortcutCopies copies;
    if (answer == engine::Answer::Yes) {
        copies = ReadShortcutCopies(services, lists.shortcuts);
        const platform::Status backup = WriteBackup(services, lists, copies.saved, &backupBlock);
        if (!backup.ok()) {
            return Stop(report, RepairReport::End::BackupFailed, backup.message, host,
                        fmt::format("The backup could not be saved, so nothing has been "
                                    "repaired.\n{}",
                                    backup.message));
        }
        report.backupWritten = true;
    }

    report.registry = DeleteRegistryValues(services, lists.registry);
    {
        const platform::Status commit = CommitOrDiscard(services);
        if (!commit.ok()) {
            // Nothing reached the disk: every deletion counts as failed, and no shortcut
            // file goes while its registry half stayed.
            report.registry.failed += report.registry.removed;
            report.registry.removed = 0;
            report.registry.failures.push_back(commit.message);
            std::string text = fmt::format(
                "The registry changes could not be saved, so nothing "
                "has been repaired.\n{}",
                commit.message);
            // A backup of entries still there would be listed as a repair that never was.
            // It stays when part of the registry was written (its entries may be gone).
            if (report.backupWritten && commit.code != platform::ERROR_WRITE_FAULT) {
                const platform::Status removed = RemoveBackupBlock(services, backupBlock);
                if (removed.ok()) report.backupWritten = false;
                else
                    text += fmt::format(
                        "\nThe backup saved for this repair could not be "
                        "taken out again: {}",
                        removed.message);
            }
            return Stop(report, RepairReport::End::CommitFailed, commit.message, host, text);
        }
    }
    report.shortcuts = DeleteShortcutsWithCopies(services, lists.shortcuts,
                                                 report.backupWritten ? &copies : nullptr);
    report.end = RepairReport::End::Done;
    DropFailed(lists, report);

    host.ShowScreen(engine::Screen::RepairLog);
    host.MessageBox(TotalMessage(report), "", engine::Buttons::Ok);
    return report;
}

}  // namespace repair
