#pragma once
// What the test switch `--report FILE` writes: the places and sizes of the frame, its status
// bar, the main view's controls and the dialogs' controls, as the windows themselves give
// them, one fact per line.
#include "ui/win32/CDrennowView.h"
#include "ui/win32/CMainFrame.h"

#include <string>

namespace ui::win32 {

// The report for a frame that is created and shown; each dialog is made hidden for it and
// destroyed again.
std::string GeometryReport(const CMainFrame& frame, const CDrennowView& view);

// The main view's controls by name, as the report lists them ("view.part NAME INDEX ID VISIBLE
// X Y WIDTH HEIGHT", INDEX the part's in ui::shared::Part; "view.row NAME ROW ID VISIBLE X Y
// WIDTH HEIGHT").
const char* PartName(ui::shared::Part part);

}  // namespace ui::win32
