#include "cli/TextOutput.h"

#include "platform/codepage/Codepage.h"

namespace cli {

std::string AnsiToUtf8(std::string_view ansi) {
    return platform::codepage::Utf16ToUtf8(platform::codepage::AnsiToUtf16(ansi));
}

}  // namespace cli
