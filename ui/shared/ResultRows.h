#pragma once
// The result screen's section rows as both desktop programs show them, and which section's
// problems the list shows.
#include <vector>

#include "engine/ScanModel.h"

namespace ui::shared {

// A section's row: its problem count, and whether it links to its problems (black and
// underlined) or not (grey and plain: the section has none).
struct ResultRow {
    int count = 0;
    bool linked = false;
};

inline std::vector<ResultRow> ResultRows(const engine::ScanResults& results) {
    std::vector<ResultRow> rows;
    for (int section = 1; section <= engine::kSectionCount; ++section) {
        const int count = results.Section(section).Count();
        rows.push_back({count, count > 0});
    }
    return rows;
}

// The row (from 0) whose problems the list shows: `current` while its section still has
// problems, else the first row with problems; -1 when no section has any.
inline int RowToShow(const engine::ScanResults& results, int current = -1) {
    if (current >= 0 && current < engine::kSectionCount && results.Section(current + 1).Count() > 0)
        return current;
    for (int row = 0; row < engine::kSectionCount; ++row)
        if (results.Section(row + 1).Count() > 0) return row;
    return -1;
}

}  // namespace ui::shared
