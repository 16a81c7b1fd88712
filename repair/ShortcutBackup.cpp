#include "repair/ShortcutBackup.h"

#include <fmt/format.h>

#include "repair/BackupLocation.h"
#include "repair/EntryText.h"
#include "repair/RegistryDeletion.h"

namespace repair {
namespace {

constexpr std::string_view kPathMark = "Shortcut file \"";
constexpr std::string_view kBytesMark = "Shortcut bytes ";
constexpr char kHex[] = "0123456789ABCDEF";

}  // namespace

std::string SavedShortcutText(const SavedShortcut& copy) {
    std::string text;
    text.reserve(copy.path.size() + 2 * copy.bytes.size() + 40);
    text += kPathMark;
    text += copy.path;
    text += "\"\n";
    text += kBytesMark;
    for (char byte : copy.bytes) {
        const auto c = static_cast<unsigned char>(byte);
        text += kHex[c >> 4];
        text += kHex[c & 15];
    }
    text += "\n\n";
    return text;
}

bool IsSavedShortcutLine(std::string_view line) { return line.starts_with(kPathMark); }

bool IsSavedShortcutBytesLine(std::string_view line) { return line.starts_with(kBytesMark); }

std::optional<SavedShortcut> ParseSavedShortcut(std::string_view pathLine,
                                                std::string_view bytesLine) {
    if (!IsSavedShortcutLine(pathLine) || pathLine.size() <= kPathMark.size() + 1 ||
        pathLine.back() != '"' || !bytesLine.starts_with(kBytesMark))
        return {};
    SavedShortcut copy;
    copy.path =
        std::string(pathLine.substr(kPathMark.size(), pathLine.size() - kPathMark.size() - 1));
    const std::string_view hex = bytesLine.substr(kBytesMark.size());
    if (hex.size() % 2 != 0 || hex.size() / 2 > kMaxSavedShortcutBytes) return {};
    copy.bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return {};
        copy.bytes += static_cast<char>(high * 16 + low);
    }
    return copy;
}

ShortcutCopies ReadShortcutCopies(platform::Services& services, const engine::TextList& paths) {
    ShortcutCopies copies;
    copies.kept.assign(paths.size(), false);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SavedShortcut copy{paths[i], {}};
        if (!services.ReadFileBytes(paths[i].c_str(), &copy.bytes, kMaxSavedShortcutBytes))
            continue;
        copies.saved.push_back(std::move(copy));
        copies.kept[i] = true;
    }
    return copies;
}

repair::RepairOutcome DeleteShortcutsWithCopies(platform::Services& services,
                                                const engine::TextList& paths,
                                                const ShortcutCopies* copies) {
    if (!copies) return DeleteShortcutFiles(services, paths);
    engine::TextList saved;
    std::vector<std::size_t> entryOf;  // entry in `paths` of each entry of `saved`
    repair::RepairOutcome unsaved;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (i < copies->kept.size() && copies->kept[i]) {
            saved.push_back(paths[i]);
            entryOf.push_back(i);
        } else if (!services.PathFileExistsA(paths[i].c_str())) {
            ++unsaved.alreadyAbsent;
        } else {
            ++unsaved.failed;
            unsaved.failures.push_back(fmt::format(
                "{}: could not be copied into the backup, so it was not deleted", paths[i]));
            unsaved.failedEntries.push_back(i);
        }
    }
    repair::RepairOutcome outcome = DeleteShortcutFiles(services, saved);
    for (std::size_t& entry : outcome.failedEntries) entry = entryOf[entry];
    outcome.alreadyAbsent += unsaved.alreadyAbsent;
    outcome.failed += unsaved.failed;
    outcome.failures.insert(outcome.failures.end(), unsaved.failures.begin(),
                            unsaved.failures.end());
    outcome.failedEntries.insert(outcome.failedEntries.end(), unsaved.failedEntries.begin(),
                                 unsaved.failedEntries.end());
    return outcome;
}

void RestoreShortcutFiles(platform::Services& services, const std::vector<SavedShortcut>& copies,
                          repair::RestoreOutcome& outcome) {
    for (const SavedShortcut& copy : copies) {
        const std::size_t slash = copy.path.find_last_of('\\');
        if (slash != std::string::npos) CreateFolderPath(services, copy.path.substr(0, slash));
        const platform::Status status = services.CreateNewFile(copy.path.c_str(), copy.bytes);
        if (status.ok()) {
            ++outcome.filesRestored;
        } else {
            ++outcome.filesFailed;
            outcome.failures.push_back(status.message.empty()
                                           ? fmt::format("{}: could not be written", copy.path)
                                           : status.message);
        }
    }
}

}  // namespace repair
