#pragma once
// What a problem's judgement looked for, as one line a person reads (UTF-8): the CLI's
// --explain and the result list's tooltip.
#include <string>

#include "engine/PathTest.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace engine {

// "Looked for C:\Gone\gone.exe — /home/u/.wine/drive_c/Gone/gone.exe: not found", with
// " (32-bit view)" after the path when it was asked in that view, and the reason when there is
// no host path ("Looked for Q:\x.exe: not found; there is no drive Q: in this prefix").
std::string CheckedPathText(const CheckedPath& checked);

// What the existence test recorded for the problem being added, with the host paths.
std::vector<CheckedPath> CheckedPaths(platform::Services& services, const ExistenceTest& paths);

}  // namespace engine
