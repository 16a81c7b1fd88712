#include "ui/IgnoredEntries.h"

#include "repair/IgnoreFile.h"

namespace ui {

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
    session.Fixer().SetIgnoreList(engine::IgnoreList(std::move(contents.entries)));
    return true;
}

}  // namespace ui
