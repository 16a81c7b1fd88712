#pragma once
// The main view's state as a test script reports it: "screen N", then
// "record SECTION\tKEY\tNAME\tVALUE" for every problem of the results and
// "repaired KEY\tNAME\tVALUE" for every entry of the repair log (Windows-1252).
#include <string>

#include "ui/shared/ViewLogic.h"

namespace ui::shared {

std::string ViewReport(const ViewLogic& logic);

}  // namespace ui::shared
