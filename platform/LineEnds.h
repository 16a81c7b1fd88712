#pragma once
// Drennow's text files end their lines in CR LF on disk, as the framework's text mode writes
// them, on every backend.
#include <string>
#include <string_view>

namespace platform {

// `text` with every LF written as CR LF.
inline std::string ToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

}  // namespace platform
