// The engine's and the platform's headers come before <windows.h>, whose macros would
// rename their Win32 names.
#include "platform/win32/Machine.h"
#include "ui/shared/CleanRestore.h"
#include "ui/shared/IERestore.h"
#include "ui/shared/IgnoredEntriesDialog.h"
#include "engine/QuietHost.h"

#include "ui/win32/CDialogCleanRestore.h"
#include "ui/win32/CDialogCleanRestoreDetail.h"
#include "ui/win32/CDialogIERestore.h"
#include "ui/win32/CDialogIgnoredEntries.h"

#include "ui/win32/DialogSamples.h"

#include <memory>

namespace ui::win32 {

void ForEachDialog(HWND owner, const std::function<void(const char* name, HWND dialog,
                                                        const res::DialogTemplate& layout)>& look) {
    const std::unique_ptr<platform::Services> services = platform::win32::OpenMachine();
    engine::QuietHost host;
    auto show = [&](const char* name, ModalDialog& dialog, const res::DialogTemplate& layout) {
        HWND window = dialog.CreateHidden(owner);
        if (!window) return;
        look(name, window, layout);
        ::DestroyWindow(window);
    };
    CDialogCleanRestore cleanRestore(*services, host);
    show("cleanrestore", cleanRestore, res::kCleanRestoreDialog);
    CDialogCleanRestoreDetail detail({}, 0);
    show("detail", detail, res::kDetailDialog);
    CDialogIERestore ieRestore(*services, host);
    show("ierestore", ieRestore, res::kIERestoreDialog);
    CDialogIgnoredEntries ignored(*services, host);
    show("ignored", ignored, res::kIgnoredDialog);
}

}  // namespace ui::win32
