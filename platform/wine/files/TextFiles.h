#pragma once
// Text files in the framework's text mode over host files: lines end in CR LF on disk (LF
// accepted on reading), bytes otherwise as they are.
#include <memory>
#include <string>
#include <string_view>

#include "platform/Services.h"

namespace platform::wine::files {

// Opens `hostPath`; null when it cannot be opened in that mode.
std::unique_ptr<TextFile> OpenHostTextFile(const std::string& hostPath, TextFileMode mode);

// Replaces `hostPath` with `text` (LF written as CR LF): a temporary file in the same folder,
// flushed to disk, renamed over the old file, and the folder flushed. On failure the old file
// is untouched and the status says why; `windowsPath` names the file in the message.
Status ReplaceHostTextFile(const std::string& hostPath, const std::string& windowsPath,
                           std::string_view text);

}  // namespace platform::wine::files
