#pragma once
// The user manual, an HTML file shipped beside drennow.exe, opened in the browser with the
// shell (there is no help file).
#include <windows.h>

#include <string>

namespace ui::win32 {

// manual.html beside the program, else share\drennow\manual.html one folder up (the layout of
// the Linux installation and build folders); empty when neither exists.
std::wstring ManualPath();

// Opens the manual; when there is none, a message box over `owner` says so.
void OpenManual(HWND owner);

}  // namespace ui::win32
