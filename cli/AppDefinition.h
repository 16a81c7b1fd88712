#pragma once
// Every command and option of drennow-cli, defined once: main() parses with it, and the
// manual page and the shell completion are generated from it at build time.
#include <CLI/CLI.hpp>

#include "cli/Cli.h"

namespace cli {

// Fills app with the global options, --version and the four commands, bound to context.
void DefineApp(CLI::App& app, CliContext& context);

}  // namespace cli
