#include "ui/win32/DialogTemplate.h"

#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

DWORD StyleOf(res::ControlKind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case res::ControlKind::Icon: return child | SS_ICON;
    case res::ControlKind::Link: return child | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
    case res::ControlKind::DefaultButton: return child | WS_TABSTOP | BS_DEFPUSHBUTTON;
    case res::ControlKind::Text: break;
    }
    return child | SS_LEFT | SS_NOPREFIX;
}

}  // namespace

DialogTemplate::DialogTemplate(const res::DialogTemplate& layout) {
    Word(1);       // version
    Word(0xFFFF);  // the extended form
    Long(0);       // help id
    Long(0);       // extended style
    Long(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT);
    Word(static_cast<WORD>(layout.controls.size()));
    Word(0);
    Word(0);
    Word(static_cast<WORD>(layout.width));
    Word(static_cast<WORD>(layout.height));
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(layout.caption);
    Word(8);    // points
    Word(400);  // weight
    Word(0);    // not italic, default character set
    Text("MS Shell Dlg");
    for (const res::ControlTemplate& control : layout.controls) {
        AlignToLong();
        Long(0);  // help id
        Long(0);  // extended style
        Long(StyleOf(control.kind));
        Word(static_cast<WORD>(control.x));
        Word(static_cast<WORD>(control.y));
        Word(static_cast<WORD>(control.width));
        Word(static_cast<WORD>(control.height));
        Long(static_cast<DWORD>(control.id));
        Word(0xFFFF);
        Word(control.kind == res::ControlKind::DefaultButton ? kButtonClass : kStaticClass);
        Text(control.text);
        Word(0);  // no creation data
    }
}

void DialogTemplate::Text(const char* text) {
    for (wchar_t unit : Wide(text)) Word(static_cast<WORD>(unit));
    Word(0);
}

}  // namespace ui::win32
