#pragma once
// The ignore list's file, ignore.txt beside the backup folder: UTF-8 text a person can read
// and edit, one entry a line after a header line naming the format.
//
//   Norlix Drennow ignore list 1
//   value<TAB>3<TAB>HKEY_LOCAL_MACHINE\Software\Gone<TAB>Path
//   key<TAB>-<TAB>HKEY_CURRENT_USER\Software\Old Program
//   shortcut<TAB>14<TAB>C:\users\Public\Desktop\Gone.lnk
//
// The second field is the section the entry was ignored from ("-": not known). A value's
// default name is "@". "%" and two hexadecimal digits stand for a control character, "%"
// or a name that is just "@" ("%40"); "%u" and four digits for a lone UTF-16 surrogate, so
// every name a registry can hold is kept exactly. Empty lines and lines beginning with "#"
// are comments.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/IgnoreList.h"
#include "platform/Services.h"

namespace repair {

inline constexpr std::string_view kIgnoreHeader = "Norlix Drennow ignore list 1";

struct IgnoreFileContents {
    std::vector<engine::IgnoreEntry> entries;
    // Comments and the lines that could not be read, written back as they were (above the
    // entries): a line a person mistyped is theirs to mend, not ours to drop.
    std::vector<std::string> kept;
    std::vector<int> damagedLines;  // line numbers, from 1, of the lines that could not be read
};

std::string IgnoreEntryLine(const engine::IgnoreEntry& entry);
// False when the line is no entry this format can hold.
bool ParseIgnoreEntryLine(std::string_view line, engine::IgnoreEntry& entry);
IgnoreFileContents ParseIgnoreLines(const std::vector<std::string>& lines);
// The whole file, header first, each line followed by a line end.
std::string IgnoreFileText(const IgnoreFileContents& contents);

// The file's Windows path: ignore.txt in the program's folder, beside the backup folder.
std::string IgnoreFilePath(platform::Services& services);

// Reads the file; a file that does not exist is an empty list. Fails only when the file
// exists but cannot be read.
platform::Status ReadIgnoreFile(platform::Services& services, IgnoreFileContents& contents);
// Reads the file, lets `change` change it and, when `change` returns true, replaces it
// atomically, all under the backup file's lock, so that neither an entry nor a backup
// another Drennow writes meanwhile is lost. `contents` ends as written.
platform::Status UpdateIgnoreFile(platform::Services& services,
                                  const std::function<bool(IgnoreFileContents&)>& change,
                                  IgnoreFileContents* contents = nullptr);

// "The ignore list C:\...\ignore.txt has 2 lines that cannot be read (lines 4, 9); they are
// skipped." Empty when every line was read.
std::string DamagedLinesNote(platform::Services& services, const IgnoreFileContents& contents);

// Whether what the entry names is still there: the value, the key, the file or folder.
bool IgnoredEntryPresent(platform::Services& services, const engine::IgnoreEntry& entry);

}  // namespace repair
