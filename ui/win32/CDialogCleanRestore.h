#pragma once
// The Clean Restore dialog: the backups with their time and entry count, and Detail, Restore
// and Delete for the one chosen. Only Close (or Enter) ends it: it has no close box and
// Escape does nothing.
#include "engine/Host.h"
#include "platform/Services.h"
#include "ui/shared/CleanRestore.h"
#include "ui/win32/ModalDialog.h"
#include "ui/win32/WindowFace.h"

namespace ui::win32 {

class CDialogCleanRestore final : public ModalDialog {
public:
    CDialogCleanRestore(platform::Services& services, engine::Host& host);

private:
    class Face final : public WindowFace<shared::CleanRestoreFace> {
    public:
        void RunDetail(const engine::ProblemList& entries, int damagedLines) override;
    };

    void Init() override;
    bool Command(int id) override { return logic_.Command(id); }
    std::optional<LRESULT> Notify(NMHDR& header) override;

    Face face_;
    shared::CleanRestoreLogic logic_;
};

}  // namespace ui::win32
