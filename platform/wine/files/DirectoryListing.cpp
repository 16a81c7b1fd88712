#include "platform/wine/files/DirectoryListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/codepage/Codepage.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

EntryKind KindFromDirentType(unsigned char type) {
    switch (type) {
    case DT_DIR: return EntryKind::Directory;
    case DT_REG: return EntryKind::File;
    default: return EntryKind::Unknown;  // links and file systems without d_type need stat
    }
}

}  // namespace

EntryKind StatKind(const std::string& hostPath) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0) return EntryKind::Missing;
    return S_ISDIR(st.st_mode) ? EntryKind::Directory : EntryKind::File;
}

std::shared_ptr<DirectoryListing> DirectoryListing::Read(const std::string& hostDir) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(hostDir.c_str()));
    if (!dir) return nullptr;
    auto listing = std::make_shared<DirectoryListing>();
    listing->dir_ = hostDir;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::size_t index = listing->entries_.size();
        listing->exact_.emplace(name, index);
        listing->folded_.emplace(FoldName(codepage::Utf8ToUtf16(name)), index);
        listing->entries_.push_back({std::move(name), KindFromDirentType(entry->d_type)});
    }
    return listing;
}

const DirectoryListing::Entry* DirectoryListing::Find(const std::string& exactName,
                                                      const std::u16string& folded) const {
    if (auto it = exact_.find(exactName); it != exact_.end()) return &entries_[it->second];
    if (auto it = folded_.find(folded); it != folded_.end()) return &entries_[it->second];
    return nullptr;
}

EntryKind DirectoryListing::KindOf(const Entry& entry) const {
    if (entry.kind == EntryKind::Unknown) entry.kind = StatKind(dir_ + "/" + entry.name);
    return entry.kind;
}

void DirectoryCache::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Clear();
}

std::shared_ptr<const DirectoryListing> DirectoryCache::Get(const std::string& hostDir) {
    if (!enabled_) return DirectoryListing::Read(hostDir);
    if (auto it = listings_.find(hostDir); it != listings_.end()) return it->second;
    std::shared_ptr<const DirectoryListing> listing = DirectoryListing::Read(hostDir);
    // An unreadable folder is remembered too, so a scan does not retry it for every value.
    listings_.emplace(hostDir, listing);
    return listing;
}

}  // namespace platform::wine::files
