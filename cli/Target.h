#pragma once
// What drennow-cli works on is chosen when it is built: a Wine prefix in the Linux build
// (cli/linux/), the computer itself in the Windows build (cli/windows/), each with its own
// OpenChosenPrefix (Options.h). The rest of cli/ is the same for both.
#include <CLI/CLI.hpp>

namespace cli {

// Called for --prefix, --demo and --wine: the Windows build refuses each of them (exit 2).
void RestrictToTarget(CLI::Option& option);

}  // namespace cli
