#pragma once
// The Ignored Entries dialog (Option > Ignored Entries...): the prefix's ignore list, and
// Remove and Remove All. Only Close (or Enter) ends it: it has no close box and Escape does
// nothing.
#include "engine/Host.h"
#include "platform/Services.h"
#include "ui/shared/IgnoredEntriesDialog.h"
#include "ui/win32/ModalDialog.h"
#include "ui/win32/WindowFace.h"

namespace ui::win32 {

class CDialogIgnoredEntries final : public ModalDialog {
public:
    CDialogIgnoredEntries(platform::Services& services, engine::Host& host);

private:
    void Init() override;
    bool Command(int id) override { return logic_.Command(id); }
    std::optional<LRESULT> Notify(NMHDR& header) override;

    WindowFace<> face_;
    shared::IgnoredEntriesLogic logic_;
};

}  // namespace ui::win32
