#pragma once
// The one table of the predefined registry roots' names, as key texts, backup lines and
// messages spell them.
#include <string>
#include <string_view>

#include "platform/Win32Types.h"

namespace engine {

// "HKEY_LOCAL_MACHINE" and the other root names; empty for any other key. HKEY_CURRENT_CONFIG
// has none: no section walks it, so no record or backup line can name it.
std::string_view RootName(platform::HKEY root);
// The name with its backslash ("HKEY_USERS\"), as a full key path begins; empty for any other
// key.
std::string RootPrefix(platform::HKEY root);
// The root a name stands for, compared exactly; 0 for any other text.
platform::HKEY RootFromName(std::string_view name);

}  // namespace engine
