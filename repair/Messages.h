#pragma once
// Pieces shared by the outcome messages.
#include <string>
#include <vector>

namespace repair {

inline constexpr const char* kInformationCaption = "Information";

// The first few failure lines, one per line, each after a line break, and how many more.
std::string FailureLines(const std::vector<std::string>& failures);

// "N damaged lines skipped" ("1 damaged line skipped"): what a reader of the backup file passed
// over because it was no part of an entry.
std::string DamagedLinesNote(int lines);

}  // namespace repair
