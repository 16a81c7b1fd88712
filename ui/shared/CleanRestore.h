#pragma once
// The Clean Restore dialog's rules and its detail dialog's layout and note, for both desktop
// programs: which buttons a chosen row enables, what Detail, Restore and Delete do with the
// backup catalogue, and what the list shows after a Delete.
#include <string>
#include <utility>
#include <vector>

#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "platform/codepage/Codepage.h"
#include "repair/BackupCatalogue.h"
#include "repair/Messages.h"
#include "ui/res/Layouts.h"
#include "ui/shared/DialogFace.h"

namespace ui::shared {

class CleanRestoreFace : public DialogFace {
public:
    // Runs the detail dialog modally over these entries and damaged lines.
    virtual void RunDetail(const engine::ProblemList& entries, int damagedLines) = 0;
};

class CleanRestoreLogic {
public:
    CleanRestoreLogic(platform::Services& services, engine::Host& host, CleanRestoreFace& face)
        : catalogue_(services, host), face_(face) {}

    // Lists the backups; Detail, Restore and Delete wait for a row to be chosen.
    void Start() {
        catalogue_.LoadCatalogue();
        std::vector<Row> rows;
        for (const repair::BackupRow& row : catalogue_.Rows())
            rows.push_back({platform::codepage::AnsiToUtf16(row.time),
                            platform::codepage::AnsiToUtf16(std::to_string(row.count))});
        face_.SetRows(res::kCleanRestoreList, rows);
        EnableActions(false);
    }

    // The list's chosen row became `row` (-1: none), by a click or a key: a row enables the
    // three buttons and is the backup Detail and Restore act on; none disables them. A row
    // that goes with Delete chooses nothing.
    void OnChosen(int row) {
        if (removing_) return;
        EnableActions(row >= 0);
        if (row >= 0) catalogue_.LoadBackupEntries(row);
    }

    // A double click on a row opens its detail (the click before it has chosen the row).
    void OnDoubleClick() {
        if (face_.SelectedRow(res::kCleanRestoreList) >= 0) Detail();
    }

    // Runs the command of a button or key; true when the dialog is to end.
    bool Command(int id) {
        switch (id) {
        case res::kCleanRestoreDetail: Detail(); return false;
        // The catalogue tells the user what was restored, or what failed.
        case res::kCleanRestoreRestore: catalogue_.Restore(); return false;
        case res::kCleanRestoreDelete: Delete(); return false;
        case res::kCleanRestoreClose: return true;
        case res::kEscapeKey: return res::EscapeCloses(res::kCleanRestoreDialog);
        default: return false;
        }
    }

private:
    void EnableActions(bool enabled) {
        for (int id :
             {res::kCleanRestoreDetail, res::kCleanRestoreRestore, res::kCleanRestoreDelete})
            face_.Enable(id, enabled);
    }

    void Detail() { face_.RunDetail(catalogue_.Problems(), catalogue_.DamagedLines()); }

    // The chosen row's backup leaves the file and then the list, which chooses no other row;
    // the buttons keep their state. On failure the catalogue has said why and the row stays.
    void Delete() {
        const int row = face_.SelectedRow(res::kCleanRestoreList);
        if (row < 0 || !catalogue_.DeleteBackup(row)) return;
        removing_ = true;
        face_.RemoveRow(res::kCleanRestoreList, row);
        removing_ = false;
    }

    repair::BackupCatalogue catalogue_;
    CleanRestoreFace& face_;
    bool removing_ = false;
};

// Whether a command ends the detail dialog: Close, Enter (which presses Close) and Escape.
constexpr bool DetailCommandEnds(int id) {
    return id == res::kDetailClose ||
           (id == res::kEscapeKey && res::EscapeCloses(res::kDetailDialog));
}

// The note below the detail list: how many damaged lines of the backup were skipped; empty,
// and hidden, when none were.
inline std::string DetailNote(int damagedLines) {
    return damagedLines > 0 ? repair::DamagedLinesNote(damagedLines) : std::string();
}

}  // namespace ui::shared
