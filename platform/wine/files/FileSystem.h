#pragma once
// Files, folders, drives, environment and shortcuts of a Wine prefix, as Wine's own API
// shows them to a program running in that prefix. Nothing is written to another user's
// prefix (platform/wine/PrefixOwner.h): the calls that would write fail.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Services.h"

namespace platform::wine {

class FileSystem {
public:
    // `registry` is the prefix's registry (drive types, environment); it must outlive this.
    FileSystem(const std::string& prefixDir, Services& registry);
    ~FileSystem();
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

    BOOL PathFileExistsA(const char* path);
    std::string HostPathOf(const char* path, std::string* why);
    DWORD GetFileAttributesA(const char* path);
    BOOL CreateDirectoryA(const char* path);
    BOOL DeleteFileA(const char* path);
    std::unique_ptr<DirectorySearch> FindFirstFileA(const char* pattern);
    void SetSearchProgress(std::function<bool()> progress);
    bool GetFolderIdentity(const char* path, FolderId* id);
    DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer);
    UINT GetDriveTypeA(const char* rootPath);
    void SetDirectoryCaching(bool enabled);
    std::uint64_t DirectoryCacheGeneration() const;

    DWORD ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size);
    // The same in a 32-bit program's environment.
    DWORD ExpandEnvironmentStrings32A(const char* source, char* destination, DWORD size);
    UINT GetWindowsDirectoryA(char* buffer, UINT size);
    UINT GetSystemDirectoryA(char* buffer, UINT size);
    UINT GetSystemWow64DirectoryA(char* buffer, UINT size);
    DWORD GetModuleFileNameA(void* module, char* buffer, DWORD size);

    std::unique_ptr<TextFile> OpenTextFile(const char* path, TextFileMode mode);
    Status ReplaceTextFile(const char* path, std::string_view text);
    Status UpdateTextFile(const char* path, const std::function<Status()>& update);
    LocalTime GetLocalTime();

    std::string GetShortcutTarget(const char* path);

    bool ReadFileBytes(const char* path, std::string* bytes, DWORD maxBytes);
    Status CreateNewFile(const char* path, std::string_view bytes);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::wine
