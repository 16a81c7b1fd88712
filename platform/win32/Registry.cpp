// The registry calls, passed to Windows' own. Writes reach the registry at once, so there is
// nothing to commit or discard.
#include "platform/win32/Win32Services.h"

#include <vector>

namespace platform::win32 {
namespace {

// The rights a read needs, with the view bits of the request kept.
::REGSAM ReadRights(DWORD samDesired) {
    return MAXIMUM_ALLOWED | (samDesired & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
}

bool AsksToWrite(DWORD samDesired) {
    return (samDesired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE | WRITE_DAC)) != 0;
}

// The key Windows opened or created, handed out as ours (0 when the call failed).
LONG HandOut(::LSTATUS status, ::HKEY opened, HKEY* result) {
    if (result) *result = status == ERROR_SUCCESS ? FromWin(opened) : 0;
    return static_cast<LONG>(status);
}

// A key asked for with write rights that this account may only read (HKEY_LOCAL_MACHINE
// without an elevated prompt) is opened with the rights it has: the walk reads it, and a
// deletion through the handle fails with ERROR_ACCESS_DENIED, which is reported per entry.
template <typename Open>
LONG OpenWithRightsHeld(DWORD samDesired, HKEY* result, Open open) {
    ::HKEY out = nullptr;
    ::LSTATUS status = open(static_cast<::REGSAM>(samDesired), &out);
    if (status == ERROR_ACCESS_DENIED && AsksToWrite(samDesired))
        status = open(ReadRights(samDesired), &out);
    return HandOut(status, out, result);
}

// RegEnumKeyEx's in/out name length, passed through Windows' own DWORD.
template <typename Enum>
LONG EnumKey(DWORD* nameLength, Enum enumerate) {
    ::DWORD length = nameLength ? *nameLength : 0;
    const ::LSTATUS status = enumerate(&length);
    if (nameLength) *nameLength = length;
    return static_cast<LONG>(status);
}

// RegEnumValue's in/out lengths and type, passed through Windows' own DWORDs.
template <typename Enum>
LONG EnumValue(DWORD* nameLength, DWORD* type, DWORD* dataLength, Enum enumerate) {
    ::DWORD length = nameLength ? *nameLength : 0;
    ::DWORD kind = 0;
    ::DWORD size = dataLength ? *dataLength : 0;
    const ::LSTATUS status = enumerate(&length, &kind, dataLength ? &size : nullptr);
    if (nameLength) *nameLength = length;
    if (type) *type = kind;
    if (dataLength) *dataLength = size;
    return static_cast<LONG>(status);
}

using NtQueryKeyFunction = LONG(WINAPI*)(::HANDLE, int, void*, ::ULONG, ::ULONG*);
constexpr int kKeyNameInformation = 3;

}  // namespace

LONG Win32Services::RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD samDesired,
                                  HKEY* result) {
    return OpenWithRightsHeld(samDesired, result, [&](::REGSAM sam, ::HKEY* out) {
        return ::RegOpenKeyExA(ToWin(key), subKey, options, sam, out);
    });
}

LONG Win32Services::RegOpenKeyExW(HKEY key, const WCHAR* subKey, DWORD options, DWORD samDesired,
                                  HKEY* result) {
    return OpenWithRightsHeld(samDesired, result, [&](::REGSAM sam, ::HKEY* out) {
        return ::RegOpenKeyExW(ToWin(key), ToWin(subKey), options, sam, out);
    });
}

LONG Win32Services::RegQueryInfoKeyA(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* values,
                                     DWORD* maxValueNameLen, DWORD* maxValueLen) {
    ::DWORD keys = 0, keyLength = 0, count = 0, nameLength = 0, dataLength = 0;
    const ::LSTATUS status =
        ::RegQueryInfoKeyA(ToWin(key), nullptr, nullptr, nullptr, &keys, &keyLength, nullptr,
                           &count, &nameLength, &dataLength, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        if (subKeys) *subKeys = keys;
        if (maxSubKeyLen) *maxSubKeyLen = keyLength;
        if (values) *values = count;
        if (maxValueNameLen) *maxValueNameLen = nameLength;
        if (maxValueLen) *maxValueLen = dataLength;
    }
    return static_cast<LONG>(status);
}

LONG Win32Services::RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength) {
    return EnumKey(nameLength, [&](::DWORD* length) {
        return ::RegEnumKeyExA(ToWin(key), index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

LONG Win32Services::RegEnumKeyExW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength) {
    return EnumKey(nameLength, [&](::DWORD* length) {
        return ::RegEnumKeyExW(ToWin(key), index, ToWin(name), length, nullptr, nullptr, nullptr,
                               nullptr);
    });
}

LONG Win32Services::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type,
                                  BYTE* data, DWORD* dataLength) {
    return EnumValue(
        nameLength, type, dataLength, [&](::DWORD* length, ::DWORD* kind, ::DWORD* size) {
            return ::RegEnumValueA(ToWin(key), index, name, length, nullptr, kind, data, size);
        });
}

LONG Win32Services::RegEnumValueW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength,
                                  DWORD* type, BYTE* data, DWORD* dataLength) {
    return EnumValue(nameLength, type, dataLength,
                     [&](::DWORD* length, ::DWORD* kind, ::DWORD* size) {
                         return ::RegEnumValueW(ToWin(key), index, ToWin(name), length, nullptr,
                                                kind, data, size);
                     });
}

LONG Win32Services::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
    ::HKEY out = nullptr;
    const ::LSTATUS status = ::RegCreateKeyA(ToWin(key), subKey, &out);
    return HandOut(status, out, result);
}

LONG Win32Services::RegCreateKeyW(HKEY key, const WCHAR* subKey, HKEY* result) {
    ::HKEY out = nullptr;
    const ::LSTATUS status = ::RegCreateKeyW(ToWin(key), ToWin(subKey), &out);
    return HandOut(status, out, result);
}

LONG Win32Services::RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                     DWORD* dataLength) {
    ::DWORD kind = 0;
    ::DWORD size = dataLength ? *dataLength : 0;
    const ::LSTATUS status = ::RegQueryValueExA(ToWin(key), valueName, nullptr, &kind, data,
                                                dataLength ? &size : nullptr);
    if (type) *type = kind;
    if (dataLength) *dataLength = size;
    return static_cast<LONG>(status);
}

LONG Win32Services::RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                                   const BYTE* data, DWORD dataLength) {
    return static_cast<LONG>(
        ::RegSetValueExA(ToWin(key), valueName, reserved, type, data, dataLength));
}

LONG Win32Services::RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type,
                                   const BYTE* data, DWORD dataLength) {
    return static_cast<LONG>(
        ::RegSetValueExW(ToWin(key), ToWin(valueName), reserved, type, data, dataLength));
}

LONG Win32Services::RegDeleteValueA(HKEY key, const char* valueName) {
    return static_cast<LONG>(::RegDeleteValueA(ToWin(key), valueName));
}

LONG Win32Services::RegDeleteValueW(HKEY key, const WCHAR* valueName) {
    return static_cast<LONG>(::RegDeleteValueW(ToWin(key), ToWin(valueName)));
}

LONG Win32Services::RegCloseKey(HKEY key) { return static_cast<LONG>(::RegCloseKey(ToWin(key))); }

std::uint64_t Win32Services::RegKeyIdentity(HKEY key) {
    // The key object's name, which NtQueryKey gives once links are followed; no Win32 call
    // tells it.
    static const auto query = reinterpret_cast<NtQueryKeyFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryKey")));
    if (!query || key >= HKEY_CLASSES_ROOT) return 0;  // a root has no object of its own
    std::vector<::ULONG> buffer(1024);
    ::ULONG needed = 0;
    auto ask = [&] {
        return query(ToWin(key), kKeyNameInformation, buffer.data(),
                     static_cast<::ULONG>(buffer.size() * sizeof(::ULONG)), &needed);
    };
    LONG status = ask();
    if (status != 0 && needed > buffer.size() * sizeof(::ULONG)) {
        buffer.resize(needed / sizeof(::ULONG) + 1);
        status = ask();
    }
    if (status != 0) return 0;
    const ::ULONG bytes = buffer[0];
    std::wstring name(reinterpret_cast<const wchar_t*>(buffer.data() + 1), bytes / sizeof(wchar_t));
    ::CharUpperBuffW(name.data(), static_cast<::DWORD>(name.size()));
    const auto [place, added] = keyIds_.try_emplace(std::move(name), keyIds_.size() + 1);
    return place->second;
}

Status Win32Services::Commit() { return Status::Success(); }

Status Win32Services::DiscardChanges() { return Status::Success(); }

std::string Win32Services::Warning() {
    ::HKEY probe = nullptr;
    const ::LSTATUS status =
        ::RegOpenKeyExW(ToWin(HKEY_LOCAL_MACHINE), L"SOFTWARE", 0, KEY_SET_VALUE, &probe);
    if (status == ERROR_SUCCESS) ::RegCloseKey(probe);
    if (status != ERROR_ACCESS_DENIED) return {};
    return "Drennow runs without administrator rights: entries under HKEY_LOCAL_MACHINE are "
           "scanned but cannot be repaired. To repair them, run it from an elevated prompt "
           "(Run as administrator).";
}

}  // namespace platform::win32
