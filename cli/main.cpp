// drennow-cli: the scan engine, repair and backups from a terminal.
#include <iostream>

#include "cli/Cli.h"
#include "cli/BackupsCommand.h"
#include "cli/BrowserCommand.h"
#include "cli/PrefixesCommand.h"
#include "cli/RepairCommand.h"
#include "cli/ScanCommand.h"

namespace cli {
namespace {

int RunCli(int argc, char** argv) {
    CliContext context;
    CLI::App app{"Norlix Drennow: registry cleaner for Wine prefixes", "drennow-cli"};
    app.fallthrough();
    app.require_subcommand(1);
    AddGlobalOptions(app, context.global);

    RegisterScanCommand(app, context);
    RegisterRepairCommand(app, context);
    RegisterBackupsCommand(app, context);
    RegisterBrowserCommand(app, context);
    RegisterPrefixesCommand(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitSuccess : kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "drennow-cli: " << e.what() << '\n';
        return kExitFailure;
    }
    return context.exitCode;
}

}  // namespace
}  // namespace cli

int main(int argc, char** argv) { return cli::RunCli(argc, argv); }
