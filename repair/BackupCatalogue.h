#pragma once
// The backups in `backup.txt` as the Clean Restore dialog and `backups` show them: one row per
// listed block, the entries of the row chosen last, deleting a block and restoring its entries.
#include <string>
#include <string_view>
#include <vector>

#include "repair/Outcomes.h"
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "repair/RestoreEntries.h"
#include "repair/ShortcutBackup.h"

namespace repair {

struct BackupRow {
    std::string time;  // column 0, "Backup Time"
    // Column 1, "Backup Counts": the header's count of registry entries, and the block's
    // shortcut file copies.
    long count = 0;
};

class BackupCatalogue {
public:
    BackupCatalogue(platform::Services& services, engine::Host& host);

    // Reads the backup file and lists every block whose count is a number above 0 or that
    // holds copies of shortcut files. A missing or unreadable file gives an empty list.
    void LoadCatalogue();
    // The entries and the shortcut file copies of the row-th listed block. A line that is no
    // part of either (a cut or hand-edited entry) is skipped and counted, and the reading
    // goes on at the next line that starts one, so that no later entry is lost.
    void LoadBackupEntries(int row);
    // Removes the row-th listed block from the file, rewritten atomically, and only then from
    // the rows and lines. On failure a message says why and nothing changes. Empties the
    // entry list either way.
    bool DeleteBackup(int row);
    // Writes the loaded entries back into the registry and commits, then puts the loaded
    // shortcut files back; the message says what happened.
    repair::RestoreOutcome Restore();

    const std::vector<BackupRow>& Rows() const { return rows_; }
    int ListedCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<BackupEntry>& Entries() const { return entries_; }
    const std::vector<SavedShortcut>& Shortcuts() const { return shortcuts_; }
    // The lines of the loaded block that were skipped as damaged.
    int DamagedLines() const { return damagedLines_; }
    // The loaded entries as problems, then one per shortcut file copy, for the Detail list
    // and `backups show`.
    engine::ProblemList Problems() const;

private:
    // Finds the blocks of the lines: the rows, and for every line whether it is a header and
    // which listed block it starts.
    void ListBlocks();

    platform::Services& services_;
    engine::Host& host_;
    engine::TextList lines_;
    std::vector<BackupRow> rows_;
    std::vector<bool> header_;  // per line: a header line, which ends the block before it
    std::vector<int> rowOf_;    // per line: the listed block it starts; -1 for none
    std::vector<BackupEntry> entries_;
    std::vector<SavedShortcut> shortcuts_;
    int damagedLines_ = 0;
};

// The time and count of a header line (its first ">>" already checked); a count that is no
// number is 0.
BackupRow HeaderRow(std::string_view headerLine);

}  // namespace repair
