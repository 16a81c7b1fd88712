#include "engine/Checkers.h"
#include "engine/PathTest.h"
#include "platform/codepage/Ascii.h"

#include <cstring>

namespace engine {
namespace {

std::string FolderWithSeparator(platform::UINT length, const char* buffer, platform::UINT size) {
    std::string folder = length > 0 && length < size ? std::string(buffer, length) : std::string();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::string_view ValueInput::DataText() const {
    if (!data) return {};
    const char* chars = reinterpret_cast<const char*>(data);
    const void* zero = std::memchr(chars, '\0', length);
    return {chars,
            zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - chars) : length};
}

std::string CleanedText(std::string_view text, bool semicolonToo) {
    // Written in place into one string of the full size, then cut to what was kept.
    std::string out(text.size(), '\0');
    std::size_t n = 0;
    for (char c : text) {
        if (c == '"') continue;
        if (c == ',' || c == '?' || c == '*' || c == '<' || c == '>' || c == '|' ||
            (semicolonToo && c == ';'))
            c = ' ';
        out[n++] = c;
    }
    while (n > 0 && platform::codepage::IsAsciiSpace(out[n - 1])) --n;
    out.resize(n);
    std::size_t begin = 0;
    while (begin < n && platform::codepage::IsAsciiSpace(out[begin])) ++begin;
    out.erase(0, begin);
    return out;
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

Verdict FoundInWindowsOrSystemFolder(ExistenceTest& paths, const std::string& name) {
    if (paths.Exists(WindowsFolderWithSeparator(paths.Services()) + name)) return Verdict::Fine;
    return FineIf(paths.Exists(SystemFolderWithSeparator(paths.Services()) + name));
}

}  // namespace engine
