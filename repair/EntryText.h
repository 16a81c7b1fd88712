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
using platform::codepage::TrimAscii;

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
// The same name exactly as stored (see engine::UnescapeExact).
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
