#include "ui/shared/IgnoredEntries.h"

#include <algorithm>

#include "repair/IgnoreFile.h"

namespace ui::shared {

namespace {
constexpr const char* kCaption = "Ignore List";
}

bool ApplyIgnoreList(platform::Services& services, engine::ScanSession& session,
                     engine::Host& host) {
    repair::IgnoreFileContents contents;
    if (const platform::Status read = repair::ReadIgnoreFile(services, contents); !read.ok()) {
        host.MessageBox(read.message, kCaption, engine::Icon::Error);
        return false;
    }
    if (const std::string note = repair::DamagedLinesNote(services, contents); !note.empty())
        host.MessageBox(note, kCaption, engine::Icon::Information);
    session.SetIgnoreList(engine::IgnoreList(std::move(contents.entries)));
    return true;
}

bool AddIgnoreEntry(platform::Services& services, engine::ScanSession& session, engine::Host& host,
                    const engine::IgnoreEntry& entry) {
    repair::IgnoreFileContents written;
    const platform::Status status = repair::UpdateIgnoreFile(
        services,
        [&entry](repair::IgnoreFileContents& contents) {
            auto& entries = contents.entries;
            if (std::any_of(entries.begin(), entries.end(),
                            [&entry](const auto& e) { return engine::SameTarget(e, entry); }))
                return false;
            entries.push_back(entry);
            return true;
        },
        &written);
    if (!status.ok()) {
        host.MessageBox(status.message, kCaption, engine::Icon::Error);
        return false;
    }
    session.SetIgnoreList(engine::IgnoreList(std::move(written.entries)));
    return true;
}

}  // namespace ui::shared
