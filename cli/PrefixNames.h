#pragma once
// --prefix by name: `steam:<appid>` or the exact name of a found prefix, besides a folder.
#include <string>

#include "platform/discovery/Discovery.h"

namespace cli {

// Leaves `value` alone when it names a folder (it exists, or holds a '/'); otherwise replaces
// it with the path of the one found prefix it names. Returns an error naming the candidates
// when it names none or several; empty on success.
std::string ResolvePrefixName(std::string& value, const platform::discovery::Discovery& found);

// The same over the prefixes found for this process's $HOME and $WINEPREFIX: the check CLI11
// runs on --prefix, so a bad name is a usage error (exit 2).
std::string ResolvePrefixNameHere(std::string& value);

}  // namespace cli
