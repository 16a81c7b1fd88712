#pragma once
// The IE Restore dialog: the browser's start page and window title, and the registry
// editor's policy lock, each written when its Apply button is pressed. Enter presses no
// button; Escape, the close box and Close end it.
#include "engine/Host.h"
#include "platform/Services.h"
#include "ui/shared/IERestore.h"
#include "ui/win32/ModalDialog.h"
#include "ui/win32/WindowFace.h"

namespace ui::win32 {

class CDialogIERestore final : public ModalDialog {
public:
    CDialogIERestore(platform::Services& services, engine::Host& host);

private:
    void Init() override;
    bool Command(int id) override { return logic_.Command(id); }

    WindowFace<> face_;
    shared::IERestoreLogic logic_;
};

}  // namespace ui::win32
