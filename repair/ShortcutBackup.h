#pragma once
// Copies of shortcut files kept in a backup block, so that Clean Restore can put a deleted
// shortcut file back. Each copy is two lines after the block's registry entries:
//   Shortcut file "C:\users\me\Desktop\Old.lnk"
//   Shortcut bytes 4C0000000114020000...
// Readers that know only registry entries take them as one more key line / value line pair
// and pass it over (the second line has no "=" to split at), so the registry entries of the
// block and its header count stay exactly as before.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "repair/Outcomes.h"
#include "engine/ScanModel.h"
#include "platform/Services.h"

namespace repair {

// A shortcut file larger than this is no shortcut a backup should carry; it is kept.
inline constexpr platform::DWORD kMaxSavedShortcutBytes = 1024 * 1024;

struct SavedShortcut {
    std::string path;   // the Windows path it was deleted from
    std::string bytes;  // its whole content
};

// The two lines of a copy, each followed by a line end, and an empty line.
std::string SavedShortcutText(const SavedShortcut& copy);
// Whether a trimmed line starts a copy (its path line), or is the bytes line after it.
bool IsSavedShortcutLine(std::string_view line);
bool IsSavedShortcutBytesLine(std::string_view line);
// The copy two trimmed lines stand for; empty when they are not one.
std::optional<SavedShortcut> ParseSavedShortcut(std::string_view pathLine,
                                                std::string_view bytesLine);

// The copies read before a repair: one per shortcut file that could be read.
struct ShortcutCopies {
    std::vector<SavedShortcut> saved;
    std::vector<bool> kept;  // per entry of the shortcut repair list: its copy is in `saved`
};
ShortcutCopies ReadShortcutCopies(platform::Services& services, const engine::TextList& paths);

// Deletes the shortcut files of `paths`. With `copies` (a backup was written) only those
// whose copy is in it; any other is left where it is and counted as failed (or as already
// absent when it is gone). Entry numbers in the outcome are those of `paths`.
repair::RepairOutcome DeleteShortcutsWithCopies(platform::Services& services,
                                                const engine::TextList& paths,
                                                const ShortcutCopies* copies);

// Puts every copy back where it was, making missing folders, never over anything standing
// there now; counts into `outcome`'s file counts, one failure line per file not restored.
void RestoreShortcutFiles(platform::Services& services, const std::vector<SavedShortcut>& copies,
                          repair::RestoreOutcome& outcome);

}  // namespace repair
