#pragma once
// Opening a Wine prefix as the machine Drennow works on.
#include <memory>
#include <string>

#include "platform/Services.h"

namespace platform::wine {

// Opens the prefix folder `dir`. On failure returns null and `status` says what is wrong and
// how to make a prefix (`wineboot -i`).
std::unique_ptr<Services> OpenPrefix(const std::string& dir, Status& status);

}  // namespace platform::wine
