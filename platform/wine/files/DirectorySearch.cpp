#include "platform/wine/files/DirectorySearch.h"

#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/UnixFile.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {
namespace {

class ListedSearch final : public DirectorySearch {
public:
    ListedSearch(std::vector<FindEntry> entries, FolderId folder)
        : entries_(std::move(entries)), folder_(folder) {}
    bool Next(FindEntry& entry) override {
        if (next_ >= entries_.size()) return false;
        entry = std::move(entries_[next_++]);
        return true;
    }
    FolderId FolderIdentity() const override { return folder_; }

private:
    std::vector<FindEntry> entries_;
    std::size_t next_ = 0;
    FolderId folder_;
};

// One matching entry of a listing, which outlives the candidates.
struct Candidate {
    const std::u16string* folded = nullptr;
    std::u16string name;
    const std::string* hostName = nullptr;
    EntryKind kind = EntryKind::Unknown;  // as its directory entry says (Unknown: a link)
};

}  // namespace

bool MatchesMask(std::u16string_view name, std::u16string_view mask) {
    if (mask == u"*") return true;  // the mask of every walk
    // Iterative wildcard match with one backtrack point: linear in practice.
    std::size_t n = 0, m = 0, starMask = std::u16string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == u'?' || codepage::ToUpper(mask[m]) == codepage::ToUpper(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::u16string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*') ++m;
    return m == mask.size();
}

namespace {

bool IsAscii(std::u16string_view name) {
    for (char16_t c : name)
        if (c >= 0x80) return false;
    return true;
}

// The search over the names found in the folder open as `dirFd`: sorted, "." and ".."
// first (not in a drive root). Only links and entries of no stated kind are looked at (to
// tell folders from files and leave dangling links out); folders carry no identity of their
// own, the search of each gives it from its open descriptor.
std::unique_ptr<DirectorySearch> Finish(std::vector<Candidate> candidates, int dirFd,
                                        const std::string& hostDir,
                                        const std::string& windowsFolder,
                                        std::u16string_view mask, bool driveRoot,
                                        const PrefixBounds* bounds) {
    struct stat self {};
    if (::fstat(dirFd, &self) != 0) return nullptr;
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return *a.folded != *b.folded ? *a.folded < *b.folded : a.name < b.name;
    });
    std::vector<FindEntry> entries;
    entries.reserve(candidates.size() + 2);
    auto add = [&](std::string name, bool directory) {
        FindEntry entry;
        entry.directory = directory;
        entry.path = windowsFolder + name;
        entry.name = std::move(name);
        entries.push_back(std::move(entry));
    };
    if (!driveRoot) {
        if (MatchesMask(u".", mask)) add(".", true);
        if (MatchesMask(u"..", mask)) add("..", true);
    }
    std::optional<PrefixBounds::Place> place;  // found on the first subfolder
    for (const auto& candidate : candidates) {
        bool directory = candidate.kind == EntryKind::Directory;
        if (candidate.kind == EntryKind::Unknown) {
            // Links are followed; a dangling one is left out, as Wine leaves it out.
            struct stat st {};
            if (::fstatat(dirFd, candidate.hostName->c_str(), &st, 0) != 0) continue;
            directory = S_ISDIR(st.st_mode);
        }
        add(codepage::Utf16ToAnsi(candidate.name), directory);
        FindEntry& entry = entries.back();
        entry.inexactName = !IsAscii(candidate.name) &&
                            codepage::AnsiToUtf16(entry.name) != candidate.name;
        if (directory && bounds) {
            if (!place) place = bounds->PlaceOf(hostDir);
            entry.leavesPrefix = !bounds->MayEnter(hostDir, *place, *candidate.hostName,
                                                   candidate.kind == EntryKind::Directory);
        }
    }
    if (entries.empty()) return nullptr;
    return std::make_unique<ListedSearch>(
        std::move(entries),
        FolderId{static_cast<std::uint64_t>(self.st_dev), static_cast<std::uint64_t>(self.st_ino)});
}

// Wine turns "*.*" into "*": every name matches, also one without a dot.
std::u16string_view EffectiveMask(std::u16string_view mask) { return mask == u"*.*" ? u"*" : mask; }

}  // namespace

int OpenFolderForSearch(const std::string& hostDir) {
    return ::open(hostDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::unique_ptr<DirectorySearch> SearchDirectory(const std::string& hostDir,
                                                 const std::string& windowsFolder,
                                                 std::u16string_view mask, bool driveRoot,
                                                 const PrefixBounds* bounds) {
    const UnixFd dir(OpenFolderForSearch(hostDir));
    if (dir.get() < 0) return nullptr;
    std::shared_ptr<const DirectoryListing> listing;
    return SearchAndList(dir.get(), hostDir, windowsFolder, mask, driveRoot, listing, bounds);
}

namespace {

// Wine matches a mask against an entry's made short name too. Every made name holds a '~',
// so a mask without it or a wildcard can match none, and no short name is made for it.
bool MayMatchShortNames(std::u16string_view mask) {
    return mask.find_first_of(u"*?~") != std::u16string_view::npos;
}

bool ShortNameMatches(const std::string& shortName, std::u16string_view mask) {
    return !shortName.empty() &&
           MatchesMask(std::u16string(shortName.begin(), shortName.end()), mask);
}

std::vector<Candidate> CandidatesOf(const DirectoryListing& listing, std::u16string_view mask) {
    std::vector<Candidate> candidates;
    const auto& entries = listing.Entries();
    const bool shortNamesMayMatch = MayMatchShortNames(mask);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::u16string name = codepage::Utf8ToUtf16(entries[i].name);
        if (!MatchesMask(name, mask) &&
            !(shortNamesMayMatch && ShortNameMatches(listing.ShortName(i), mask)))
            continue;
        candidates.push_back({&listing.Folded(i), std::move(name), &entries[i].name,
                              listing.FromDirent(i)});
    }
    return candidates;
}

}  // namespace

std::unique_ptr<DirectorySearch> SearchListing(const DirectoryListing& listing, int dirFd,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               const PrefixBounds* bounds) {
    mask = EffectiveMask(mask);
    return Finish(CandidatesOf(listing, mask), dirFd, listing.Dir(), windowsFolder, mask,
                  driveRoot, bounds);
}

std::unique_ptr<DirectorySearch> SearchAndList(int dirFd, const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               std::shared_ptr<const DirectoryListing>& listing,
                                               const PrefixBounds* bounds) {
    listing = DirectoryListing::ReadOpen(dirFd, hostDir);
    if (!listing) return nullptr;
    return SearchListing(*listing, dirFd, windowsFolder, mask, driveRoot, bounds);
}

}  // namespace platform::wine::files
