// The 32-bit view of the machine, for a 64-bit program that judges what 32-bit programs
// stored: their system folder, the file redirection they meet, their environment.
#include <algorithm>
#include <array>

#include "platform/Wow64Paths.h"
#include "platform/codepage/Ascii.h"
#include "platform/win32/Win32Services.h"

namespace platform::win32 {
namespace {

std::string Variable(const char* name) {
    std::array<char, 1024> value{};
    const ::DWORD length = ::GetEnvironmentVariableA(name, value.data(), value.size());
    return length > 0 && length < value.size() ? std::string(value.data(), length) : std::string();
}

}  // namespace

UINT Win32Services::GetSystemWow64DirectoryA(char* buffer, UINT size) {
    return ::GetSystemWow64DirectoryA(buffer, size);
}

std::string Win32Services::Wow64RedirectedPath(std::string_view path) {
    std::array<char, MAX_PATH> windows{};
    if (GetSystemWow64DirectoryA(nullptr, 0) == 0) return std::string(path);
    const UINT length = ::GetWindowsDirectoryA(windows.data(), windows.size());
    if (length == 0 || length >= windows.size()) return std::string(path);
    return platform::Wow64RedirectedPath(path, std::string_view(windows.data(), length),
                                         WindowsWow64Rules());
}

std::string Win32Services::HostPathOf(const char* path, std::string* why) {
    // The files are this machine's own: the path is where they are, in UTF-8 as the
    // interface gives host paths.
    if (why) why->clear();
    const std::wstring wide = AnsiToWide(path ? path : "");
    if (wide.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                              size, nullptr, nullptr);
    return utf8;
}

DWORD Win32Services::ExpandEnvironmentStrings32A(const char* source, char* destination,
                                                 DWORD size) {
    if (!source || GetSystemWow64DirectoryA(nullptr, 0) == 0)
        return ::ExpandEnvironmentStringsA(source, destination, size);
    // What a 32-bit program's environment holds differently; Windows expands the rest.
    const std::string architecture = Variable("PROCESSOR_ARCHITECTURE");
    const std::pair<std::string_view, std::string> differences[] = {
        {"ProgramFiles", Variable("ProgramFiles(x86)")},
        {"CommonProgramFiles", Variable("CommonProgramFiles(x86)")},
        {"PROCESSOR_ARCHITECTURE", "x86"},
        {"PROCESSOR_ARCHITEW6432", architecture.empty() ? "AMD64" : architecture},
    };
    const std::string_view text(source);
    std::string replaced;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            replaced += text.substr(at);
            break;
        }
        replaced += text.substr(at, open - at);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const auto* found = std::find_if(
            std::begin(differences), std::end(differences),
            [name](const auto& variable) { return codepage::EqualsNoCase(variable.first, name); });
        if (found != std::end(differences) && !found->second.empty()) replaced += found->second;
        else replaced += text.substr(open, close - open + 1);
        at = close + 1;
    }
    return ::ExpandEnvironmentStringsA(replaced.c_str(), destination, size);
}

}  // namespace platform::win32
