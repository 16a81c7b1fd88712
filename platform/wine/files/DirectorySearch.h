#pragma once
// A directory search (FindFirstFileA / FindNextFileA) over one host folder.
#include <memory>
#include <string>

#include "platform/Services.h"
#include "platform/wine/files/DirectoryListing.h"
#include "platform/wine/files/PrefixBounds.h"
#include "platform/wine/files/SearchProgress.h"

namespace platform::wine::files {

// Lists `hostDir` as Wine does: "." and ".." first (not in a drive root), then the entries
// sorted by name ignoring case, dangling links left out; only names matching `mask` ("*" and
// "?" wildcards, no case). Each entry's path is `windowsFolder` followed by its name, so
// `windowsFolder` ends with a separator. Null when the folder cannot be read or nothing
// matches. With `bounds`, every folder entry says whether a walk may enter it (leavesPrefix).
// Entries are made as they are asked for. With `progress`, reading and ordering the folder
// are counted as its steps; null when it gives up.
std::unique_ptr<DirectorySearch> SearchDirectory(const std::string& hostDir,
                                                 const std::string& windowsFolder,
                                                 std::u16string_view mask, bool driveRoot,
                                                 const PrefixBounds* bounds = nullptr,
                                                 SearchProgress* progress = nullptr);

// The same search over the folder already open as `dirFd` (left open), with its listing read
// before (the scan's cache): the folder is not read again. The search keeps the listing.
std::unique_ptr<DirectorySearch> SearchListing(std::shared_ptr<const DirectoryListing> listing,
                                               int dirFd, const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               const PrefixBounds* bounds = nullptr,
                                               SearchProgress* progress = nullptr);

// The search of SearchDirectory over the folder `hostDir` already open as `dirFd` (left
// open), reading it once for both the search and its listing, which `listing` receives (null
// when the folder cannot be read).
std::unique_ptr<DirectorySearch> SearchAndList(int dirFd, const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               std::shared_ptr<const DirectoryListing>& listing,
                                               const PrefixBounds* bounds = nullptr,
                                               SearchProgress* progress = nullptr);

// Opens a host folder for a search: -1 when it cannot be opened.
int OpenFolderForSearch(const std::string& hostDir);

// Wildcard match of a file name against a search mask, ignoring case.
bool MatchesMask(std::u16string_view name, std::u16string_view mask);

}  // namespace platform::wine::files
