// The Windows build works on the computer it runs on: its own registry and drives. Prefixes,
// the demo prefix and Wine installations are Linux's, and their options and commands say so.
#include <iostream>

#include "cli/Options.h"
#include "cli/PrefixNames.h"
#include "cli/PrefixesCommand.h"
#include "cli/ScanAllCommand.h"
#include "cli/Target.h"
#include "platform/win32/Machine.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace cli {
namespace {

constexpr const char* kLinuxOnly =
    "only the Linux build works on Wine prefixes; on Windows "
    "drennow-cli works on this computer's own registry and drives.";

}  // namespace

void RestrictToTarget(CLI::Option& option) {
    option.check(CLI::Validator([](std::string&) { return std::string(kLinuxOnly); }, "",
                                option.get_name()));
}

// --prefix is refused by its RestrictToTarget check, which runs after this.
std::string ResolvePrefixNameHere(std::string&) { return {}; }

bool OpenChosenPrefix(const GlobalOptions&, OpenedPrefix& opened, std::string&) {
    // Texts go out as UTF-8, which the console shows as such only when told.
    ::SetConsoleOutputCP(CP_UTF8);
    opened.services = platform::win32::OpenMachine();
    opened.dir = platform::win32::ComputerName();
    return true;
}

int RunScanAll(const GlobalOptions&, const SelectionOptions&, bool, bool) {
    std::cerr << "drennow-cli: scan --all: " << kLinuxOnly << '\n';
    return kExitUsage;
}

void RegisterPrefixesCommand(CLI::App& app, CliContext& context) {
    CLI::App* command = app.add_subcommand("prefixes", "List the Wine prefixes (Linux only)");
    command->allow_extras();
    command->callback([&context] {
        std::cerr << "drennow-cli: prefixes: " << kLinuxOnly << '\n';
        context.exitCode = kExitUsage;
    });
}

}  // namespace cli
