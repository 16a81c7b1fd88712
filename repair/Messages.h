#pragma once
// Pieces shared by the outcome messages.
#include <string>
#include <vector>

namespace repair {

inline constexpr const char* kInformationCaption = "Information";

// The first few failure lines, one per line, each after a line break, and how many more.
std::string FailureLines(const std::vector<std::string>& failures);

}  // namespace repair
