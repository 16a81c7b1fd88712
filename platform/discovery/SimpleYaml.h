#pragma once
// The small part of YAML that Lutris's and Bottles' files use for what Drennow reads: nested
// block mappings of plain or quoted scalars, as PyYAML writes them (long scalars folded over
// lines, non-ASCII text as \x, \u and \U escapes). Lists, flow collections, anchors, tags and
// block scalars (| and >) are passed over with everything indented below them.
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace platform::discovery {

// The scalars at the dotted key paths `wanted` ("game.prefix", "Name"), the first of each;
// a line that is no "key: value" is passed over, so a damaged file yields what it still
// holds. Only the wanted paths are kept, so any file costs memory in proportion to its size.
std::map<std::string, std::string> ReadYamlScalars(std::string_view text,
                                                   std::initializer_list<std::string_view> wanted);

}  // namespace platform::discovery
