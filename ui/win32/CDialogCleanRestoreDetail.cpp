#include "ui/win32/CDialogCleanRestoreDetail.h"

#include <string>
#include <utility>

#include "platform/codepage/Codepage.h"
#include "ui/shared/CleanRestore.h"

namespace ui::win32 {

CDialogCleanRestoreDetail::CDialogCleanRestoreDetail(engine::ProblemList entries, int damagedLines)
    : ModalDialog(res::kDetailDialog), entries_(std::move(entries)), damagedLines_(damagedLines) {}

void CDialogCleanRestoreDetail::Init() {
    face_.SetDialog(Window());
    list_.Create(Window(), res::kDetailList);
    // Read-only rows: a click never changes an entry's action. They were saved, not repaired.
    list_.SetRepairLogMode(true);
    list_.SetMarkRepaired(false);
    list_.Fill(&entries_);
    ::ShowWindow(list_.Window(), SW_SHOW);
    const std::string note = shared::DetailNote(damagedLines_);
    face_.SetText(res::kDetailNote, platform::codepage::AnsiToUtf16(note));
    face_.Show(res::kDetailNote, !note.empty());
    RECT client{};
    ::GetClientRect(Window(), &client);
    Resized(client.right, client.bottom);
}

bool CDialogCleanRestoreDetail::Command(int id) { return shared::DetailCommandEnds(id); }

std::optional<LRESULT> CDialogCleanRestoreDetail::Notify(NMHDR& header) {
    LRESULT result = 0;
    if (list_.OnNotify(&header, &result)) return result;
    return std::nullopt;
}

void CDialogCleanRestoreDetail::Resized(int width, int height) {
    const res::DetailPlaces places = res::DetailLayout(width, height);
    for (const int id : {res::kDetailList, res::kDetailLine, res::kDetailNote, res::kDetailClose}) {
        const res::Place place = res::DetailPlace(places, id);
        ::SetWindowPos(face_.Item(id), nullptr, place.x, place.y, place.width, place.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(Window(), nullptr, TRUE);
}

}  // namespace ui::win32
