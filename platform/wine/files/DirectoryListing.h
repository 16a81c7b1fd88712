#pragma once
// The names in one host folder, with what Wine's case-insensitive lookup needs, and a cache
// of such listings for the length of one scan.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/TextTable.h"
#include "platform/wine/files/SearchProgress.h"

namespace platform::wine::files {

enum class EntryKind { Unknown, Missing, File, Directory };

// Kind of what a host path leads to, links followed; Missing for a dangling link.
EntryKind StatKind(const std::string& hostPath);

class DirectoryListing {
public:
    // Reads `hostDir`; null when it cannot be read (missing, not a folder, no permission).
    static std::shared_ptr<DirectoryListing> Read(const std::string& hostDir);
    // The same for the folder `hostDir` already open as `dirFd` (and left open), read from
    // where its position stands to its end; with `progress`, each entry read and each
    // comparison of the sorting is a step, and null when it gives up.
    static std::shared_ptr<DirectoryListing> ReadOpen(int dirFd, const std::string& hostDir,
                                                      SearchProgress* progress = nullptr);

    struct Entry {
        std::string name;                             // host name (UTF-8), as readdir gives it
        mutable EntryKind kind = EntryKind::Unknown;  // filled from d_type or on first need
    };

    const std::vector<Entry>& Entries() const { return entries_; }
    // The host folder it was read from.
    const std::string& Dir() const { return dir_; }
    // The entry of exactly this host name, or else the first one (in readdir order) whose
    // folded UTF-16 name equals `folded`, or else, for a name that could be a short one, the
    // first whose made short (8.3) name it is; null when there is none.
    const Entry* Find(std::string_view exactName, std::u16string_view folded) const;
    // The made short name of entry `index` (upper case; empty when its name is a valid 8.3
    // one). The folder's short names are made on first need and kept with the listing.
    const std::string& ShortName(std::size_t index) const;
    // The folded name of entry `index`, and its kind as its directory entry gave it (Unknown
    // for links and where the file system does not say).
    const std::u16string& Folded(std::size_t index) const { return folded_[index]; }
    EntryKind FromDirent(std::size_t index) const { return fromDirent_[index]; }
    // Entry numbers in the order of their folded names, readdir order among equal ones.
    const std::vector<std::uint32_t>& ByFolded() const { return byFolded_; }
    // Kind of an entry of this listing (stat on first need, remembered after).
    EntryKind KindOf(const Entry& entry) const;

private:
    std::string dir_;
    std::vector<Entry> entries_;
    // Entry numbers in the order of their names and of their folded names (readdir order
    // among equal folded names), for binary search: lighter to build than hash tables for the
    // few entries most folders have, and as quick to search.
    std::vector<std::uint32_t> byName_, byFolded_;
    std::vector<std::u16string> folded_;  // per entry
    std::vector<EntryKind> fromDirent_;   // per entry
    // Made on first need (most folders are never asked for a short name): per entry, and the
    // entry numbers in their order (readdir order among equal ones).
    const Entry* FindShort(std::string_view name) const;
    void MakeShortNames() const;
    mutable std::vector<std::string> short_;
    mutable std::vector<std::uint32_t> byShort_;
};

// Listings by host folder path, and the folders that Windows paths led to. Disabled, it
// stores nothing and every Get reads afresh.
class DirectoryCache {
public:
    // Where a Windows folder path (in the exact spelling it was asked with) leads.
    struct Folder {
        bool exists = false;  // a folder is there
        std::string host;
        std::shared_ptr<const DirectoryListing> listing;  // null when it cannot be read
    };

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    std::shared_ptr<const DirectoryListing> Get(const std::string& hostDir);
    // The listing held for `hostDir` without reading it; `known` says whether one is held
    // (null then means the folder could not be read).
    std::shared_ptr<const DirectoryListing> Peek(const std::string& hostDir, bool& known) const;
    // Holds a listing read elsewhere (a directory search reads its folder once for both).
    void Put(const std::string& hostDir, std::shared_ptr<const DirectoryListing> listing);
    // Folders resolved so far, by drive letter and components joined with backslashes.
    std::unordered_map<std::string, Folder>& Folders() { return folders_; }
    // The same by the text of a folder path as it was written ("C:\a\b"); null when the
    // text names no folder.
    TextTable<const Folder*>& FolderTexts() { return folderTexts_; }
    // Changes whenever the cache forgets what it held.
    std::uint64_t Generation() const { return generation_; }
    // Forgets everything. Called after any change on disk: the same physical folder may be
    // cached under several paths (links), so dropping only one path could leave a stale copy.
    void Clear() {
        ++generation_;
        listings_.clear();
        folders_.clear();
        folderTexts_.Clear();
    }

private:
    bool enabled_ = false;
    std::uint64_t generation_ = 0;
    std::unordered_map<std::string, std::shared_ptr<const DirectoryListing>> listings_;
    std::unordered_map<std::string, Folder> folders_;
    TextTable<const Folder*> folderTexts_;
};

}  // namespace platform::wine::files
