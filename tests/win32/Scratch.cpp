#include "tests/win32/Scratch.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace win32test {
namespace {

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

// Removes `folder` (a \\?\ path) and everything in it.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + L"\\" + name);
            else ::DeleteFileW((folder + L"\\" + name).c_str());
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::u16string MakeScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    for (unsigned n = 0;; ++n) {
        const std::wstring folder = std::wstring(temp) + L"drennow-test-" +
                                    std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(n);
        if (::CreateDirectoryW(folder.c_str(), nullptr)) return {folder.begin(), folder.end()};
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

void RemoveFolder(const std::u16string& folder) { RemoveTree(L"\\\\?\\" + Wide(folder)); }

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
