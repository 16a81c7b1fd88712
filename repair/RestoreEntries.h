#pragma once
// Saved entries written back into the registry; not committed here.
#include <string>
#include <vector>

#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "repair/Outcomes.h"

namespace repair {

// One registry entry of a backup block: its key line and the two halves of its value line.
struct BackupEntry {
    std::string keyLine;
    std::string nameText;
    std::string dataText;
    bool operator==(const BackupEntry&) const = default;
};

// Writes every entry into the registry.
RestoreOutcome RestoreEntries(platform::Services& services, engine::Host& host,
                              const std::vector<BackupEntry>& entries);

}  // namespace repair
