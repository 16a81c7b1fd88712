#include "tests/win32/Scratch.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <filesystem>

namespace win32test {
namespace {

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::u16string MakeScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"drennow-test-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return {folder.begin(), folder.end()};
}

void RemoveFolder(const std::u16string& folder) {
    std::error_code ec;
    std::filesystem::remove_all(L"\\\\?\\" + Wide(folder), ec);
}

void RemoveUserKey(const std::u16string& subKey) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(subKey).c_str());
}

bool CreateEmptyFile(const std::u16string& path) {
    const HANDLE file =
        ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

unsigned ProcessId() { return static_cast<unsigned>(::GetCurrentProcessId()); }

}  // namespace win32test
