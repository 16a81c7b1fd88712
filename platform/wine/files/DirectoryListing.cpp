#include "platform/wine/files/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/codepage/Codepage.h"
#include "platform/wine/UnixFile.h"
#include "platform/wine/files/ShortName.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {
namespace {

EntryKind KindFromDirentType(unsigned char type) {
    switch (type) {
    case DT_DIR: return EntryKind::Directory;
    case DT_REG: return EntryKind::File;
    default: return EntryKind::Unknown;  // links and file systems without d_type need stat
    }
}

// The folded form of a host name; most names are ASCII, folded without a conversion.
std::u16string FoldedHostName(std::string_view name) {
    if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; }))
        return FoldName(codepage::Utf8ToUtf16(name));
    std::u16string folded;
    FoldAscii(name, folded);
    return folded;
}

}  // namespace

EntryKind StatKind(const std::string& hostPath) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0) return EntryKind::Missing;
    return S_ISDIR(st.st_mode) ? EntryKind::Directory : EntryKind::File;
}

std::shared_ptr<DirectoryListing> DirectoryListing::Read(const std::string& hostDir) {
    const UnixFd dir(::open(hostDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return nullptr;
    return ReadOpen(dir.get(), hostDir);
}

std::shared_ptr<DirectoryListing> DirectoryListing::ReadOpen(int dirFd, const std::string& hostDir,
                                                             SearchProgress* progress) {
    SearchProgress none;
    SearchProgress& steps = progress ? *progress : none;
    auto listing = std::make_shared<DirectoryListing>();
    listing->dir_ = hostDir;
    // The entries straight from the descriptor in large blocks: opendir would add a stat of
    // the folder and a buffer of its own for every folder read.
    alignas(dirent64) char block[32 * 1024];
    while (true) {
        const ssize_t got = ::getdents64(dirFd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return nullptr;
        if (got == 0) break;
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(block + at);
            at += entry->d_reclen;
            const std::string_view name(entry->d_name);
            if (name == "." || name == "..") continue;
            listing->folded_.push_back(FoldedHostName(name));
            listing->fromDirent_.push_back(KindFromDirentType(entry->d_type));
            listing->entries_.push_back({std::string(name), listing->fromDirent_.back()});
            if (!steps.Step()) return nullptr;
        }
    }
    const auto count = static_cast<std::uint32_t>(listing->entries_.size());
    for (auto* order : {&listing->byName_, &listing->byFolded_}) {
        order->resize(count);
        for (std::uint32_t i = 0; i < count; ++i) (*order)[i] = i;
    }
    // Every comparison is a step: sorting a folder of many entries takes as long as reading
    // it. A search given up still finishes its sort (it cannot be left half done) but then
    // skips the second.
    const DirectoryListing& l = *listing;
    std::sort(listing->byName_.begin(), listing->byName_.end(),
              [&l, &steps](std::uint32_t a, std::uint32_t b) {
                  steps.Step();
                  return l.entries_[a].name < l.entries_[b].name;
              });
    if (steps.GivenUp()) return nullptr;
    std::stable_sort(listing->byFolded_.begin(), listing->byFolded_.end(),
                     [&l, &steps](std::uint32_t a, std::uint32_t b) {
                         steps.Step();
                         return l.folded_[a] < l.folded_[b];
                     });
    if (steps.GivenUp()) return nullptr;
    return listing;
}

const DirectoryListing::Entry* DirectoryListing::Find(std::string_view exactName,
                                                      std::u16string_view folded) const {
    auto named = std::lower_bound(byName_.begin(), byName_.end(), exactName,
                                  [this](std::uint32_t i, std::string_view n) {
                                      return std::string_view(entries_[i].name) < n;
                                  });
    if (named != byName_.end() && entries_[*named].name == exactName) return &entries_[*named];
    // The first of equal folded names is the first in readdir order: the sort was stable.
    auto any = std::lower_bound(byFolded_.begin(), byFolded_.end(), folded,
                                [this](std::uint32_t i, std::u16string_view f) {
                                    return std::u16string_view(folded_[i]) < f;
                                });
    if (any != byFolded_.end() && folded_[*any] == folded) return &entries_[*any];
    return CouldBeShortName(exactName) ? FindShort(exactName) : nullptr;
}

void DirectoryListing::MakeShortNames() const {
    if (short_.size() == entries_.size()) return;
    short_.clear();
    short_.reserve(entries_.size());
    for (const Entry& entry : entries_) short_.push_back(ShortNameOfHostName(entry.name));
    byShort_.resize(entries_.size());
    for (std::uint32_t i = 0; i < byShort_.size(); ++i) byShort_[i] = i;
    std::stable_sort(byShort_.begin(), byShort_.end(),
                     [this](std::uint32_t a, std::uint32_t b) { return short_[a] < short_[b]; });
}

const std::string& DirectoryListing::ShortName(std::size_t index) const {
    MakeShortNames();
    return short_[index];
}

const DirectoryListing::Entry* DirectoryListing::FindShort(std::string_view name) const {
    MakeShortNames();
    // Made names are upper case; Wine compares them ignoring case.
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    auto it =
        std::lower_bound(byShort_.begin(), byShort_.end(), upper,
                         [this](std::uint32_t i, const std::string& n) { return short_[i] < n; });
    if (it != byShort_.end() && short_[*it] == upper) return &entries_[*it];
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

std::shared_ptr<const DirectoryListing> DirectoryCache::Peek(const std::string& hostDir,
                                                             bool& known) const {
    const auto it = listings_.find(hostDir);
    known = it != listings_.end();
    return known ? it->second : nullptr;
}

void DirectoryCache::Put(const std::string& hostDir,
                         std::shared_ptr<const DirectoryListing> listing) {
    if (enabled_) listings_.insert_or_assign(hostDir, std::move(listing));
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
