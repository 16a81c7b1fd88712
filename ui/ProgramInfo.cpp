#include "ui/ProgramInfo.h"

#include <string_view>

#include "DrennowVersion.h"

namespace ui {

namespace {
constexpr const char* kHelp =
    "Norlix Drennow: registry cleaner for Wine prefixes (desktop program)\n"
    "Usage: drennow [--prefix DIR | --demo]\n"
    "\n"
    "Options:\n"
    "  -h,--help          Print this help and exit\n"
    "  --version          Print the version and exit\n"
    "  --prefix DIR       Wine prefix folder (default: $WINEPREFIX, else ~/.wine)\n"
    "  --demo             Work on a fresh copy of the bundled demo prefix\n";
}

bool PrintProgramInfo(int argc, char** argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            out << "drennow " DRENNOW_VERSION "\n";
            return true;
        }
        if (argument == "--help" || argument == "-h") {
            out << kHelp;
            return true;
        }
    }
    return false;
}

}  // namespace ui
