// Prints the scan's section names, one a line: the shell completion is written from them at
// build time, so it offers exactly the names --sections accepts.
#include <cstdio>

#include "engine/ScanModel.h"

int main() {
    for (int section = 1; section <= engine::kSectionCount; ++section)
        std::puts(engine::SectionName(section));
    return 0;
}
