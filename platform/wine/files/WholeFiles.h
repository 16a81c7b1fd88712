#pragma once
// Whole small files by host path: read at once, or created new with all their bytes.
#include <string>
#include <string_view>

#include "platform/Services.h"

namespace platform::wine::files {

// The bytes of the file at `hostPath` (links followed); false when it is no regular file,
// cannot be read or holds more than `maxBytes`.
bool ReadHostFileBytes(const std::string& hostPath, std::string& bytes, std::size_t maxBytes);

// Creates `hostPath` holding `bytes`: written to a temporary file in the same folder, flushed,
// then linked to its name, which fails when anything (a dangling link too) stands there, so
// the file appears whole or not at all and never replaces another; it gets the owner and
// group of its folder. `windowsPath` names it in messages.
Status CreateNewHostFile(const std::string& hostPath, const std::string& windowsPath,
                         std::string_view bytes);

}  // namespace platform::wine::files
