#pragma once
// Running scans for the benchmarks: a host that never pumps (the command line's way without a
// terminal), section rows with chosen sections, and opening the benchmark prefix.
#include <memory>
#include <string>
#include <vector>

#include "engine/QuietHost.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace bench {

using QuietHost = engine::QuietHost;

// Sections 1 to 13, the registry sections.
std::vector<int> RegistrySections();

// The section list's rows with `sections` chosen, and every drive row when `drives`.
engine::SectionRows ChosenRows(platform::Services& services, const std::vector<int>& sections,
                               bool drives);

// Opens the prefix with the real backend; throws std::runtime_error when it cannot.
std::unique_ptr<platform::Services> OpenPrefix(const std::string& dir);

// One scan of the chosen rows; returns the number of problems found.
int Scan(platform::Services& services, engine::Host& host, const engine::SectionRows& rows);

}  // namespace bench
