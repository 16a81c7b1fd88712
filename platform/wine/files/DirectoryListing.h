#pragma once
// The names in one host folder, with what Wine's case-insensitive lookup needs, and a cache
// of such listings for the length of one scan.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::wine::files {

enum class EntryKind { Unknown, Missing, File, Directory };

// Kind of what a host path leads to, links followed; Missing for a dangling link.
EntryKind StatKind(const std::string& hostPath);

class DirectoryListing {
public:
    // Reads `hostDir`; null when it cannot be read (missing, not a folder, no permission).
    static std::shared_ptr<DirectoryListing> Read(const std::string& hostDir);

    struct Entry {
        std::string name;                          // host name (UTF-8), as readdir gives it
        mutable EntryKind kind = EntryKind::Unknown;  // filled from d_type or on first need
    };

    const std::vector<Entry>& Entries() const { return entries_; }
    // The entry of exactly this host name, or else the first one (in readdir order) whose
    // folded UTF-16 name equals `folded`; null when there is none.
    const Entry* Find(const std::string& exactName, const std::u16string& folded) const;
    // Kind of an entry of this listing (stat on first need, remembered after).
    EntryKind KindOf(const Entry& entry) const;

private:
    std::string dir_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> exact_;
    std::unordered_map<std::u16string, std::size_t> folded_;
};

// Listings by host folder path. Disabled, it stores nothing and every Get reads afresh.
class DirectoryCache {
public:
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    std::shared_ptr<const DirectoryListing> Get(const std::string& hostDir);
    // Forgets every listing. Called after any change on disk: the same physical folder may be
    // cached under several paths (links), so dropping only one path could leave a stale copy.
    void Clear() { listings_.clear(); }

private:
    bool enabled_ = false;
    std::unordered_map<std::string, std::shared_ptr<const DirectoryListing>> listings_;
};

}  // namespace platform::wine::files
