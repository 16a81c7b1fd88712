#include "repair/RepairLists.h"

#include "engine/Sections.h"
#include "engine/ValueText.h"
#include "repair/EntryText.h"

namespace repair {

void PrepareRepairLists(const engine::ScanResults& results, engine::RepairLists& lists) {
    lists.Clear();
    for (const engine::Section& section : engine::Sections()) {
        if (section.shortcutWalk) continue;
        for (const engine::Problem& problem : results.Section(section.number).problems) {
            if (!problem.repair) continue;
            // The lines name the value exactly; they are the record's texts whenever those
            // do (every character in the A code page).
            if (problem.ExactKnown()) {
                lists.registry.push_back({engine::ExactKeyLine(problem.exact),
                                          engine::ExactValueLine(problem.exact, problem.value)});
            } else {
                lists.registry.push_back({problem.key, problem.name + "=" + problem.value});
            }
            lists.repaired.push_back(problem);
        }
    }
    // The shortcut files after every registry entry, whatever the table's order.
    for (const engine::Section& section : engine::Sections()) {
        if (!section.shortcutWalk) continue;
        for (const engine::Problem& problem : results.Section(section.number).problems) {
            if (!problem.repair) continue;
            std::string path(TrimAscii(problem.key));
            if (path.size() >= 2 && path.front() == '[' && path.back() == ']') {
                path = std::string(TrimAscii(std::string_view(path).substr(1, path.size() - 2)));
            }
            lists.shortcuts.push_back(path);
            engine::Problem repaired = problem;
            repaired.key = std::move(path);
            lists.repaired.push_back(std::move(repaired));
        }
    }
}

}  // namespace repair
