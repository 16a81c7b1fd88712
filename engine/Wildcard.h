#pragma once
// Shape tests on texts: whole-text wildcard match and the comma-separated pattern list.
#include <string_view>

namespace engine {

// True when the whole text matches the whole pattern: "*" any run (also none), "?" exactly
// one character. Letters A to Z are folded to a to z on both sides; no other byte changes.
bool WildcardMatch(std::string_view text, std::string_view pattern);

// True when the text matches at least one non-empty piece of the comma-separated list.
bool PatternListMatch(std::string_view text, std::string_view list);

}  // namespace engine
