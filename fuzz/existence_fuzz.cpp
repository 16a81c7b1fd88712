// Any text through the existence test on a small real prefix. Every way of asking must give
// the same answer: the remembered test (asked twice, so the second answer comes from its
// table), the plain test over cached folder listings, and the plain test asking the disk.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "engine/PathTest.h"
#include "fuzz/FuzzPrefix.h"

namespace {

struct Machine {
    fuzzing::FuzzPrefix prefix;
    std::unique_ptr<platform::Services> cached = prefix.Open();
    std::unique_ptr<platform::Services> uncached = prefix.Open();
    Machine() { cached->SetDirectoryCaching(true); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Machine machine;  // one prefix per process: making it costs far more than a test
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    engine::ExistenceTest remembered(*machine.cached);
    const bool first = remembered.Exists(text);
    const bool again = remembered.Exists(text);
    const bool overListings = engine::PathExists(*machine.cached, text);
    const bool onDisk = engine::PathExists(*machine.uncached, text);
    if (first != again || first != overListings || first != onDisk) {
        std::fprintf(
            stderr, "answers differ for [%.*s]: remembered %d then %d, listings %d, disk %d\n",
            static_cast<int>(text.size()), text.data(), first, again, overListings, onDisk);
        std::abort();
    }
    return 0;
}
