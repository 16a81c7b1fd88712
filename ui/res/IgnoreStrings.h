#pragma once
// The texts of the ignore list: the result list's context menu and the Ignored Entries dialog.
namespace ui::text {

inline constexpr const char* kMenuIgnoreEntry = "Ignore This &Entry";
inline constexpr const char* kMenuIgnoreKey = "Ignore This &Key";
inline constexpr const char* kMenuIgnoredEntries = "Ignored Entries...";
inline constexpr const char* kIgnoredEntriesCaption = "Ignored Entries";
inline constexpr const char* kIgnoredEntriesHeading = "Entries every scan leaves out...";
inline constexpr const char* kColumnIgnoredSection = "Section";
inline constexpr const char* kColumnIgnoredKey = "Key";
inline constexpr const char* kColumnIgnoredName = "Name";
inline constexpr const char* kIgnoredWholeKey = "(whole key)";
inline constexpr const char* kIgnoredShortcut = "(shortcut file or folder)";
inline constexpr const char* kIgnoredDefaultValue = "<Default>";
inline constexpr const char* kButtonRemove = "&Remove";
inline constexpr const char* kButtonRemoveAll = "Remove &All";
inline constexpr const char* kRemoveAllQuestion =
    "Remove every entry from the ignore list? The next scan lists them again.";

}  // namespace ui::text
