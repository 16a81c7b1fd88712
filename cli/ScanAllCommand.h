#pragma once
// drennow-cli scan --all: every found prefix in turn.
#include "cli/Cli.h"
#include "cli/Options.h"

namespace cli {

// Scans each prefix DiscoverPrefixes finds with `selection`, each with the Wine build that
// runs it unless --wine names one. A prefix that cannot be scanned is listed with the reason
// and the others go on. Exit: 1 when any prefix has problems, else 3 when any could not be
// scanned, else 0.
int RunScanAll(const GlobalOptions& global, const SelectionOptions& selection, bool json,
               bool verbose);

}  // namespace cli
