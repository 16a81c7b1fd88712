#pragma once
// The test switch `--screenshots DIR`: pictures of the frame (restored) on each of the four
// screens and of the dialogs as PNG files in DIR (a Windows path), for the documentation,
// taken from the screen.
#include "ui/win32/CDrennowView.h"
#include "ui/win32/CMainFrame.h"

#include <string>

namespace ui::win32 {

// False when a picture could not be written.
bool TakeScreenshots(const CMainFrame& frame, CDrennowView& view, const std::wstring& folder);

}  // namespace ui::win32
