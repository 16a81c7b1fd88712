#pragma once
// ASCII case-insensitive comparison, as Steam compares its keys and paths.
#include <algorithm>
#include <cctype>
#include <string_view>

namespace platform::discovery {

inline bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace platform::discovery
