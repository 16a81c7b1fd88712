#pragma once
// drennow-cli repair [--sections LIST] [--drives ...] [--backup | --no-backup] [--yes] [--json]
#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "engine/ScanModel.h"
#include "repair/RepairCommand.h"

namespace cli {

void RegisterRepairCommand(CLI::App& app, CliContext& context);

// The outcome as the --json document.
nlohmann::ordered_json RepairReportJson(const std::string& prefixDir,
                                        const engine::RepairLists& lists,
                                        const repair::RepairReport& report);

}  // namespace cli
