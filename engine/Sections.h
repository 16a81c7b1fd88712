#pragma once
// The one table of the scan's sections: what each is called, where it looks and how it
// judges a value. Every layer iterates this table; adding a section is a row here (and its
// checker).
#include <vector>

#include "engine/Checkers.h"
#include "platform/Win32Types.h"

namespace engine {

struct SectionWalk {
    platform::HKEY root = 0;
    std::vector<const char*> startKeys;  // in visiting order
};

// Judges one value of the section's keys.
using ValueChecker = Verdict (*)(ExistenceTest& paths, const ValueInput& value);

struct Section {
    int number = 0;                  // 1 to kSectionCount, the index in the table plus one
    const char* name = "";           // progress caption, CLI and JSON name
    const char* rowName = "";        // label of its counter row
    std::vector<SectionWalk> walks;  // registry walks; one walk with no key looks nowhere
    ValueChecker checker = nullptr;  // null: no value of its keys is ever a problem
    bool shortcutWalk = false;       // searches the fixed drives' folders instead
};

// Every section, in scan order.
const std::vector<Section>& Sections();
// The section with that number; null for any other number.
const Section* FindSection(int number);

// The walks of a registry section; empty for the shortcut walk and unknown numbers.
const std::vector<SectionWalk>& SectionWalks(int section);

}  // namespace engine
