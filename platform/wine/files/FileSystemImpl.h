#pragma once
// The state behind FileSystem, shared by the files that implement its parts.
#include <functional>
#include <optional>
#include <string>

#include "platform/wine/files/DirectoryListing.h"
#include "platform/wine/files/DriveCache.h"
#include "platform/wine/files/Environment.h"
#include "platform/wine/files/FileSystem.h"
#include "platform/wine/files/OpenFolder.h"
#include "platform/wine/files/PathResolver.h"
#include "platform/wine/files/PrefixBounds.h"

namespace platform::wine {

struct FileSystem::Impl {
    Impl(const std::string& prefixDir, Services& registryServices)
        : prefix(prefixDir), registry(registryServices), resolver(prefixDir, cache),
          bounds(prefixDir) {}

    // Resolves an "A" path; Missing with an empty host path when it has no mapping.
    files::ResolvedPath Resolve(const char* path) const;
    files::ResolvedPath ResolveW(std::u16string_view path) const;
    // Only what a path names (file, folder or nothing): the cache's quick way when it
    // applies, else Resolve.
    files::EntryKind Kind(const char* path) const;
    files::EntryKind KindW(std::u16string_view path) const;
    // Built from the registry on first use, again at the start of every scan; Env32 is a
    // 32-bit program's.
    const files::Environment& Env();
    const files::Environment& Env32();

    std::string prefix;
    Services& registry;
    files::DirectoryCache cache;
    files::DriveCache drives;
    files::PathResolver resolver;
    files::PrefixBounds bounds;
    std::optional<files::Environment> environment;
    std::optional<files::Environment> environment32;
    // During a scan, the folder of the last search (a walk reads its shortcuts next).
    files::OpenFolder lastSearched;
    // Asked now and then while a search reads and orders a large folder.
    std::function<bool()> searchProgress;
};

}  // namespace platform::wine
