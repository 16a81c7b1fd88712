// Any bytes as a shortcut file: the reader must stay inside them, and an invalid file must
// give no target.
#include <cstdint>
#include <cstdlib>

#include "platform/shelllink/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platform::shelllink;
    const ShellLinkData link = ParseShellLink(data, size);
    const std::u16string local(link.localBasePath.begin(), link.localBasePath.end());
    const std::u16string target =
        ChooseTarget(link, local, u"C:\\links", [](std::u16string_view) { return false; });
    if (!link.valid && !target.empty()) std::abort();
    return 0;
}
