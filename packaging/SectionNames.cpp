// Prints the scan's section names, one a line: the shell completion is written from them at
// build time, so it offers exactly the names --sections accepts.
#include <cstdio>

#include "engine/Sections.h"

int main() {
    for (const engine::Section& section : engine::Sections()) std::puts(section.name);
    return 0;
}
