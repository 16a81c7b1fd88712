#pragma once
// Where each registry section looks: one or two walks, each a root and its start keys.
#include <vector>

#include "platform/Win32Types.h"

namespace engine {

struct SectionWalk {
    platform::HKEY root = 0;
    std::vector<const char*> startKeys;  // in visiting order
};

// The walks of section 1 to 13 (section 11: one walk with no start key); empty otherwise.
const std::vector<SectionWalk>& SectionWalks(int section);

}  // namespace engine
