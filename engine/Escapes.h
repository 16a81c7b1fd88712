#pragma once
// The escapes of a quoted text in the text form, the backup file and the lists: "\\", "\"",
// "\r" and "\n", and in the exact form "\uXXXX" for a UTF-16 unit outside the A code page.
// Written and read only here, so that the two sides cannot drift apart.
#include <string>
#include <string_view>

namespace engine {

// `text` in double quotes, each backslash, quote, CR and LF escaped.
std::string Quoted(std::string_view text);
// Quoted as above, in the A code page, with "\uXXXX" for every unit it cannot hold.
std::string QuotedExact(std::u16string_view text);

// What "\r" and "\n" read as: the stored CR and LF, or a space (the lists show one line).
enum class LineBreaks { Stored, AsSpaces };

// The text an escaped text (without its quotes) stands for, in one left-to-right pass: a
// literal backslash followed by "n" is written "\\n" and must not turn into a line feed. A
// backslash that starts no escape stays as it is; "\uXXXX" is no escape here (no text of this
// form holds one: its backslashes are always doubled).
std::string Unescape(std::string_view text, LineBreaks breaks = LineBreaks::Stored);
// The same read as the exact text form: every byte in the A code page, and "\uXXXX" one
// UTF-16 unit.
std::u16string UnescapeExact(std::string_view text);

}  // namespace engine
