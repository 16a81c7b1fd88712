#include "repair/RepairLists.h"

#include "engine/ValueText.h"
#include "repair/EntryText.h"

namespace repair {

namespace {
constexpr int kShortcutSection = 14;
constexpr std::size_t kRecordSize = 4;
}  // namespace

void PrepareRepairLists(const engine::ScanResults& results, engine::RepairLists& lists) {
    lists.Clear();
    for (int section = 1; section < kShortcutSection; ++section) {
        const engine::SectionResult& result = results.Section(section);
        if (result.count == 0) continue;
        const engine::TextList& found = result.found;
        for (std::size_t i = 0; i + kRecordSize <= found.size(); i += kRecordSize) {
            if (found[i + 3] != engine::kMarkDelete) continue;
            ++lists.registryCount;
            // The lines name the value exactly; they are the record's texts whenever those
            // do (every character in the A code page).
            const std::size_t record = i / kRecordSize;
            if (record < result.exact.size() && result.exact[record].root != 0) {
                const engine::ExactValue& exact = result.exact[record];
                lists.registry.push_back(engine::ExactKeyLine(exact));
                lists.registry.push_back(engine::ExactValueLine(exact, found[i + 2]));
                lists.repairedExact.push_back(exact);
            } else {
                lists.repairedExact.emplace_back();
                lists.registry.push_back(found[i]);
                lists.registry.push_back(found[i + 1] + "=" + found[i + 2]);
            }
            lists.repaired.insert(lists.repaired.end(), found.begin() + i,
                                  found.begin() + i + kRecordSize);
        }
    }
    const engine::TextList& found = results.Section(kShortcutSection).found;
    for (std::size_t i = 0; i + kRecordSize <= found.size(); i += kRecordSize) {
        if (found[i + 3] != engine::kMarkDelete) continue;
        ++lists.shortcutCount;
        std::string path = Trim(found[i]);
        if (path.size() >= 2 && path.front() == '[' && path.back() == ']') {
            path = Trim(std::string_view(path).substr(1, path.size() - 2));
        }
        lists.shortcuts.push_back(path);
        lists.repaired.push_back(path);
        lists.repairedExact.emplace_back();
        lists.repaired.insert(lists.repaired.end(), found.begin() + i + 1,
                              found.begin() + i + kRecordSize);
    }
}

}  // namespace repair
