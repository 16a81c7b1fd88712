#include "engine/Explanation.h"

#include "platform/codepage/Codepage.h"

namespace engine {

std::string CheckedPathText(const CheckedPath& checked) {
    namespace codepage = platform::codepage;
    std::string text = "Looked for " + codepage::Utf16ToUtf8(codepage::AnsiToUtf16(checked.path));
    if (checked.wow64) text += " (32-bit view)";
    if (!checked.host.empty()) text += " \u2014 " + checked.host;
    text += checked.found ? ": found" : ": not found";
    if (!checked.why.empty()) text += (checked.host.empty() ? "; " : " (") + checked.why;
    if (!checked.why.empty() && !checked.host.empty()) text += ")";
    return text;
}

}  // namespace engine
