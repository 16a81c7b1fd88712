#include <iostream>

#include "cli/Cli.h"
#include "cli/PrefixNames.h"
#include "cli/ScanCommand.h"
#include "cli/Target.h"

namespace cli {

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
    auto* prefix = app.add_option("--prefix", options.prefix,
                                  "Wine prefix folder, steam:<appid> or the name of a prefix "
                                  "`prefixes` lists (default: $WINEPREFIX, else ~/.wine)");
    prefix->transform(CLI::Validator(ResolvePrefixNameHere, "DIR|steam:APPID|NAME"));
    auto* demo =
        app.add_flag("--demo", options.demo, "Work on a fresh copy of the bundled demo prefix");
    prefix->excludes(demo);
    auto* wine = app.add_option("--wine", options.wine,
                                "Wine installation the prefix comes from: its root folder "
                                "(holding share/wine) or its wine program (default: $WINE, "
                                "else the build the prefix's launcher records, else wine on "
                                "PATH)");
    for (CLI::Option* option : {prefix, demo, wine}) RestrictToTarget(*option);
}

}  // namespace cli
