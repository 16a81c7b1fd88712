#pragma once
// drennow-cli ignore list | add KEY (--name NAME | --key) | add-shortcut PATH | remove N | clear
#include "cli/Cli.h"

namespace cli {

void RegisterIgnoreCommand(CLI::App& app, CliContext& context);

}  // namespace cli
