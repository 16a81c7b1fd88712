#include "cli/Interrupt.h"

#include <signal.h>

namespace cli {
namespace {

// Set by the SIGINT handler; a signal handler can reach nothing else.
volatile sig_atomic_t gInterruptFlag = 0;

extern "C" void OnSigint(int) { gInterruptFlag = 1; }

}  // namespace

struct InterruptCatcher::Saved {
    struct sigaction action {};
};

InterruptCatcher::InterruptCatcher() : saved_(std::make_unique<Saved>()) {
    gInterruptFlag = 0;
    struct sigaction action {};
    action.sa_handler = OnSigint;
    sigemptyset(&action.sa_mask);
    // A second Ctrl-C ends the program the usual way.
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    ::sigaction(SIGINT, &action, &saved_->action);
}

InterruptCatcher::~InterruptCatcher() { ::sigaction(SIGINT, &saved_->action, nullptr); }

bool InterruptCatcher::Take() {
    if (!gInterruptFlag) return false;
    gInterruptFlag = 0;
    return true;
}

}  // namespace cli
