#include "engine/Checkers.h"

namespace engine {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string FolderWithSeparator(platform::UINT length, const char* buffer, platform::UINT size) {
    std::string folder = length > 0 && length < size ? std::string(buffer, length) : std::string();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::string_view ValueInput::DataText() const {
    if (!data) return {};
    const char* chars = reinterpret_cast<const char*>(data);
    std::size_t n = 0;
    while (n < length && chars[n] != '\0') ++n;
    return {chars, n};
}

std::string CleanedText(std::string_view text, bool semicolonToo) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"') continue;
        if (c == ',' || c == '?' || c == '*' || c == '<' || c == '>' || c == '|' ||
            (semicolonToo && c == ';'))
            c = ' ';
        out += c;
    }
    std::size_t end = out.size();
    while (end > 0 && IsSpace(out[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && IsSpace(out[begin])) ++begin;
    return out.substr(begin, end - begin);
}

std::string WindowsFolderWithSeparator(platform::Services& services) {
    constexpr platform::UINT kSize = 1000;
    char buffer[kSize] = {};
    return FolderWithSeparator(services.GetWindowsDirectoryA(buffer, kSize), buffer, kSize);
}

std::string SystemFolderWithSeparator(platform::Services& services) {
    constexpr platform::UINT kSize = 1000;
    char buffer[kSize] = {};
    return FolderWithSeparator(services.GetSystemDirectoryA(buffer, kSize), buffer, kSize);
}

}  // namespace engine
