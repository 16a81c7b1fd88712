#pragma once
// Text conversions the Wine backend needs: the "A" code page (Windows-1252 as Wine's English
// locale uses it, best-fit mappings included), UTF-8 for host file names, and case folding.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::codepage {

// UTF-16 to Windows-1252 as WideCharToMultiByte(CP_ACP, 0, ...) does in Wine: best-fit
// mappings where Wine's table has one, "?" for characters without any mapping.
std::string Utf16ToAnsi(std::u16string_view text);
// One UTF-16 unit as Utf16ToAnsi maps it.
char UnitToAnsi(char16_t unit);
// Whether the unit (every unit of the text) comes back unchanged from Utf16ToAnsi and
// AnsiToUtf16: false for best-fit letters and characters shown as "?".
bool UnitRoundTrips(char16_t unit);
bool RoundTrips(std::u16string_view text);
// Windows-1252 to UTF-16 as MultiByteToWideChar(CP_ACP, 0, ...) does.
std::u16string AnsiToUtf16(std::string_view text);

// UTF-8 (host file names) to UTF-16 and back. Invalid UTF-8 bytes are dropped; unpaired
// surrogates are written as U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// Decodes the one UTF-8 sequence at `pos` into `out` and returns how many bytes it took; an
// invalid lead byte is taken and dropped.
std::size_t DecodeUtf8Sequence(std::string_view text, std::size_t pos, std::u16string& out);

// Simple case mappings of one UTF-16 unit, as Wine's NLS tables give them.
char16_t ToLower(char16_t c);
char16_t ToUpper(char16_t c);

}  // namespace platform::codepage
