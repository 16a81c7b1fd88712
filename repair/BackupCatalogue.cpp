#include "repair/BackupCatalogue.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "repair/BackupLocation.h"
#include "repair/BackupWriter.h"
#include "repair/CommitOrDiscard.h"
#include "repair/Messages.h"
#include "repair/EntryText.h"
#include "repair/RestoreEntries.h"

namespace repair {

namespace {

constexpr const char* kInformation = kInformationCaption;

enum class LineKind { Key, Value, ShortcutPath, ShortcutBytes, Other };

LineKind KindOf(std::string_view line) {
    if (line.starts_with('[')) return LineKind::Key;
    if (line.starts_with('"') || line.starts_with('@')) return LineKind::Value;
    if (IsSavedShortcutLine(line)) return LineKind::ShortcutPath;
    if (IsSavedShortcutBytesLine(line)) return LineKind::ShortcutBytes;
    return LineKind::Other;
}

// The line that must follow one of this kind for the two to be one entry or copy.
LineKind PartnerOf(LineKind kind) {
    switch (kind) {
    case LineKind::Key: return LineKind::Value;
    case LineKind::ShortcutPath: return LineKind::ShortcutBytes;
    default: return LineKind::Other;
    }
}

}  // namespace

BackupRow HeaderRow(std::string_view headerLine) {
    const std::string_view rest = headerLine.size() >= 2 ? headerLine.substr(2) : "";
    const std::size_t p = rest.find(">>");
    BackupRow row;
    std::string count;
    if (p == std::string_view::npos) {
        count = TrimAscii(rest.size() > 1 ? rest.substr(1) : "");
    } else {
        row.time = TrimAscii(rest.substr(0, p));
        count = TrimAscii(rest.substr(p + 2));
    }
    row.count = std::strtol(count.c_str(), nullptr, 10);
    return row;
}

BackupCatalogue::BackupCatalogue(platform::Services& services, engine::Host& host)
    : services_(services), host_(host) {}

void BackupCatalogue::ListBlocks() {
    rows_.clear();
    header_.assign(lines_.size(), false);
    rowOf_.assign(lines_.size(), -1);
    // Copies of shortcut files per block, counted from the end up to each header.
    std::vector<int> copiesOf(lines_.size(), 0);
    int below = 0;
    for (std::size_t i = lines_.size(); i-- > 0;) {
        const std::string_view line = TrimAscii(lines_[i]);
        header_[i] = line.starts_with(">>");
        if (header_[i]) {
            copiesOf[i] = std::exchange(below, 0);
        } else if (IsSavedShortcutLine(line)) {
            ++below;
        }
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        // Only a header standing at the very start of its line can be listed.
        if (!header_[i] || !lines_[i].starts_with(">>")) continue;
        BackupRow row = HeaderRow(lines_[i]);
        if (row.count <= 0 && copiesOf[i] == 0) continue;
        // The count a reader of registry entries alone sees, and the files beside them.
        if (copiesOf[i] > 0) row.count = std::max(0L, row.count) + copiesOf[i];
        rowOf_[i] = ListedCount();
        rows_.push_back(std::move(row));
    }
}

void BackupCatalogue::LoadCatalogue() {
    entries_.clear();
    shortcuts_.clear();
    damagedLines_ = 0;
    if (!ReadTextLines(services_, BackupFile(services_), lines_)) lines_.clear();
    ListBlocks();
}

void BackupCatalogue::LoadBackupEntries(int row) {
    entries_.clear();
    shortcuts_.clear();
    damagedLines_ = 0;
    std::vector<std::string_view> block;  // the chosen block's lines, trimmed, none empty
    bool inChosen = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (header_[i]) {
            inChosen = rowOf_[i] == row && row >= 0;
            continue;
        }
        const std::string_view line = TrimAscii(lines_[i]);
        if (inChosen && !line.empty()) block.push_back(line);
    }
    // Entries and copies are line pairs, told apart by how their lines start: a line without
    // its partner is skipped alone, and the next line is read as the start of a pair again.
    for (std::size_t i = 0; i < block.size();) {
        const LineKind partner = PartnerOf(KindOf(block[i]));
        if (partner == LineKind::Other || i + 1 == block.size() ||
            KindOf(block[i + 1]) != partner) {
            ++damagedLines_;
            ++i;
            continue;
        }
        if (partner == LineKind::ShortcutBytes) {
            if (auto copy = ParseSavedShortcut(block[i], block[i + 1]))
                shortcuts_.push_back(std::move(*copy));
            else damagedLines_ += 2;
        } else if (const auto parts = SplitValueLine(block[i + 1]);
                   parts && !parts->nameText.empty() && !parts->dataText.empty()) {
            entries_.push_back({std::string(block[i]), parts->nameText, parts->dataText});
        } else {
            damagedLines_ += 2;
        }
        i += 2;
    }
}

engine::ProblemList BackupCatalogue::Problems() const {
    engine::ProblemList problems;
    problems.reserve(entries_.size() + shortcuts_.size());
    for (const BackupEntry& entry : entries_)
        problems.push_back({0, entry.keyLine, entry.nameText, entry.dataText, {}, true});
    for (const SavedShortcut& copy : shortcuts_) {
        engine::Problem file{0,
                             "[" + copy.path + "]",
                             "\"Saved shortcut file\"",
                             fmt::format("\"{} bytes\"", copy.bytes.size()),
                             {},
                             true};
        file.kind = engine::ProblemKind::ShortcutFile;
        problems.push_back(std::move(file));
    }
    return problems;
}

bool BackupCatalogue::DeleteBackup(int row) {
    entries_.clear();
    shortcuts_.clear();
    if (row < 0 || row >= ListedCount()) {
        host_.MessageBox(fmt::format("There is no backup number {}.", row + 1), kInformation,
                         engine::Icon::Information);
        return false;
    }
    engine::TextList kept;
    bool inChosen = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (header_[i]) inChosen = rowOf_[i] == row;
        if (inChosen) continue;
        std::string line(TrimAscii(lines_[i]));
        if (!line.empty()) kept.push_back(std::move(line));
    }
    std::string text;
    for (const std::string& line : kept) {
        text += line;
        text += '\n';
    }
    const std::string folder = BackupFolder(services_);
    CreateFolderPath(services_, folder);
    const std::string path = BackupFile(folder);
    // The rows shown are those of the file as it was listed; if another Drennow has written
    // it since, the row may name another block and the rewrite would drop that one's backup.
    const platform::Status status = services_.UpdateTextFile(path.c_str(), [&] {
        engine::TextList now;
        if (!ReadTextLines(services_, path, now) || now != lines_)
            return platform::Status{platform::ERROR_LOCK_VIOLATION,
                                    fmt::format("{} was changed by another program since the "
                                                "backups were listed; nothing was deleted. "
                                                "Open the list again to see them as they are.",
                                                path)};
        return services_.ReplaceTextFile(path.c_str(), text);
    });
    if (!status.ok()) {
        host_.MessageBox(
            fmt::format("The backup could not be deleted: {}",
                        status.message.empty() ? fmt::format("{} could not be written.", path)
                                               : status.message),
            kInformation, engine::Icon::Information);
        return false;
    }
    lines_ = std::move(kept);
    ListBlocks();
    return true;
}

repair::RestoreOutcome BackupCatalogue::Restore() {
    repair::RestoreOutcome outcome;
    const int entryCount = static_cast<int>(entries_.size());
    const int fileCount = static_cast<int>(shortcuts_.size());
    if (entryCount + fileCount > 0) {
        // A restore acts on no scan: it writes into the registry as it is on disk now.
        platform::Status writable = services_.Refresh();
        if (writable.ok()) writable = services_.CanWrite();
        if (!writable.ok()) {
            outcome.failed = entryCount;
            outcome.filesFailed = fileCount;
            outcome.failures.push_back(writable.message);
            host_.MessageBox(fmt::format("Nothing has been restored: {}", writable.message),
                             kInformation, engine::Icon::Information);
            return outcome;
        }
    }
    outcome = RestoreEntries(services_, host_, entries_);
    {
        const platform::Status commit = CommitOrDiscard(services_);
        if (!commit.ok()) {
            outcome.failed += outcome.restored;
            outcome.restored = 0;
            outcome.filesFailed = fileCount;  // not tried: the registry half is not back
            outcome.failures.push_back(commit.message);
            host_.MessageBox(fmt::format("The restored values could not be saved, so nothing "
                                         "has been restored.\n{}",
                                         commit.message),
                             kInformation, engine::Icon::Information);
            return outcome;
        }
    }
    RestoreShortcutFiles(services_, shortcuts_, outcome);
    if (outcome.failed == 0 && outcome.filesFailed == 0) {
        host_.MessageBox("Restore Successed!", kInformation, engine::Icon::Information);
    } else if (fileCount > 0) {
        host_.MessageBox(
            fmt::format("{} entr{} and {} shortcut file(s) restored, {} entr{} and {} shortcut "
                        "file(s) could not be restored:{}",
                        outcome.restored, outcome.restored == 1 ? "y" : "ies",
                        outcome.filesRestored, outcome.failed, outcome.failed == 1 ? "y" : "ies",
                        outcome.filesFailed, FailureLines(outcome.failures)),
            kInformation, engine::Icon::Information);
    } else {
        host_.MessageBox(fmt::format("{} entr{} restored, {} could not be restored:{}",
                                     outcome.restored, outcome.restored == 1 ? "y" : "ies",
                                     outcome.failed, FailureLines(outcome.failures)),
                         kInformation, engine::Icon::Information);
    }
    return outcome;
}

}  // namespace repair
