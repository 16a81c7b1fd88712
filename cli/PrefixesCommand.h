#pragma once
// drennow-cli prefixes [--json] [--verbose]: every prefix found under the home folder.
#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "platform/discovery/Discovery.h"

namespace cli {

void RegisterPrefixesCommand(CLI::App& app, CliContext& context);

// One prefix as the --json documents give it (path, kind, name, id, arch, wine,
// server_running, owner, yours).
nlohmann::ordered_json PrefixJson(const platform::discovery::FoundPrefix& prefix);

// The discovery's notes on stderr, for --verbose.
void PrintDiscoveryNotes(const platform::discovery::Discovery& found);

}  // namespace cli
