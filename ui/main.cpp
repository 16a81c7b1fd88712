// The desktop program.
#include "ui/CDrennowApp.h"

int main(int argc, char** argv) {
    CDrennowApp app(argc, argv);
    if (!app.InitInstance(app.arguments())) return app.StartFailureStatus();
    const int result = app.exec();
    app.ExitInstance();
    return result;
}
