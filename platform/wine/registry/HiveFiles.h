#pragma once
// Reading hive files, and replacing them atomically: temporary files in the prefix folder,
// flushed to disk, then renamed over the hives, then the folder flushed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Services.h"
#include "platform/wine/registry/HiveModel.h"

namespace platform::wine::registry {

Status ReadHiveFile(Hive& hive);

// A hash of a hive file's bytes (64 bits, not cryptographic: it tells Wine's rewrite of the
// same text from a changed one).
std::uint64_t HiveBytesHash(std::string_view bytes);

// Whether the file still holds what `hive` was read from or last written as: the same stamp,
// or a new stamp over the same bytes (the new stamp is then kept). Otherwise a refusal with
// ERROR_LOCK_VIOLATION that names the file and says to scan again.
Status CheckHiveUnchanged(Hive& hive);

// The shell command that runs `command` (such as "wineserver -k") for the prefix in `dir`:
// "WINEPREFIX=<dir> <command>", the folder quoted when the shell would split or expand it.
std::string PrefixCommand(const std::string& dir, const char* command);

// Writes texts[i] as hives[i]. Refuses, writing nothing, when a hive changed on disk since it
// was read (CheckHiveUnchanged). A failure before the renames leaves every hive as it was
// (ERROR_CANTWRITE); one after the first rename gives ERROR_WRITE_FAULT, the hives before it being
// new.
Status ReplaceHiveFiles(const std::string& dir, const std::vector<Hive*>& hives,
                        const std::vector<std::string>& texts);

}  // namespace platform::wine::registry
