#include "ui/win32/CDialogIERestore.h"

namespace ui::win32 {

CDialogIERestore::CDialogIERestore(platform::Services& services, engine::Host& host)
    : ModalDialog(res::kIERestoreDialog), logic_(services, host, face_) {}

void CDialogIERestore::Init() {
    face_.SetDialog(Window());
    logic_.Start();
}

}  // namespace ui::win32
