#include "repair/BackupCatalogue.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdlib>
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
}  // namespace

BackupRow HeaderTexts(const std::string& headerLine) {
    const std::string rest = headerLine.size() >= 2 ? headerLine.substr(2) : std::string();
    const std::size_t p = rest.find(">>");
    BackupRow row;
    if (p == std::string::npos) {
        row.count = TrimAscii(rest.size() > 1 ? std::string_view(rest).substr(1) : "");
    } else {
        row.time = TrimAscii(std::string_view(rest).substr(0, p));
        row.count = TrimAscii(std::string_view(rest).substr(p + 2));
    }
    return row;
}

bool IsListedCount(const std::string& countText) {
    if (countText.empty()) return false;
    return std::strtol(countText.c_str(), nullptr, 10) > 0;
}

BackupCatalogue::BackupCatalogue(platform::Services& services, engine::Host& host)
    : services_(services), host_(host) {}

void BackupCatalogue::ClassifyLines(std::vector<int>& rowOf, std::vector<bool>& header,
                                    std::vector<int>* copies) const {
    rowOf.assign(lines_.size(), -1);
    header.assign(lines_.size(), false);
    // Copies of shortcut files per block, counted from the end up to each header.
    std::vector<int> copiesOf(lines_.size(), 0);
    int below = 0;
    for (std::size_t i = lines_.size(); i-- > 0;) {
        const std::string_view line = TrimAscii(lines_[i]);
        header[i] = line.starts_with(">>");
        if (header[i]) {
            copiesOf[i] = std::exchange(below, 0);
        } else if (IsSavedShortcutLine(line)) {
            ++below;
        }
    }
    int listed = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        // Only a header standing at the very start of its line can be listed.
        if (header[i] && lines_[i].starts_with(">>") &&
            (IsListedCount(HeaderTexts(lines_[i]).count) || copiesOf[i] > 0)) {
            rowOf[i] = listed++;
        }
    }
    if (copies) *copies = std::move(copiesOf);
}

void BackupCatalogue::LoadCatalogue() {
    rows_.clear();
    entries_.clear();
    if (!ReadTextLines(services_, BackupFile(services_), lines_)) lines_.clear();
    std::vector<int> rowOf, copies;
    std::vector<bool> header;
    ClassifyLines(rowOf, header, &copies);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (rowOf[i] < 0) continue;
        BackupRow row = HeaderTexts(lines_[i]);
        // The count a reader of registry entries alone sees, and the files beside them.
        if (copies[i] > 0)
            row.count = std::to_string(std::max(0L, std::strtol(row.count.c_str(), nullptr, 10)) +
                                       copies[i]);
        rows_.push_back(std::move(row));
    }
}

void BackupCatalogue::LoadBackupEntries(int row) {
    entries_.clear();
    shortcuts_.clear();
    std::vector<int> rowOf;
    std::vector<bool> header;
    ClassifyLines(rowOf, header);
    engine::TextList collected;
    bool inChosen = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (header[i]) {
            inChosen = rowOf[i] == row && row >= 0;
            continue;
        }
        if (!inChosen) continue;
        std::string line(TrimAscii(lines_[i]));
        if (!line.empty()) collected.push_back(std::move(line));
    }
    for (std::size_t i = 0; i + 2 <= collected.size(); i += 2) {
        if (IsSavedShortcutLine(collected[i])) {
            if (auto copy = ParseSavedShortcut(collected[i], collected[i + 1]))
                shortcuts_.push_back(std::move(*copy));
            continue;
        }
        const auto parts = SplitValueLine(collected[i + 1]);
        if (!parts || parts->nameText.empty() || parts->dataText.empty()) continue;
        entries_.push_back(collected[i]);
        entries_.push_back(parts->nameText);
        entries_.push_back(parts->dataText);
        entries_.push_back(engine::kMarkDelete);
    }
}

engine::TextList BackupCatalogue::DetailEntries() const {
    engine::TextList shown = entries_;
    for (const SavedShortcut& copy : shortcuts_) {
        shown.push_back("[" + copy.path + "]");
        shown.push_back("\"Saved shortcut file\"");
        shown.push_back(fmt::format("\"{} bytes\"", copy.bytes.size()));
        shown.push_back(engine::kMarkDelete);
    }
    return shown;
}

bool BackupCatalogue::DeleteBackup(int row) {
    entries_.clear();
    shortcuts_.clear();
    if (row < 0 || row >= ListedCount()) {
        host_.MessageBox(fmt::format("There is no backup number {}.", row + 1), kInformation,
                         engine::Icon::Information);
        return false;
    }
    std::vector<int> rowOf;
    std::vector<bool> header;
    ClassifyLines(rowOf, header);
    engine::TextList kept;
    bool inChosen = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (header[i]) inChosen = rowOf[i] == row;
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
    rows_.erase(rows_.begin() + row);
    return true;
}

repair::RestoreOutcome BackupCatalogue::Restore() {
    repair::RestoreOutcome outcome;
    const int entryCount = static_cast<int>(entries_.size() / 4);
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
