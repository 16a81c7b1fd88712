#pragma once
// A directory search (FindFirstFileA / FindNextFileA) over one host folder.
#include <memory>
#include <string>

#include "platform/Services.h"
#include "platform/wine/files/DirectoryListing.h"

namespace platform::wine::files {

// Lists `hostDir` as Wine does: "." and ".." first (not in a drive root), then the entries
// sorted by name ignoring case, dangling links left out; only names matching `mask` ("*" and
// "?" wildcards, no case). Each entry's path is `windowsFolder` followed by its name, so
// `windowsFolder` ends with a separator. Null when the folder cannot be read or nothing
// matches.
std::unique_ptr<DirectorySearch> SearchDirectory(const std::string& hostDir,
                                                 const std::string& windowsFolder,
                                                 std::u16string_view mask, bool driveRoot);

// The same search over a listing read before (the scan's cache), without reading the folder
// again; `hostDir` is the listing's folder.
std::unique_ptr<DirectorySearch> SearchListing(const DirectoryListing& listing,
                                               const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot);

// The search of SearchDirectory, reading the folder once for both the search and its
// listing, which `listing` receives (null when the folder cannot be read).
std::unique_ptr<DirectorySearch> SearchAndList(const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               std::shared_ptr<const DirectoryListing>& listing);

// Wildcard match of a file name against a search mask, ignoring case.
bool MatchesMask(std::u16string_view name, std::u16string_view mask);

}  // namespace platform::wine::files
