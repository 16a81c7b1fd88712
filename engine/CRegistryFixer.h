#pragma once
// The registry-fixing object: the scan context of the key walker and the shortcut walk, and
// the deleter and restorer of entries (those operations are defined in repair/).
#include <string>

#include "engine/FixerOutcome.h"
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace engine {

class CRegistryFixer {
public:
    CRegistryFixer(platform::Services& services, Host& host);

    platform::Services& Services() { return services_; }
    Host& GetHost() { return host_; }

    // ---- Repair and restore (repair/) ----------------------------------------------------
    // Deletes every value the registry repair list names (key line, value line pairs). Keys
    // are opened, never created. Changes are not committed here.
    RepairOutcome DeleteRegistryValues(const TextList& list);
    // Deletes every listed shortcut file.
    RepairOutcome DeleteShortcutFiles(const TextList& list);
    // Writes every entry (key line, name text, data text, mark) into the registry; not
    // committed here.
    RestoreOutcome RestoreEntries(const TextList& entries);

private:
    platform::Services& services_;
    Host& host_;
};

}  // namespace engine
