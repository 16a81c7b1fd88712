#pragma once
// Windows-1252 text of shortcut files (ANSI strings, ID-list names) as UTF-16. Kept here so
// that the shortcut code stands on its own.
#include <string>
#include <string_view>

namespace platform::shelllink::detail {

// As MultiByteToWideChar(1252) does: the five unassigned bytes map to the same code points.
std::u16string Windows1252ToUtf16(std::string_view text);

}  // namespace platform::shelllink::detail
