#pragma once
// Turning a saved data text back into a registry type and its bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"

namespace repair {

struct DecodedValue {
    platform::DWORD type = platform::REG_NONE;
    std::vector<platform::BYTE> bytes;  // what RegSetValueExA is given, zero bytes included
    std::vector<platform::BYTE> wide;   // what RegSetValueExW is given: strings in UTF-16
};

// Decodes the three forms the text form writes: "..." (REG_SZ, escapes undone, letter case
// kept), hex(2):b,00,...,00,00 (REG_EXPAND_SZ, decimal byte values) and dword:xxxxxxxx
// (REG_DWORD), and the exact forms with "\uXXXX" escapes, str(2):"..." for REG_EXPAND_SZ; the
// prefixes and hexadecimal digits in either letter case. Strings are given back with one
// terminating zero, as the value held them. Empty with `error` set for anything else or a damaged
// text.
std::optional<DecodedValue> DecodeData(std::string_view dataText, std::string* error);

}  // namespace repair
