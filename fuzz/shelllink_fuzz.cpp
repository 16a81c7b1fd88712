// Any bytes as a shortcut file: the reader must stay inside them, an invalid file must give
// no target, and the file read through the prefix backend (as the shortcut walk reads it, on
// a small real prefix) must give no target exactly when the reader calls it invalid.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz/FuzzPrefix.h"
#include "platform/shelllink/ShellLink.h"

namespace {

struct Machine {
    fuzzing::FuzzPrefix prefix;
    std::unique_ptr<platform::Services> services = prefix.Open();
    std::string hostPath = prefix.Dir() + "/drive_c/users/fuzz/Desktop/app.lnk";
};

[[noreturn]] void Violated(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platform::shelllink;
    static Machine machine;  // one prefix per process; each input rewrites the one shortcut
    const ShellLinkData link = ParseShellLink(data, size);
    const std::u16string local(link.localBasePath.begin(), link.localBasePath.end());
    for (const bool answer : {false, true}) {
        const std::u16string target = ChooseTarget(
            link, local, u"C:\\links", [answer](std::u16string_view) { return answer; });
        if (!link.valid && !target.empty()) Violated("an invalid shortcut has a target");
    }

    fuzzing::FuzzPrefix::WriteFile(machine.hostPath,
                                   std::string(reinterpret_cast<const char*>(data), size));
    const std::string target =
        machine.services->GetShortcutTarget("C:\\users\\fuzz\\Desktop\\app.lnk");
    if (!link.valid && !target.empty()) Violated("the backend gives an invalid shortcut a target");
    return 0;
}
