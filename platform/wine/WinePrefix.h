#pragma once
// Opening a Wine prefix as the machine Drennow works on.
#include <memory>
#include <optional>
#include <string>

#include "platform/Services.h"
#include "platform/wine/install/InstallationLocator.h"

namespace platform::wine {

// Opens the prefix folder `dir`. On failure returns null and `status` says what is wrong and
// how to make a prefix (`wineboot -i`).
// The prefix's Wine installation is the one LocateInstallation finds from $WINE and PATH.
std::unique_ptr<Services> OpenPrefix(const std::string& dir, Status& status);
// The same with the installation given (none: every entry is judged as any other).
std::unique_ptr<Services> OpenPrefix(const std::string& dir, Status& status,
                                     std::optional<InstallationPlace> installation);

}  // namespace platform::wine
