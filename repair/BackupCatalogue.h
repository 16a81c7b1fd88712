#pragma once
// The backups in `backup.txt` as the Clean Restore dialog shows them: one row per listed
// block, the entries of the row chosen last, deleting a block and restoring its entries.
#include <string>
#include <vector>

#include "repair/Outcomes.h"
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "repair/ShortcutBackup.h"

namespace repair {

struct BackupRow {
    std::string time;   // column 0, "Backup Time"
    std::string count;  // column 1, "Backup Counts"
};

class BackupCatalogue {
public:
    BackupCatalogue(platform::Services& services, engine::Host& host);

    // Reads the backup file and lists every block whose count is a number above 0 or that
    // holds copies of shortcut files (its count then includes them). A missing or unreadable
    // file gives an empty list.
    void LoadCatalogue();
    // The entries (key line, name text, data text, "0") and the shortcut file copies of the
    // row-th listed block.
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
    const engine::TextList& Entries() const { return entries_; }
    const std::vector<SavedShortcut>& Shortcuts() const { return shortcuts_; }
    // The entries followed by one record per shortcut file copy, for the Detail list.
    engine::TextList DetailEntries() const;
    const engine::TextList& Lines() const { return lines_; }

private:
    // For every line: -1 when it starts no listed block, else the listed block's row;
    // `header` tells which lines are header lines at all; `copies` (when given) the number of
    // shortcut file copies in the block a header line starts.
    void ClassifyLines(std::vector<int>& rowOf, std::vector<bool>& header,
                       std::vector<int>* copies = nullptr) const;

    platform::Services& services_;
    engine::Host& host_;
    engine::TextList lines_;
    std::vector<BackupRow> rows_;
    engine::TextList entries_;
    std::vector<SavedShortcut> shortcuts_;
};

// The time text and count text of a header line (its first ">>" already checked).
BackupRow HeaderTexts(const std::string& headerLine);
// Whether a block with this count text is listed: a decimal number above 0.
bool IsListedCount(const std::string& countText);

}  // namespace repair
