#pragma once
// --prefix by name: `steam:<appid>` or the exact name of a found prefix, besides a folder.
#include <string>

#include "platform/discovery/Discovery.h"

namespace cli {

// platform::discovery::ResolvePrefixName over this process's $HOME and $WINEPREFIX: the
// check CLI11 runs on --prefix, so a bad name is a usage error (exit 2).
std::string ResolvePrefixNameHere(std::string& value);

}  // namespace cli
