#pragma once
// Ctrl-C while a command runs: remembered for the host to act on, not fatal; a second one
// ends the program the usual way. cli/linux/ and cli/windows/ each implement it.
#include <memory>

namespace cli {

class InterruptCatcher {
public:
    InterruptCatcher();   // catches Ctrl-C from now on
    ~InterruptCatcher();  // as it was before
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;
    // True once for every Ctrl-C since the last call.
    bool Take();

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;  // what Ctrl-C did before
};

}  // namespace cli
