#pragma once
// The small part of YAML that Lutris's and Bottles' files use for what Drennow reads: nested
// mappings of plain or quoted scalars. Lists, anchors and multi-line scalars are passed over.
#include <map>
#include <string>
#include <string_view>

namespace platform::discovery {

// Every scalar by its dotted key path ("game.prefix", "Name"); a line that is no
// "key: value" is passed over, so a damaged file yields what it still holds.
std::map<std::string, std::string> ReadYamlScalars(std::string_view text);

}  // namespace platform::discovery
