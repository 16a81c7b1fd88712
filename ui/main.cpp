// The desktop program.
#include <iostream>

#include "ui/CDrennowApp.h"
#include "ui/ProgramInfo.h"

int main(int argc, char** argv) {
    if (ui::PrintProgramInfo(argc, argv, std::cout)) return 0;
    CDrennowApp app(argc, argv);
    app.EndOnSignals();
    if (!app.InitInstance(app.arguments())) return app.StartFailureStatus();
    const int result = app.exec();
    app.ExitInstance();
    return result;
}
