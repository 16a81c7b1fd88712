#pragma once
// The string escapes of Wine's hive files, for key names, value names, string data and
// class names.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::wine::registry {

// Decodes escaped text starting at `pos` up to the unescaped `terminator`, appending the
// UTF-16 units to `out` (bytes >= 0x80 are read as UTF-8; invalid ones are dropped).
// Returns the position just after the terminator, or npos when the line ends first.
std::size_t DecodeEscaped(std::string_view line, std::size_t pos, char terminator,
                          std::u16string& out);

// Where DecodeEscaped would stop, without decoding: the position just after the unescaped
// `terminator`, or npos when the line ends first.
std::size_t SkipEscaped(std::string_view line, std::size_t pos, char terminator);

// Appends `text` escaped as Wine writes it; `quote1` and `quote2` are the context's special
// characters ('"' twice for names and data, '[' and ']' for key names). Returns the number
// of characters written.
std::size_t AppendEscaped(std::string& out, std::u16string_view text, char quote1, char quote2);

}  // namespace platform::wine::registry
