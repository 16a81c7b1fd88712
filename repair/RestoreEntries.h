#pragma once
// Saved entries written back into the registry; not committed here.
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "repair/Outcomes.h"

namespace repair {

// Writes every entry (key line, name text, data text, mark) into the registry.
RestoreOutcome RestoreEntries(platform::Services& services, engine::Host& host,
                              const engine::TextList& entries);

}  // namespace repair
