#pragma once
// Choosing what a repair touches: every record still marked "Delete this Entry".
#include "engine/ScanModel.h"

namespace repair {

// Rebuilds `lists` from the found lists: registry records of the registry sections (key line
// and value line each), then the shortcut files of the shortcut section.
void PrepareRepairLists(const engine::ScanResults& results, engine::RepairLists& lists);

}  // namespace repair
