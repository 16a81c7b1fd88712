#pragma once
// The test switch `--screenshots DIR`: pictures of the frame (restored) and the dialogs as
// PNG files in DIR (a Windows path), for the documentation, taken from the screen.
#include <windows.h>

#include <string>

#include "ui/win32/CMainFrame.h"

namespace ui::win32 {

// False when a picture could not be written.
bool TakeScreenshots(const CMainFrame& frame, const std::wstring& folder);

}  // namespace ui::win32
