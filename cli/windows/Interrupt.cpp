#include "cli/Interrupt.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>

namespace cli {
namespace {

// Set by the console's control handler, which runs on a thread of its own.
std::atomic<int> gInterrupts{0};

BOOL WINAPI OnCtrlC(DWORD event) {
    if (event != CTRL_C_EVENT) return FALSE;
    // A second Ctrl-C before the first was taken ends the program the usual way.
    return gInterrupts.fetch_add(1) == 0 ? TRUE : FALSE;
}

}  // namespace

struct InterruptCatcher::Saved {};

InterruptCatcher::InterruptCatcher() : saved_(std::make_unique<Saved>()) {
    gInterrupts = 0;
    ::SetConsoleCtrlHandler(OnCtrlC, TRUE);
}

InterruptCatcher::~InterruptCatcher() { ::SetConsoleCtrlHandler(OnCtrlC, FALSE); }

bool InterruptCatcher::Take() { return gInterrupts.exchange(0) != 0; }

}  // namespace cli
