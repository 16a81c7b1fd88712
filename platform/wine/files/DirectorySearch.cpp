#include "platform/wine/files/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

class ListedSearch final : public DirectorySearch {
public:
    explicit ListedSearch(std::vector<FindEntry> entries) : entries_(std::move(entries)) {}
    bool Next(FindEntry& entry) override {
        if (next_ >= entries_.size()) return false;
        entry = std::move(entries_[next_++]);
        return true;
    }

private:
    std::vector<FindEntry> entries_;
    std::size_t next_ = 0;
};

// One matching entry of a listing, which outlives the candidates.
struct Candidate {
    const std::u16string* folded = nullptr;
    std::u16string name;
    const std::string* hostName = nullptr;
    bool plainFile = false;  // a regular file by its directory entry (no link)
};

// `name` in the open folder `dirFd`, links followed: relative to the folder, the kernel does
// not walk the whole host path again for every entry.
bool FolderIdOf(int dirFd, const char* name, FolderId& id, bool& isFolder) {
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0) return false;
    isFolder = S_ISDIR(st.st_mode);
    if (isFolder) id = {static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

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

// The search over the names found in the folder open as `dirFd`: sorted, "." and ".."
// first (not in a drive root), each folder or link looked at once.
std::unique_ptr<DirectorySearch> Finish(std::vector<Candidate> candidates, int dirFd,
                                        const std::string& windowsFolder,
                                        std::u16string_view mask, bool driveRoot) {
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return *a.folded != *b.folded ? *a.folded < *b.folded : a.name < b.name;
    });
    std::vector<FindEntry> entries;
    auto add = [&](std::string name, const std::string& hostName, bool plainFile) {
        FindEntry entry;
        // A plain file needs no stat: files carry no identity. Links are followed; a
        // dangling one is left out, as Wine leaves it out.
        if (!plainFile && !FolderIdOf(dirFd, hostName.c_str(), entry.id, entry.directory)) return;
        entry.path = windowsFolder + name;
        entry.name = std::move(name);
        entries.push_back(std::move(entry));
    };
    if (!driveRoot) {
        if (MatchesMask(u".", mask)) add(".", ".", false);
        if (MatchesMask(u"..", mask)) add("..", "..", false);
    }
    for (const auto& candidate : candidates)
        add(codepage::Utf16ToAnsi(candidate.name), *candidate.hostName, candidate.plainFile);
    if (entries.empty()) return nullptr;
    return std::make_unique<ListedSearch>(std::move(entries));
}

// Wine turns "*.*" into "*": every name matches, also one without a dot.
std::u16string_view EffectiveMask(std::u16string_view mask) { return mask == u"*.*" ? u"*" : mask; }

struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::unique_ptr<DirectorySearch> SearchDirectory(const std::string& hostDir,
                                                 const std::string& windowsFolder,
                                                 std::u16string_view mask, bool driveRoot) {
    std::shared_ptr<const DirectoryListing> listing;
    return SearchAndList(hostDir, windowsFolder, mask, driveRoot, listing);
}

namespace {

std::vector<Candidate> CandidatesOf(const DirectoryListing& listing, std::u16string_view mask) {
    std::vector<Candidate> candidates;
    const auto& entries = listing.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::u16string name = codepage::Utf8ToUtf16(entries[i].name);
        if (!MatchesMask(name, mask)) continue;
        candidates.push_back({&listing.Folded(i), std::move(name), &entries[i].name,
                              listing.FromDirent(i) == EntryKind::File});
    }
    return candidates;
}

}  // namespace

std::unique_ptr<DirectorySearch> SearchListing(const DirectoryListing& listing,
                                               const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot) {
    const FdCloser dir{::open(hostDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd < 0) return nullptr;
    mask = EffectiveMask(mask);
    return Finish(CandidatesOf(listing, mask), dir.fd, windowsFolder, mask, driveRoot);
}

std::unique_ptr<DirectorySearch> SearchAndList(const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               std::shared_ptr<const DirectoryListing>& listing) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(hostDir.c_str()));
    listing = dir ? DirectoryListing::ReadOpen(dir.get(), hostDir) : nullptr;
    if (!listing) return nullptr;
    mask = EffectiveMask(mask);
    return Finish(CandidatesOf(*listing, mask), ::dirfd(dir.get()), windowsFolder, mask,
                  driveRoot);
}

}  // namespace platform::wine::files
