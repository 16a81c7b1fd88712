#pragma once
// Reading the texts of a saved or scanned entry back: key lines, quoted names, escapes.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Win32Types.h"
#include "platform/codepage/Ascii.h"

namespace repair {

using platform::codepage::HexDigit;
using platform::codepage::IsAsciiSpace;
using platform::codepage::StartsWithNoCase;

std::string Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);

// The stored text an escaped text of the text form stands for (the data, not a display form),
// in one left-to-right pass: "\\" -> "\", "\"" -> """,
// "\r" -> CR, "\n" -> LF. Any other backslash stays as it is. One pass matters: a literal
// backslash followed by "n" is written "\\n" and must not turn into a line feed.
std::string ParseEscaped(std::string_view text);
// The same read as the exact text form: every byte in the A code page, and "\uXXXX" one UTF-16
// unit (no earlier text holds that escape: its backslashes are always doubled).
std::u16string ParseEscapedExact(std::string_view text);

struct KeyPath {
    platform::HKEY root = 0;
    std::string subKey;    // in the A code page, for messages
    std::u16string exact;  // as stored: what the key is opened and created by
};
// "[ROOT\sub\path]" -> root and subkey; also the exact form ["ROOT\\sub\\path"] with its
// escapes. Empty when the brackets, the backslash after the root name or a known root name
// are missing.
std::optional<KeyPath> ParseKeyLine(std::string_view keyLine);

// The value name a name text stands for: "@" is the default value (empty name); a quoted name
// is the text up to its closing quote (one not escaped by a backslash), unescaped. `rest` gets
// what follows the name text. Empty when the text is neither form.
std::optional<std::string> ParseNameText(std::string_view text, std::string_view* rest = nullptr);
// The same name exactly as stored (see ParseEscapedExact).
std::optional<std::u16string> ParseExactNameText(std::string_view text,
                                                 std::string_view* rest = nullptr);

// Splits a value line ("name text" "=" "data text") where the name text ends, so that an "="
// or a quote inside a name never moves the split. Empty when the line has no name text
// followed by "=".
struct ValueLineParts {
    std::string nameText;
    std::string dataText;
};
std::optional<ValueLineParts> SplitValueLine(std::string_view valueLine);

}  // namespace repair
