#pragma once
// Whether the file or folder a text names is on disk, tolerating arguments behind the path.
#include <string_view>

#include "platform/Services.h"

namespace engine {

// The existence test: a text without a dot always exists; otherwise the whole text (when it
// has no space) and then every prefix from the one ending just before the first dot up to the
// whole text are asked about. True at the first prefix that exists.
bool PathExists(platform::Services& services, std::string_view text);

}  // namespace engine
