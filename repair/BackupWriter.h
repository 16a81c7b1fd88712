#pragma once
// The backup file: one block per backed-up repair, appended to `backup.txt`.
#include <string>

#include "engine/ScanModel.h"
#include "platform/Services.h"
#include "repair/ShortcutBackup.h"

namespace repair {

// ">>   d/m/yyyy  h:m:s  >>count" without its line end.
std::string HeaderLine(const platform::LocalTime& time, int count);

// One block as it stands in the file before line ends become CR LF: an empty line, the header
// with the number of entries, an empty line, then key line, value line and an empty line per
// entry.
std::string BackupBlockText(const platform::LocalTime& time,
                            const std::vector<engine::RepairEntry>& entries);

// Reads the lines of a text file. False when the file exists but cannot be read; a file that
// does not exist gives no lines.
bool ReadTextLines(platform::Services& services, const std::string& path, engine::TextList& lines);

// The block a WriteBackup added, for taking it out again when the repair is refused after.
struct WrittenBlock {
    engine::TextList lines;    // as ReadTextLines gives them back
    bool createdFile = false;  // the backup file did not exist before
};

// Appends one block made from the registry repair list to the backup file, rewriting the file
// atomically: the old content (every line followed by a line end) and the new block. On
// failure the file is as it was and the status says why. The block ends with the copies of
// the shortcut files, so they are saved in the same atomic write as the registry entries.
// `written`, when given, learns the block.
platform::Status WriteBackup(platform::Services& services, const engine::RepairLists& lists,
                             const std::vector<SavedShortcut>& shortcuts = {},
                             WrittenBlock* written = nullptr);

// Takes the block back out of the backup file (its last occurrence; none is fine), rewriting
// the file atomically under the same lock, or removing it when the block made it.
platform::Status RemoveBackupBlock(platform::Services& services, const WrittenBlock& block);

}  // namespace repair
