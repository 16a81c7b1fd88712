#include "ui/win32/DialogTemplate.h"

#include <commctrl.h>

#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

DWORD StyleOf(res::ControlKind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case res::ControlKind::Icon: return child | SS_ICON;
    case res::ControlKind::Link: return child | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
    case res::ControlKind::DefaultButton: return child | WS_TABSTOP | BS_DEFPUSHBUTTON;
    case res::ControlKind::Button: return child | WS_TABSTOP | BS_PUSHBUTTON;
    case res::ControlKind::CheckBox: return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    case res::ControlKind::Radio: return child | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON;
    case res::ControlKind::Edit: return child | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    case res::ControlKind::GroupBox: return child | BS_GROUPBOX;
    case res::ControlKind::EtchedLine: return child | SS_ETCHEDHORZ;
    case res::ControlKind::List:
        return child | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
               LVS_NOSORTHEADER;
    case res::ControlKind::Text:
    case res::ControlKind::GradientCaption:
    case res::ControlKind::ProblemList: break;
    }
    return child | SS_LEFT | SS_NOPREFIX;
}

WORD ClassOf(res::ControlKind kind) {
    switch (kind) {
    case res::ControlKind::DefaultButton:
    case res::ControlKind::Button:
    case res::ControlKind::CheckBox:
    case res::ControlKind::Radio:
    case res::ControlKind::GroupBox: return kButtonClass;
    case res::ControlKind::Edit: return kEditClass;
    default: return kStaticClass;
    }
}

DWORD FrameStyle(res::DialogFrame frame) {
    constexpr DWORD modal = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SHELLFONT | DS_CENTER;
    switch (frame) {
    // Without a system menu there is no close box either.
    case res::DialogFrame::NoCloseBox: return modal;
    case res::DialogFrame::Resizable: return modal | WS_SYSMENU | WS_MAXIMIZEBOX | WS_THICKFRAME;
    case res::DialogFrame::Fixed: break;
    }
    return modal | WS_SYSMENU;
}

// The problem list is made by its dialog, not by the template.
bool InTemplate(const res::ControlTemplate& control) {
    return control.kind != res::ControlKind::ProblemList;
}

}  // namespace

DialogTemplate::DialogTemplate(const res::DialogTemplate& layout) {
    WORD count = 0;
    for (const res::ControlTemplate& control : layout.controls) count += InTemplate(control);
    Word(1);       // version
    Word(0xFFFF);  // the extended form
    Long(0);       // help id
    Long(0);       // extended style
    Long(FrameStyle(layout.frame));
    Word(count);
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
        if (!InTemplate(control)) continue;
        AlignToLong();
        Long(0);  // help id
        Long(0);  // extended style: the dialog manager draws a border sunk
        Long(StyleOf(control.kind));
        Word(static_cast<WORD>(control.x));
        Word(static_cast<WORD>(control.y));
        Word(static_cast<WORD>(control.width));
        Word(static_cast<WORD>(control.height));
        Long(static_cast<DWORD>(control.id));
        if (control.kind == res::ControlKind::List) {
            Text("SysListView32");
        } else {
            Word(0xFFFF);
            Word(ClassOf(control.kind));
        }
        Text(control.text);
        Word(0);  // no creation data
    }
}

void DialogTemplate::Text(const char* text) {
    for (wchar_t unit : Wide(text)) Word(static_cast<WORD>(unit));
    Word(0);
}

}  // namespace ui::win32
