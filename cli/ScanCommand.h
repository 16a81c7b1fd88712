#pragma once
// drennow-cli scan [--sections LIST] [--drives C:,D:] [--json]
#include <string>

#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "engine/IgnoreList.h"
#include "engine/ScanModel.h"

namespace cli {

void RegisterScanCommand(CLI::App& app, CliContext& context);

// The scan results as the --json document: prefix, wine (the root of the installation whose
// own entries were passed over, null for none), total, and all the table's sections in order
// with their problem records (texts as in the found lists, in UTF-8).
// With `marked` (--no-ignore: nothing was left out), the problems it covers are counted as
// ignored and carry "ignored": true.
nlohmann::ordered_json ScanResultsJson(const std::string& prefixDir, const std::string& wineRoot,
                                       const engine::ScanResults& results,
                                       const engine::IgnoreList* marked = nullptr);
// A Wine installation's root as JSON: null when there is none.
nlohmann::ordered_json WineJson(const std::string& wineRoot);
// The human form: each section with its count and its problems' shown key and shown value,
// then the total, and how many the ignore list left out when it did. With `marked`, the
// problems it covers say "(ignored)".
// With `explain`, each problem's looked-for paths follow it.
std::string ScanResultsText(const std::string& prefixDir, const engine::ScanResults& results,
                            const engine::IgnoreList* marked = nullptr, bool explain = false);

}  // namespace cli
