#pragma once
// What the launcher readers share: the list they add to, and small tolerant file helpers.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/discovery/Discovery.h"

namespace platform::discovery {

namespace fs = std::filesystem;

class Finds {
public:
    // Adds `prefix` when its folder is a prefix (system.reg and drive_c/ in it), its path
    // resolved; otherwise notes why `what` was skipped.
    void Add(FoundPrefix prefix, const std::string& what);
    void Note(std::string note) { notes_.push_back(std::move(note)); }

    std::vector<FoundPrefix>& Prefixes() { return prefixes_; }
    std::vector<std::string>& Notes() { return notes_; }

private:
    std::vector<FoundPrefix> prefixes_;
    std::vector<std::string> notes_;
};

// The text of a small launcher file; false when it cannot be read or is implausibly large.
bool ReadSmallFile(const fs::path& path, std::string& text);

// `base` / `relative`, each component matched exactly, else case-insensitively as Steam
// matches its paths; the exact join when nothing matches.
fs::path MatchPathNoCase(const fs::path& base, const fs::path& relative);

// The entries of a folder, sorted; an unreadable folder gives none and a note.
std::vector<fs::path> FolderEntries(const fs::path& folder, Finds& finds);

// A find with the fields every reader fills.
FoundPrefix MakePrefix(const fs::path& path, Kind kind, std::string name,
                       std::optional<std::string> id = std::nullopt);

bool IsFolder(const fs::path& path);
bool IsFile(const fs::path& path);

// A path with a leading "~/" or "$HOME/" expanded; relative ones are taken below `home`.
fs::path ExpandHome(const std::string& text, const std::string& home);

// The launchers' readers, each adding what it finds.
void FindWinePrefixes(const SearchPlaces& places, Finds& finds);
void FindSteamPrefixes(const SearchPlaces& places, Finds& finds);
void FindLutrisPrefixes(const SearchPlaces& places, Finds& finds);
void FindBottlesPrefixes(const SearchPlaces& places, Finds& finds);
void FindHeroicPrefixes(const SearchPlaces& places, Finds& finds);
void FindPlayOnLinuxPrefixes(const SearchPlaces& places, Finds& finds);
void FindWinetricksPrefixes(const SearchPlaces& places, Finds& finds);

}  // namespace platform::discovery
