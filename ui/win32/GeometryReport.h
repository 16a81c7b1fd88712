#pragma once
// What the test switch `--report FILE` writes: the places and sizes of the frame, its status
// bar and the dialogs' controls, as the windows themselves give them, one fact per line.
#include <windows.h>

#include <string>

#include "ui/win32/CMainFrame.h"

namespace ui::win32 {

// The report for a frame that is created and shown; each dialog is made hidden for it and
// destroyed again.
std::string GeometryReport(const CMainFrame& frame);

}  // namespace ui::win32
