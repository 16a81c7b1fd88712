#pragma once
// drennow-cli browser [--start-page URL] [--window-title TEXT]
//                     [--lock-regedit | --unlock-regedit] [--json]
#include "cli/Cli.h"

namespace cli {

void RegisterBrowserCommand(CLI::App& app, CliContext& context);

}  // namespace cli
