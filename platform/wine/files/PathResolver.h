#pragma once
// Windows path to host path inside a prefix, as Wine finds files: dosdevices/<x>:/..., each
// component taken exactly when it exists, else the first case-insensitive match.
#include <optional>
#include <string>
#include <string_view>

#include "platform/wine/files/DirectoryListing.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {

struct ResolvedPath {
    // The host path. When only the last component is missing, it holds that component as
    // given (UTF-8), so the caller can create it; otherwise empty when kind is Missing.
    std::string host;
    EntryKind kind = EntryKind::Missing;
    bool parentIsFolder = false;  // the folder that holds the last component exists
    bool isDriveRoot = false;
};

class PathResolver {
public:
    PathResolver(std::string prefixDir, DirectoryCache& cache)
        : prefix_(std::move(prefixDir)), cache_(cache) {}

    // Host folder of a drive's root: <prefix>/dosdevices/<x>:.
    std::string DriveRoot(char drive) const;
    ResolvedPath Resolve(const WindowsPath& path) const;
    // What an ASCII Windows path names, through the cache with its remembered folders: one
    // lookup of the folder and one of the name once the folder is known. Nothing when the
    // cache is off or the path is a drive root; Resolve answers those.
    std::optional<EntryKind> CachedKind(std::string_view asciiPath) const;
    // Resolve for an ASCII path the same quick way; nothing when it does not apply.
    std::optional<ResolvedPath> CachedResolve(std::string_view asciiPath) const;

private:
    // The remembered folder a path's last component is looked up in, and that component.
    struct Lookup {
        const DirectoryCache::Folder* folder = nullptr;  // null: the path has no mapping
        std::string_view name;
        bool trailingSeparator = false;
    };
    std::optional<Lookup> CachedLookup(std::string_view asciiPath) const;
    const DirectoryListing::Entry* Entry(const Lookup& lookup) const;
    ResolvedPath Find(const WindowsPath& path) const;
    const DirectoryCache::Folder& CachedFolder(std::size_t depth) const;
    const DirectoryCache::Folder* FolderOfText(std::string_view folderText) const;

    std::string prefix_;
    DirectoryCache& cache_;
    // Scratch space of CachedKind, kept between calls so that a lookup allocates nothing.
    mutable PathView<char> view_;
    mutable std::string key_, splitText_;
    mutable std::u16string folded_;
    // The folder of the previous quick lookup: the prefixes of one text share it.
    mutable std::string lastFolderText_;
    mutable const DirectoryCache::Folder* lastFolder_ = nullptr;
    mutable std::uint64_t lastGeneration_ = 0;
};

}  // namespace platform::wine::files
