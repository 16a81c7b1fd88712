#include "repair/Messages.h"

#include <fmt/format.h>

namespace repair {

namespace {
constexpr std::size_t kShownFailures = 10;
}

std::string FailureLines(const std::vector<std::string>& failures) {
    std::string text;
    for (std::size_t i = 0; i < failures.size() && i < kShownFailures; ++i) {
        text += "\n" + failures[i];
    }
    if (failures.size() > kShownFailures) {
        text += fmt::format("\n... and {} more.", failures.size() - kShownFailures);
    }
    return text;
}

std::string DamagedLinesNote(int lines) {
    return fmt::format("{} damaged line{} skipped", lines, lines == 1 ? "" : "s");
}

}  // namespace repair
