#pragma once
// The Clean Restore detail dialog: the entries of one backup, read-only, in the problem list
// control's repair log mode, and how many damaged lines of the backup were skipped. It can
// be resized and maximised; Escape, the close box and Close end it.
#include "engine/ScanModel.h"
#include "ui/win32/CListCtrlResult.h"
#include "ui/win32/ModalDialog.h"
#include "ui/win32/WindowFace.h"

namespace ui::win32 {

class CDialogCleanRestoreDetail final : public ModalDialog {
public:
    CDialogCleanRestoreDetail(engine::ProblemList entries, int damagedLines);

private:
    void Init() override;
    bool Command(int id) override;
    std::optional<LRESULT> Notify(NMHDR& header) override;
    void Resized(int width, int height) override;

    // The list control keeps pointing at this copy while it shows the rows.
    engine::ProblemList entries_;
    int damagedLines_;
    WindowFace<> face_;
    CListCtrlResult list_;
};

}  // namespace ui::win32
