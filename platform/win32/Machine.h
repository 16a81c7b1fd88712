#pragma once
// Opening the Windows machine Drennow runs on: its own registry, drives and files, through
// the real Win32 calls. Built only for Windows (MinGW-w64); under Wine it serves the prefix
// Wine runs in.
#include <memory>

#include "platform/Services.h"

namespace platform::win32 {

// The machine's services. Never null: a machine has no "missing prefix".
std::unique_ptr<Services> OpenMachine();

// The computer's name (as `hostname` gives it), for "Scanned ..." lines; "this computer"
// when it cannot be read.
std::string ComputerName();

}  // namespace platform::win32
