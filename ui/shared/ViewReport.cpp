#include "ui/shared/ViewReport.h"

namespace ui::shared {

std::string ViewReport(const ViewLogic& logic) {
    std::string report = "screen " + std::to_string(static_cast<int>(logic.Screen())) + "\n";
    const engine::ScanResults& results = logic.Session().Results();
    for (int section = 1; section <= engine::kSectionCount; ++section)
        for (const engine::Problem& problem : results.Section(section).problems)
            report += "record " + std::to_string(section) + "\t" + problem.key + "\t" +
                      problem.name + "\t" + problem.value + "\n";
    for (const engine::Problem& entry : logic.Session().Repair().repaired)
        report += "repaired " + entry.key + "\t" + entry.name + "\t" + entry.value + "\n";
    return report;
}

}  // namespace ui::shared
