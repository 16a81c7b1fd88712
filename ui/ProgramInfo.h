#pragma once
// drennow --version and --help: answered before the application object exists, so they need
// no display. The help text is also what the drennow(1) manual page is generated from.
#include <ostream>

namespace ui {

// Prints the version or the help when the arguments ask for one; true when it printed.
bool PrintProgramInfo(int argc, char** argv, std::ostream& out);

}  // namespace ui
