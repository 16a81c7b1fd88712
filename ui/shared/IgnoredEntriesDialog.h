#pragma once
// The Ignored Entries dialog's rules for both desktop programs: the rows it shows for the
// prefix's ignore list, when Remove and Remove All are enabled, and what they change.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Host.h"
#include "engine/IgnoreList.h"
#include "engine/RootNames.h"
#include "engine/Sections.h"
#include "platform/Services.h"
#include "platform/codepage/Codepage.h"
#include "repair/IgnoreFile.h"
#include "ui/res/Layouts.h"
#include "ui/shared/DialogFace.h"

namespace ui::shared {

// An entry's row: the section it was ignored from ("-" for none), its key (or the shortcut
// file's path) and what it leaves out of the key.
inline Row IgnoredRow(const engine::IgnoreEntry& entry) {
    using platform::codepage::AnsiToUtf16;
    std::u16string key;
    if (entry.kind == engine::IgnoreKind::Shortcut) {
        key = entry.path;
    } else {
        key = AnsiToUtf16(std::string(engine::RootName(entry.root)));
        if (!entry.path.empty()) key += u'\\' + entry.path;
    }
    std::u16string name;
    switch (entry.kind) {
    case engine::IgnoreKind::Value:
        name = entry.name.empty() ? AnsiToUtf16(text::kIgnoredDefaultValue) : entry.name;
        break;
    case engine::IgnoreKind::Key: name = AnsiToUtf16(text::kIgnoredWholeKey); break;
    case engine::IgnoreKind::Shortcut: name = AnsiToUtf16(text::kIgnoredShortcut); break;
    }
    const std::string section =
        entry.section > 0 ? std::string(engine::SectionByNumber(entry.section).name) : "-";
    return {AnsiToUtf16(section), std::move(key), std::move(name)};
}

class IgnoredEntriesLogic {
public:
    IgnoredEntriesLogic(platform::Services& services, engine::Host& host, DialogFace& face)
        : services_(services), host_(host), face_(face) {}

    // Reads the list (a list that cannot be read is said, and shown empty) and shows it.
    void Start() {
        if (const platform::Status read = repair::ReadIgnoreFile(services_, contents_); !read.ok())
            host_.MessageBox(read.message, text::kIgnoredEntriesCaption, engine::Icon::Error);
        Fill();
    }

    // Remove waits for a chosen row; Remove All for an entry.
    void OnChosen() {
        face_.Enable(res::kIgnoredRemove, face_.SelectedRow(res::kIgnoredList) >= 0);
        face_.Enable(res::kIgnoredRemoveAll, !contents_.entries.empty());
    }

    // Runs the command of a button or key; true when the dialog is to end.
    bool Command(int id) {
        switch (id) {
        case res::kIgnoredRemove: Remove(); return false;
        case res::kIgnoredRemoveAll: RemoveAll(); return false;
        case res::kIgnoredClose: return true;
        case res::kEscapeKey: return res::EscapeCloses(res::kIgnoredDialog);
        default: return false;
        }
    }

    const repair::IgnoreFileContents& Contents() const { return contents_; }

private:
    void Fill() {
        std::vector<Row> rows;
        for (const engine::IgnoreEntry& entry : contents_.entries)
            rows.push_back(IgnoredRow(entry));
        face_.SetRows(res::kIgnoredList, rows);
        OnChosen();
    }

    // Changes the list on disk under its lock and shows what it holds then.
    void Change(const std::function<bool(repair::IgnoreFileContents&)>& change) {
        repair::IgnoreFileContents written;
        const platform::Status status = repair::UpdateIgnoreFile(services_, change, &written);
        if (!status.ok()) {
            host_.MessageBox(status.message, text::kIgnoredEntriesCaption, engine::Icon::Error);
            return;
        }
        contents_ = std::move(written);
        Fill();
    }

    void Remove() {
        const int row = face_.SelectedRow(res::kIgnoredList);
        if (row < 0 || static_cast<std::size_t>(row) >= contents_.entries.size()) return;
        // By what it names, not by its place: another Drennow may have changed the list since.
        const engine::IgnoreEntry chosen = contents_.entries[static_cast<std::size_t>(row)];
        Change([&chosen](repair::IgnoreFileContents& contents) {
            auto& entries = contents.entries;
            const auto at = std::find_if(entries.begin(), entries.end(), [&chosen](const auto& e) {
                return engine::SameTarget(e, chosen);
            });
            if (at == entries.end()) return false;
            entries.erase(at);
            return true;
        });
    }

    void RemoveAll() {
        if (host_.MessageBox(text::kRemoveAllQuestion, text::kIgnoredEntriesCaption,
                             {engine::Buttons::YesNo, engine::Icon::Question}) !=
            engine::Answer::Yes)
            return;
        Change([](repair::IgnoreFileContents& contents) {
            const bool any = !contents.entries.empty();
            contents.entries.clear();
            return any;
        });
    }

    platform::Services& services_;
    engine::Host& host_;
    DialogFace& face_;
    repair::IgnoreFileContents contents_;
};

}  // namespace ui::shared
