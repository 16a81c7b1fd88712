#pragma once
// What every drennow-cli command shares: the global options and the exit status. A command
// lives in a file of its own with one Register...Command function that main() calls.
#include <string>

#include <CLI/CLI.hpp>

namespace cli {

// Exit status of drennow-cli.
inline constexpr int kExitSuccess = 0;   // done; for scan: nothing found
inline constexpr int kExitProblems = 1;  // scan: problems found
inline constexpr int kExitUsage = 2;     // bad arguments
inline constexpr int kExitFailure = 3;   // prefix missing, hive unreadable, write refused...

struct GlobalOptions {
    std::string prefix;  // --prefix DIR
    bool demo = false;   // --demo
    std::string wine;    // --wine DIR: the Wine installation whose own entries are no leftovers
};

struct CliContext {
    GlobalOptions global;
    int exitCode = kExitSuccess;
};

// Adds --prefix and --demo to the top-level app.
void AddGlobalOptions(CLI::App& app, GlobalOptions& options);

}  // namespace cli
