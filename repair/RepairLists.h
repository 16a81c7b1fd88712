#pragma once
// Choosing what a repair touches: every record still marked "Delete this Entry".
#include "engine/ScanModel.h"

namespace repair {

// Rebuilds `lists` from the found lists: registry records of sections 1 to 13 (key line and
// value line each), then the shortcut files of section 14.
void PrepareRepairLists(const engine::ScanResults& results, engine::RepairLists& lists);

}  // namespace repair
