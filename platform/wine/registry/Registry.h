#pragma once
// The registry of a Wine prefix: its three hive files loaded into memory, served with Win32
// semantics, and written back by Commit().
#include <memory>
#include <string>
#include <string_view>

#include "platform/Services.h"

namespace platform::wine {

class Registry {
public:
    // Loads system.reg, user.reg and userdef.reg of `prefixDir`. On failure `status` names
    // the file (and line) and says what is wrong; the returned object is null then.
    static std::unique_ptr<Registry> Load(const std::string& prefixDir, Status& status);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD samDesired, HKEY* result);
    LONG RegQueryInfoKeyA(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* values,
                          DWORD* maxValueNameLen, DWORD* maxValueLen);
    LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength);
    LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type,
                       BYTE* data, DWORD* dataLength);
    LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result);
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                          DWORD* dataLength);
    LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                        const BYTE* data, DWORD dataLength);
    LONG RegDeleteValueA(HKEY key, const char* valueName);
    LONG RegCloseKey(HKEY key);
    LONG RegOpenKeyExW(HKEY key, const WCHAR* subKey, DWORD options, DWORD samDesired,
                       HKEY* result);
    LONG RegEnumKeyExW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength);
    LONG RegEnumValueW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength, DWORD* type,
                       BYTE* data, DWORD* dataLength);
    LONG RegCreateKeyW(HKEY key, const WCHAR* subKey, HKEY* result);
    LONG RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type,
                        const BYTE* data, DWORD dataLength);
    LONG RegDeleteValueW(HKEY key, const WCHAR* valueName);
    std::uint64_t RegKeyIdentity(HKEY key);

    Status Commit();
    // Hands out handles after those of `earlier`, so that a registry read again never gives
    // a handle the number of one that was open on the one it replaces.
    void ContinueHandlesOf(const Registry& earlier);
    bool HasUncommittedChanges() const;
    // Refused for another user's prefix, a hive that cannot be written safely, or while a
    // wineserver runs for the prefix.
    Status CanWrite();
    // True when a hive file no longer holds what was read from it (or last written to it);
    // a file Wine only saved again with the same bytes keeps its hive.
    bool ChangedOnDisk();
    // Non-empty for another user's prefix or while a wineserver runs for it.
    std::string Warning();
    // The architecture system.reg's header names ("win64", "win32"); empty when it names none.
    std::string_view Architecture() const;

private:
    Registry();
    bool SubkeyName(HKEY key, DWORD index, std::u16string& name, LONG& status);
    LONG SetValue(HKEY key, std::u16string_view valueName, DWORD type, const BYTE* data,
                  DWORD dataLength);
    LONG DeleteValue(HKEY key, std::u16string_view valueName);
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::wine
