#pragma once
// The prefix's drives: the dosdevices/<x>: links and their types.
#include <string>
#include <vector>

#include "platform/Services.h"

namespace platform::wine::files {

// Drive letters ('a' to 'z') that have a dosdevices link, in order; dangling ones included,
// as Wine's mount manager lists every link.
std::vector<char> ListDrives(const std::string& prefixDir);

// GetLogicalDriveStringsA over `drives`: "X:\" strings, each zero-terminated, and a final
// zero; the needed length (final zero included) when the buffer is too small.
DWORD FormatDriveStrings(const std::vector<char>& drives, DWORD bufferLength, char* buffer);

// The drive type Wine reports for `drive`. `registry` answers HKLM\Software\Wine\Drives.
UINT DriveType(const std::string& prefixDir, char drive, Services& registry);

}  // namespace platform::wine::files
