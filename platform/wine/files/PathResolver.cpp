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
    for (const auto& component : path.components)
        names.push_back(codepage::Utf16ToUtf8(component));

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
