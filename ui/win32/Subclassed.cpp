#include "ui/win32/Subclassed.h"

#include <commctrl.h>

namespace ui::win32 {
namespace {
constexpr UINT_PTR kSubclassId = 1;
}

Subclassed::Subclassed(HWND window) : window_(window) {
    ::SetWindowSubclass(window_, &Subclassed::Procedure, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
}

Subclassed::~Subclassed() {
    if (::IsWindow(window_)) ::RemoveWindowSubclass(window_, &Subclassed::Procedure, kSubclassId);
}

LRESULT Subclassed::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(window_, message, wParam, lParam);
}

void Subclassed::TrackLeave() {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window_, 0};
    ::TrackMouseEvent(&track);
}

LRESULT CALLBACK Subclassed::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<Subclassed*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &Subclassed::Procedure, kSubclassId);
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    if (const std::optional<LRESULT> result = control->Handle(message, wParam, lParam))
        return *result;
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui::win32
