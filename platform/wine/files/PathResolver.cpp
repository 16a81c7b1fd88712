#include "platform/wine/files/PathResolver.h"

#include <sys/stat.h>

#include "platform/codepage/Codepage.h"

namespace platform::wine::files {

std::string PathResolver::DriveRoot(char drive) const {
    std::string root = prefix_ + "/dosdevices/";
    root.push_back(drive);
    root.push_back(':');
    return root;
}

ResolvedPath PathResolver::Resolve(const WindowsPath& path) const {
    ResolvedPath result = Find(path);
    // "file\" names no file, as in Wine.
    if (path.trailingSeparator && result.kind == EntryKind::File) return {};
    return result;
}

ResolvedPath PathResolver::Find(const WindowsPath& path) const {
    ResolvedPath result;
    std::string host = DriveRoot(path.drive);
    if (path.components.empty()) {
        result.kind = StatKind(host);
        if (result.kind != EntryKind::Missing) result.host = host;
        result.isDriveRoot = true;
        return result;
    }

    std::vector<std::string> names;
    names.reserve(path.components.size());
    for (const auto& component : path.components) names.push_back(codepage::Utf16ToUtf8(component));

    // Uncached, try the names exactly as given first: one stat, like Wine's fast path.
    if (!cache_.Enabled()) {
        std::string exact = host;
        for (const auto& name : names) exact += "/" + name;
        EntryKind kind = StatKind(exact);
        if (kind != EntryKind::Missing) {
            result.host = std::move(exact);
            result.kind = kind;
            result.parentIsFolder = true;
            return result;
        }
    }

    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool last = i + 1 == names.size();
        auto listing = cache_.Get(host);
        const DirectoryListing::Entry* entry =
            listing ? listing->Find(names[i], FoldName(path.components[i])) : nullptr;
        if (!entry) {
            if (last && listing) {
                result.host = host + "/" + names[i];
                result.parentIsFolder = true;
            }
            return result;
        }
        host += "/" + entry->name;
        const EntryKind kind = listing->KindOf(*entry);
        if (last) {
            result.host = std::move(host);
            result.kind = kind;
            result.parentIsFolder = true;
            return result;
        }
        if (kind != EntryKind::Directory) return result;
    }
    return result;
}

}  // namespace platform::wine::files

namespace platform::wine::files {
namespace {

// No character that Wine refuses in a file name.
bool IsPlainName(std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' ||
            c == '|' || c == '"' || c == ':')
            return false;
    return true;
}

}  // namespace

// The folder of the first `depth` components of view_, as Find would reach it.
const DirectoryCache::Folder& PathResolver::CachedFolder(std::size_t depth) const {
    key_.assign(1, view_.drive);
    for (std::size_t i = 0; i < depth; ++i) {
        key_.push_back('\\');
        key_.append(view_.components[i]);
    }
    auto& folders = cache_.Folders();
    if (auto it = folders.find(key_); it != folders.end()) return it->second;
    DirectoryCache::Folder folder;
    if (depth == 0) {
        folder.exists = true;
        folder.host = DriveRoot(view_.drive);
    } else {
        const DirectoryCache::Folder& parent = CachedFolder(depth - 1);
        if (parent.exists && parent.listing) {
            FoldAscii(view_.components[depth - 1], folded_);
            if (const DirectoryListing::Entry* entry =
                    parent.listing->Find(view_.components[depth - 1], folded_);
                entry && parent.listing->KindOf(*entry) == EntryKind::Directory) {
                folder.exists = true;
                folder.host = parent.host + "/" + entry->name;
            }
        }
    }
    if (folder.exists) folder.listing = cache_.Get(folder.host);
    // The recursion above reused key_: build it again for this folder.
    key_.assign(1, view_.drive);
    for (std::size_t i = 0; i < depth; ++i) {
        key_.push_back('\\');
        key_.append(view_.components[i]);
    }
    return folders.emplace(key_, std::move(folder)).first->second;
}

// The folder a path's text up to its last separator names, for a text that starts with a
// drive ("X:\"): the folder part then parses the same whatever name follows it.
const DirectoryCache::Folder* PathResolver::FolderOfText(std::string_view folderText) const {
    if (lastGeneration_ == cache_.Generation() && lastFolder_ && folderText == lastFolderText_)
        return lastFolder_;
    auto& texts = cache_.FolderTexts();
    if (const DirectoryCache::Folder* const* known = texts.Find(folderText)) {
        lastFolder_ = *known;
    } else {
        lastFolder_ = nullptr;
        // With a separator at its end every component parses as an inner one, as it does
        // in front of the name.
        // (view_ views this copy: CachedFolder rewrites key_.)
        splitText_.assign(folderText);
        splitText_.push_back('\\');
        if (SplitAsciiWindowsPath(splitText_, view_))
            lastFolder_ = &CachedFolder(view_.components.size());
        texts.Add(folderText, lastFolder_);
    }
    lastFolderText_.assign(folderText);
    lastGeneration_ = cache_.Generation();
    return lastFolder_;
}

std::optional<PathResolver::Lookup> PathResolver::CachedLookup(std::string_view asciiPath) const {
    if (!cache_.Enabled()) return std::nullopt;
    Lookup lookup;
    // The quick way: a path "X:\...\name" whose name is a plain one.
    std::size_t separator = asciiPath.size();
    while (separator > 0 && asciiPath[separator - 1] != '\\' && asciiPath[separator - 1] != '/')
        --separator;
    separator = separator == 0 ? std::string_view::npos : separator - 1;
    if (separator != std::string_view::npos && asciiPath.size() >= 3 &&
        ((asciiPath[0] | 0x20) >= 'a' && (asciiPath[0] | 0x20) <= 'z') && asciiPath[1] == ':' &&
        (asciiPath[2] == '\\' || asciiPath[2] == '/')) {
        std::string_view name = asciiPath.substr(separator + 1);
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
        if (!name.empty() && name != "." && name != "..") {
            if (!IsPlainName(name)) return lookup;  // no mapping
            lookup.folder = FolderOfText(asciiPath.substr(0, separator));
            lookup.name = name;
            return lookup;
        }
    }
    if (!SplitAsciiWindowsPath(asciiPath, view_)) return lookup;
    if (view_.components.empty()) return std::nullopt;  // a drive root
    lookup.folder = &CachedFolder(view_.components.size() - 1);
    lookup.name = view_.components.back();
    lookup.trailingSeparator = view_.trailingSeparator;
    return lookup;
}

const DirectoryListing::Entry* PathResolver::Entry(const Lookup& lookup) const {
    if (!lookup.folder || !lookup.folder->exists || !lookup.folder->listing) return nullptr;
    FoldAscii(lookup.name, folded_);
    return lookup.folder->listing->Find(lookup.name, folded_);
}

std::optional<EntryKind> PathResolver::CachedKind(std::string_view asciiPath) const {
    const std::optional<Lookup> lookup = CachedLookup(asciiPath);
    if (!lookup) return std::nullopt;
    const DirectoryListing::Entry* entry = Entry(*lookup);
    if (!entry) return EntryKind::Missing;
    const EntryKind kind = lookup->folder->listing->KindOf(*entry);
    // "file\" names no file, as in Wine.
    if (lookup->trailingSeparator && kind == EntryKind::File) return EntryKind::Missing;
    return kind;
}

std::optional<ResolvedPath> PathResolver::CachedResolve(std::string_view asciiPath) const {
    const std::optional<Lookup> lookup = CachedLookup(asciiPath);
    if (!lookup) return std::nullopt;
    ResolvedPath result;
    const DirectoryListing::Entry* entry = Entry(*lookup);
    if (!entry) {
        // Only the name is missing: its host path as given, for creating it.
        if (lookup->folder && lookup->folder->exists && lookup->folder->listing) {
            result.host = lookup->folder->host + "/" + std::string(lookup->name);
            result.parentIsFolder = true;
        }
        return result;
    }
    result.kind = lookup->folder->listing->KindOf(*entry);
    if (lookup->trailingSeparator && result.kind == EntryKind::File) return ResolvedPath{};
    result.host = lookup->folder->host + "/" + entry->name;
    result.parentIsFolder = true;
    return result;
}

}  // namespace platform::wine::files
