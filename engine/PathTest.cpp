#include "engine/PathTest.h"

#include <string>

namespace engine {

bool PathExists(platform::Services& services, std::string_view text) {
    std::string buffer(text);
    if (text.find(' ') == std::string_view::npos && services.PathFileExistsA(buffer.c_str()))
        return true;
    // Windows-1252 has no lead bytes, so the first dot is simply the first '.' byte.
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) return true;
    for (std::size_t n = dot; n <= text.size(); ++n) {
        buffer.assign(text.substr(0, n));
        if (services.PathFileExistsA(buffer.c_str())) return true;
    }
    return false;
}

}  // namespace engine
