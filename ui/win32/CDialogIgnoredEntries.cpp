#include "ui/win32/CDialogIgnoredEntries.h"

#include <commctrl.h>

namespace ui::win32 {

CDialogIgnoredEntries::CDialogIgnoredEntries(platform::Services& services, engine::Host& host)
    : ModalDialog(res::kIgnoredDialog), logic_(services, host, face_) {}

void CDialogIgnoredEntries::Init() {
    face_.SetDialog(Window());
    SetUpList(face_.Item(res::kIgnoredList), res::kIgnoredColumns);
    logic_.Start();
}

std::optional<LRESULT> CDialogIgnoredEntries::Notify(NMHDR& header) {
    if (header.idFrom == res::kIgnoredList && header.code == LVN_ITEMCHANGED) logic_.OnChosen();
    return std::nullopt;
}

}  // namespace ui::win32
