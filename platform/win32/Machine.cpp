#include "platform/win32/Machine.h"

#include <objbase.h>

#include "platform/win32/Win32Services.h"

namespace platform::win32 {

Win32Services::Win32Services() {
    // The shortcut reader's link objects live in this thread's apartment.
    const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comReady_ = SUCCEEDED(result);
}

Win32Services::~Win32Services() {
    if (comReady_) ::CoUninitialize();
}

std::string Win32Services::Description() const { return "this computer (" + ComputerName() + ")"; }

std::unique_ptr<Services> OpenMachine() { return std::make_unique<Win32Services>(); }

std::string ComputerName() {
    wchar_t name[256] = {};
    ::DWORD length = 256;
    if (!::GetComputerNameExW(ComputerNameDnsHostname, name, &length) || length == 0)
        return "this computer";
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, name, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, name, static_cast<int>(length), utf8.data(), size, nullptr,
                          nullptr);
    return utf8;
}

}  // namespace platform::win32
