#pragma once
// The About box: version, the maker's line, and the web and mail links.
#include <windows.h>

#include <memory>

#include "ui/win32/CStaticLink.h"
#include "ui/win32/Handles.h"

namespace ui::win32 {

class CDialogAbout {
public:
    CDialogAbout();
    // Runs the box modally over `owner`.
    void DoModal(HWND owner);
    // Creates the box without showing or running it, for its geometry; the caller destroys it.
    HWND CreateHidden(HWND owner);

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Init(HWND dialog);
    bool Command(HWND dialog, int id);

    OwnedFont dialogFont_;
    std::unique_ptr<CStaticLink> webLink_;
    std::unique_ptr<CStaticLink> mailLink_;
};

}  // namespace ui::win32
