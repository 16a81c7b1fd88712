#pragma once
// The About box: version, the maker's line, and the web and mail links.
#include <windows.h>

#include <memory>

#include "ui/win32/CStaticLink.h"
#include "ui/win32/Handles.h"
#include "ui/win32/ModalDialog.h"

namespace ui::win32 {

class CDialogAbout final : public ModalDialog {
public:
    CDialogAbout();
    // Runs the box modally over `owner`.
    void DoModal(HWND owner) { Run(owner); }

private:
    void Init() override;
    bool Command(int id) override;

    OwnedFont dialogFont_;
    std::unique_ptr<CStaticLink> webLink_;
    std::unique_ptr<CStaticLink> mailLink_;
};

}  // namespace ui::win32
