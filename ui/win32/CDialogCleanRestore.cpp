#include "ui/win32/CDialogCleanRestore.h"

#include <commctrl.h>

#include "ui/win32/CDialogCleanRestoreDetail.h"

namespace ui::win32 {

void CDialogCleanRestore::Face::RunDetail(const engine::ProblemList& entries, int damagedLines) {
    // Owned by this dialog, which it keeps from clicks while it runs, as the Qt program's
    // modal detail does.
    CDialogCleanRestoreDetail detail(entries, damagedLines);
    detail.Run(Dialog());
}

CDialogCleanRestore::CDialogCleanRestore(platform::Services& services, engine::Host& host)
    : ModalDialog(res::kCleanRestoreDialog), logic_(services, host, face_) {}

void CDialogCleanRestore::Init() {
    face_.SetDialog(Window());
    SetUpList(face_.Item(res::kCleanRestoreList), res::kBackupColumns);
    logic_.Start();
}

std::optional<LRESULT> CDialogCleanRestore::Notify(NMHDR& header) {
    if (header.idFrom != res::kCleanRestoreList) return std::nullopt;
    switch (header.code) {
    // A row chosen by a click or with the arrow keys, or none (a click on empty space).
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
            logic_.OnChosen(face_.SelectedRow(res::kCleanRestoreList));
        return std::nullopt;
    }
    case NM_CLICK: logic_.OnChosen(face_.SelectedRow(res::kCleanRestoreList)); return 0;
    case NM_DBLCLK: logic_.OnDoubleClick(); return 0;
    default: return std::nullopt;
    }
}

}  // namespace ui::win32
