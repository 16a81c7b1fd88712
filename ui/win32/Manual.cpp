#include "ui/win32/Manual.h"

#include <shellapi.h>

#include "ui/res/Strings.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring ManualPath() {
    const std::wstring folder = ProgramFolder();
    if (folder.empty()) return {};
    for (const wchar_t* place : {L"\\manual.html", L"\\..\\share\\drennow\\manual.html"}) {
        const std::wstring path = folder + place;
        if (IsFile(path)) return path;
    }
    return {};
}

void OpenManual(HWND owner) {
    const std::wstring path = ManualPath();
    if (path.empty()) {
        ::MessageBoxW(owner, Wide(text::kManualMissingWindows).c_str(),
                      Wide(text::kInformation).c_str(), MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Nothing more is done when no program opens HTML files.
    ::ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace ui::win32
