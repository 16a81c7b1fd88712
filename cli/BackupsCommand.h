#pragma once
// drennow-cli backups list | show N | restore N | delete N   (N counts from 1, as listed)
#include "cli/Cli.h"

namespace cli {

void RegisterBackupsCommand(CLI::App& app, CliContext& context);

}  // namespace cli
