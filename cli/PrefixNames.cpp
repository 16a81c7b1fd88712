#include "cli/PrefixNames.h"

namespace cli {

std::string ResolvePrefixNameHere(std::string& value) {
    return platform::discovery::ResolvePrefixName(value,
                                                  platform::discovery::PlacesFromEnvironment());
}

}  // namespace cli
