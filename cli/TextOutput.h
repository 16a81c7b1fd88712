#pragma once
// Registry and file texts are Windows-1252 bytes; terminals and JSON want UTF-8.
#include <string>
#include <string_view>

namespace cli {

std::string AnsiToUtf8(std::string_view ansi);

}  // namespace cli
