#pragma once
// The Windows backend's one class. Services.h comes first: <windows.h> defines the Win32
// names as macros, and Win32Types.h must see none of them. Below it, unqualified DWORD,
// LONG, HKEY and WCHAR are platform's types and ::DWORD, ::LONG, ::HKEY are Windows' own;
// the status and flag macros have the same values as platform's constants (a root key
// macro such as HKEY_LOCAL_MACHINE casts to the HKEY in scope: ours, so ToWin() it).
#include "platform/Services.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace platform::win32 {

// Windows' handle for one of ours: the predefined roots have the same values on both sides.
inline ::HKEY ToWin(HKEY key) { return reinterpret_cast<::HKEY>(key); }
inline HKEY FromWin(::HKEY key) { return reinterpret_cast<HKEY>(key); }
inline const wchar_t* ToWin(const WCHAR* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* ToWin(WCHAR* text) { return reinterpret_cast<wchar_t*>(text); }

// An "A" path (the machine's ANSI code page) as a path the W file calls take: a path too
// long for MAX_PATH is made absolute and given the \\?\ prefix, so no file is missed for its
// length alone.
std::wstring WidePath(const char* path);
// ANSI (CP_ACP) and UTF-16, as MultiByteToWideChar and WideCharToMultiByte convert them;
// `exact` (when given) is false when the ANSI text does not convert back to the same name.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text, bool* exact = nullptr);
// The system's message for a Win32 error code, as one sentence without its line end.
std::string ErrorText(::DWORD code);

// A handle closed with CloseHandle when it goes.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { Reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
        if (valid()) ::CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

class Win32Services final : public Services {
public:
    Win32Services();
    ~Win32Services() override;
    Win32Services(const Win32Services&) = delete;
    Win32Services& operator=(const Win32Services&) = delete;

    // Registry.cpp
    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD samDesired,
                       HKEY* result) override;
    LONG RegQueryInfoKeyA(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* values,
                          DWORD* maxValueNameLen, DWORD* maxValueLen) override;
    LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength) override;
    LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type,
                       BYTE* data, DWORD* dataLength) override;
    LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) override;
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                          DWORD* dataLength) override;
    LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                        const BYTE* data, DWORD dataLength) override;
    LONG RegDeleteValueA(HKEY key, const char* valueName) override;
    LONG RegCloseKey(HKEY key) override;
    std::uint64_t RegKeyIdentity(HKEY key) override;
    LONG RegOpenKeyExW(HKEY key, const WCHAR* subKey, DWORD options, DWORD samDesired,
                       HKEY* result) override;
    LONG RegEnumKeyExW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength) override;
    LONG RegEnumValueW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength, DWORD* type,
                       BYTE* data, DWORD* dataLength) override;
    LONG RegCreateKeyW(HKEY key, const WCHAR* subKey, HKEY* result) override;
    LONG RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type,
                        const BYTE* data, DWORD dataLength) override;
    LONG RegDeleteValueW(HKEY key, const WCHAR* valueName) override;
    Status Commit() override;
    Status DiscardChanges() override;
    bool HasUncommittedChanges() const override { return false; }
    Status CanWrite() override { return Status::Success(); }
    // Every call reads the live registry: there is nothing to bring up to date.
    Status Refresh() override { return Status::Success(); }
    std::string Warning() override;

    // Files.cpp
    BOOL PathFileExistsA(const char* path) override;
    DWORD GetFileAttributesA(const char* path) override;
    BOOL CreateDirectoryA(const char* path) override;
    BOOL DeleteFileA(const char* path) override;
    std::unique_ptr<DirectorySearch> FindFirstFileA(const char* pattern) override;
    void SetSearchProgress(std::function<bool()>) override {}  // entries come one by one
    bool GetFolderIdentity(const char* path, FolderId* id) override;
    DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) override;
    UINT GetDriveTypeA(const char* rootPath) override;
    // Every call asks Windows, which keeps its own caches.
    void SetDirectoryCaching(bool) override {}
    std::uint64_t DirectoryCacheGeneration() const override { return 0; }
    DWORD ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size) override;
    UINT GetWindowsDirectoryA(char* buffer, UINT size) override;
    UINT GetSystemDirectoryA(char* buffer, UINT size) override;
    // Wow64.cpp
    UINT GetSystemWow64DirectoryA(char* buffer, UINT size) override;
    std::string Wow64RedirectedPath(std::string_view path) override;
    std::string HostPathOf(const char* path, std::string* why) override;
    DWORD ExpandEnvironmentStrings32A(const char* source, char* destination, DWORD size) override;
    // Files.cpp
    DWORD GetModuleFileNameA(void* module, char* buffer, DWORD size) override;
    LocalTime GetLocalTime() override;

    // TextFiles.cpp
    std::unique_ptr<TextFile> OpenTextFile(const char* path, TextFileMode mode) override;
    Status ReplaceTextFile(const char* path, std::string_view text) override;
    Status UpdateTextFile(const char* path, const std::function<Status()>& update) override;
    bool ReadFileBytes(const char* path, std::string* bytes, DWORD maxBytes) override;
    Status CreateNewFile(const char* path, std::string_view bytes) override;

    // Shortcuts.cpp
    std::string GetShortcutTarget(const char* path) override;

    // Machine.cpp
    std::string Description() const override;
    // Windows has no installation of Wine's to tell its own entries from an installer's.
    bool IsInstallationEntry(HKEY, std::u16string_view, std::u16string_view,
                             std::u16string_view) override {
        return false;
    }

private:
    bool comReady_ = false;
    // Key identities by the key's full name, numbered as first met: a walk compares them only
    // with each other.
    std::map<std::wstring, std::uint64_t> keyIds_;
};

}  // namespace platform::win32
