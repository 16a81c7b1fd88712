#pragma once
// The modal dialogs made hidden over the machine's registry and files, one after the other,
// for the test switches' geometry reports and pictures.
#include <windows.h>

#include <functional>

#include "ui/res/Layouts.h"

namespace ui::win32 {

// Calls `look` with each dialog's name, its window (created hidden, owned by `owner`) and
// its template; the window is destroyed when `look` returns. Message boxes the dialogs ask
// for are answered OK without showing.
void ForEachDialog(HWND owner, const std::function<void(const char* name, HWND dialog,
                                                        const res::DialogTemplate& layout)>& look);

}  // namespace ui::win32
