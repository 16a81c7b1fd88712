// Conversions between the "A" strings the engine works with and the UTF-16 the W calls take.
#include "platform/win32/Win32Services.h"

namespace platform::win32 {

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string WideToAnsi(std::wstring_view text, bool* exact) {
    if (exact) *exact = true;
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    // Best-fit letters set no "default used" flag: only the way back tells.
    if (exact) *exact = AnsiToWide(ansi) == text;
    return ansi;
}

std::wstring WidePath(const char* path) {
    std::wstring wide = AnsiToWide(path ? path : "");
    // CreateDirectory's limit is the lowest (MAX_PATH less room for an 8.3 name).
    constexpr std::size_t kShortLimit = MAX_PATH - 12;
    if (wide.size() < kShortLimit || wide.starts_with(L"\\\\?\\")) return wide;
    const ::DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    const ::DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return wide;
    full.resize(length);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string ErrorText(::DWORD code) {
    wchar_t* text = nullptr;
    const ::DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : std::wstring();
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L'.' || message.back() == L' '))
        message.pop_back();
    if (message.empty()) return "error " + std::to_string(code);
    return WideToAnsi(message);
}

}  // namespace platform::win32
