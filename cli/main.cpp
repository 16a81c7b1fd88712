// drennow-cli: the scan engine, repair and backups from a terminal.
#include <iostream>

#include "cli/AppDefinition.h"

namespace cli {
namespace {

int RunCli(int argc, char** argv) {
    CliContext context;
    CLI::App app;
    DefineApp(app, context);

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
