#include "cli/AppDefinition.h"

#include "DrennowVersion.h"
#include "cli/BackupsCommand.h"
#include "cli/BrowserCommand.h"
#include "cli/IgnoreCommand.h"
#include "cli/PrefixesCommand.h"
#include "cli/RepairCommand.h"
#include "cli/ScanCommand.h"

namespace cli {

void DefineApp(CLI::App& app, CliContext& context) {
    app.name("drennow-cli");
    app.description("Norlix Drennow: registry cleaner for Wine prefixes");
    app.fallthrough();
    app.require_subcommand(1);
    app.set_version_flag("--version", "drennow-cli " DRENNOW_VERSION, "Print the version and exit");
    AddGlobalOptions(app, context.global);

    RegisterScanCommand(app, context);
    RegisterRepairCommand(app, context);
    RegisterBackupsCommand(app, context);
    RegisterIgnoreCommand(app, context);
    RegisterBrowserCommand(app, context);
    RegisterPrefixesCommand(app, context);
}

}  // namespace cli
