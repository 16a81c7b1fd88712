#pragma once
// The deleters of a repair: registry values named by the registry repair list, and shortcut
// files. Changes to the registry are not committed here.
#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "repair/Outcomes.h"

namespace repair {

// Deletes every value the list names. Keys are opened, never created.
RepairOutcome DeleteRegistryValues(platform::Services& services,
                                   const std::vector<engine::RepairEntry>& list);
// Deletes every listed shortcut file.
RepairOutcome DeleteShortcutFiles(platform::Services& services, const engine::TextList& list);

}  // namespace repair
