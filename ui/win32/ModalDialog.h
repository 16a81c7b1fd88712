#pragma once
// A modal dialog built at run time from one of ui/res/Layouts.h's templates: its gradient
// captions drawn, F1 opening the manual, and each button's command handed to the dialog's
// rules, which say when it ends. Enter is the default button's command (else kEnterKey);
// Escape, the close box and Alt+F4 are kEscapeKey.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "ui/res/Layouts.h"
#include "ui/win32/CStaticGradient.h"

namespace ui::win32 {

class ModalDialog {
public:
    explicit ModalDialog(const res::DialogTemplate& layout) : layout_(layout) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog modally over `owner` until its rules end it.
    void Run(HWND owner);
    // Creates the dialog without showing or running it, for its geometry and pictures; the
    // caller destroys it.
    HWND CreateHidden(HWND owner);
    HWND Window() const { return window_; }

protected:
    // WM_INITDIALOG, once the controls exist.
    virtual void Init() {}
    // A button's or key's command; true when the dialog is to end.
    virtual bool Command(int id) = 0;
    // A control's notification; a result ends it there.
    virtual std::optional<LRESULT> Notify(NMHDR&) { return std::nullopt; }
    // The client area's new size.
    virtual void Resized(int /*width*/, int /*height*/) {}

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Start(HWND dialog);

    const res::DialogTemplate& layout_;
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<CStaticGradient>> captions_;
};

}  // namespace ui::win32
