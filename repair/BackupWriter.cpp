#include "repair/BackupWriter.h"

#include <algorithm>

#include <fmt/format.h>

#include "repair/BackupLocation.h"

namespace repair {

std::string HeaderLine(const platform::LocalTime& time, int count) {
    return fmt::format(">>   {}/{}/{}  {}:{}:{}  >>{}", time.day, time.month, time.year, time.hour,
                       time.minute, time.second, count);
}

std::string BackupBlockText(const platform::LocalTime& time,
                            const std::vector<engine::RepairEntry>& entries) {
    std::string text = "\n" + HeaderLine(time, static_cast<int>(entries.size())) + "\n\n";
    for (const engine::RepairEntry& entry : entries) {
        text += entry.keyLine;
        text += '\n';
        text += entry.valueLine;
        text += "\n\n";
    }
    return text;
}

bool ReadTextLines(platform::Services& services, const std::string& path, engine::TextList& lines) {
    lines.clear();
    auto file = services.OpenTextFile(path.c_str(), platform::TextFileMode::Read);
    if (!file) {
        return services.GetFileAttributesA(path.c_str()) == platform::INVALID_FILE_ATTRIBUTES;
    }
    std::string line;
    while (file->ReadString(line)) lines.push_back(line);
    file->Close();
    return true;
}

namespace {

// A line break inside a key or value line would split the entry over two lines and shift
// every later key/value pair of the file, so such an entry cannot be saved.
bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

namespace {

std::string JoinLines(const engine::TextList& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

engine::TextList SplitLines(const std::string& text) {
    engine::TextList lines;
    for (std::size_t from = 0, to; from < text.size(); from = to + 1) {
        to = text.find('\n', from);
        if (to == std::string::npos) to = text.size();
        lines.push_back(text.substr(from, to - from));
    }
    return lines;
}

}  // namespace

platform::Status WriteBackup(platform::Services& services, const engine::RepairLists& lists,
                             const std::vector<SavedShortcut>& shortcuts, WrittenBlock* written) {
    engine::TextList lines;
    for (const engine::RepairEntry& entry : lists.registry)
        lines.insert(lines.end(), {entry.keyLine, entry.valueLine});
    for (const SavedShortcut& copy : shortcuts) lines.push_back(copy.path);
    for (const std::string& line : lines) {
        if (HasLineBreak(line)) {
            return {platform::ERROR_INVALID_PARAMETER,
                    fmt::format("The entry {} holds a line break and cannot be saved in a "
                                "backup.",
                                line.substr(0, line.find_first_of("\r\n")))};
        }
    }
    const std::string folder = BackupFolder(services);
    CreateFolderPath(services, folder);
    const std::string path = BackupFile(folder);

    std::string block = BackupBlockText(services.GetLocalTime(), lists.registry);
    for (const SavedShortcut& copy : shortcuts) block += SavedShortcutText(copy);
    // Read and rewritten under the folder's lock, so that a backup another Drennow appends
    // meanwhile is kept.
    return services.UpdateTextFile(path.c_str(), [&]() -> platform::Status {
        engine::TextList old;
        if (!ReadTextLines(services, path, old)) {
            // Rewriting would lose the backups already in it.
            return {platform::ERROR_CANTREAD,
                    fmt::format("The backup file {} exists but cannot be read.", path)};
        }
        const bool created = old.empty() && services.GetFileAttributesA(path.c_str()) ==
                                                platform::INVALID_FILE_ATTRIBUTES;
        platform::Status status = services.ReplaceTextFile(path.c_str(), JoinLines(old) + block);
        if (!status.ok() && status.message.empty())
            status.message = fmt::format("The backup file {} could not be written.", path);
        if (status.ok() && written) *written = {SplitLines(block), created};
        return status;
    });
}

platform::Status RemoveBackupBlock(platform::Services& services, const WrittenBlock& block) {
    const std::string path = BackupFile(BackupFolder(services));
    return services.UpdateTextFile(path.c_str(), [&]() -> platform::Status {
        engine::TextList lines;
        if (!ReadTextLines(services, path, lines))
            return {platform::ERROR_CANTREAD,
                    fmt::format("The backup file {} cannot be read.", path)};
        const auto at =
            std::find_end(lines.begin(), lines.end(), block.lines.begin(), block.lines.end());
        if (block.lines.empty() || at == lines.end()) return {};  // someone took it out already
        lines.erase(at, at + static_cast<std::ptrdiff_t>(block.lines.size()));
        if (lines.empty() && block.createdFile) {
            if (services.DeleteFileA(path.c_str())) return {};
        }
        platform::Status status = services.ReplaceTextFile(path.c_str(), JoinLines(lines));
        if (!status.ok() && status.message.empty())
            status.message = fmt::format("The backup file {} could not be written.", path);
        return status;
    });
}

}  // namespace repair
