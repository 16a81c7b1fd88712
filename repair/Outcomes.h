#pragma once
// What a repair or restore really did, so that messages count what happened.
#include <string>
#include <vector>

namespace repair {

struct RepairOutcome {
    int removed = 0;                         // deleted now
    int alreadyAbsent = 0;                   // gone before we came
    int failed = 0;                          // still there afterwards
    std::vector<std::string> failures;       // one line per failure: what and why
    std::vector<std::size_t> failedEntries;  // which entries of the list failed, from 0
    int Gone() const { return removed + alreadyAbsent; }
};

struct RestoreOutcome {
    int restored = 0;
    int failed = 0;         // entries that could not be written (or were malformed)
    int filesRestored = 0;  // shortcut files put back
    int filesFailed = 0;    // shortcut files not put back (one failure line each)
    std::vector<std::string> failures;
};

}  // namespace repair
