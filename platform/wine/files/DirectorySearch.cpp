#include "platform/wine/files/DirectorySearch.h"

#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/UnixFile.h"
#include "platform/wine/files/WindowsPath.h"

namespace platform::wine::files {

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

bool IsAscii(std::string_view name) {
    return std::none_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; });
}

// Wine turns "*.*" into "*": every name matches, also one without a dot.
std::u16string_view EffectiveMask(std::u16string_view mask) { return mask == u"*.*" ? u"*" : mask; }

// Wine matches a mask against an entry's made short name too. Every made name holds a '~',
// so a mask without it or a wildcard can match none, and no short name is made for it.
bool MayMatchShortNames(std::u16string_view mask) {
    return mask.find_first_of(u"*?~") != std::u16string_view::npos;
}

bool ShortNameMatches(const std::string& shortName, std::u16string_view mask) {
    return !shortName.empty() &&
           MatchesMask(std::u16string(shortName.begin(), shortName.end()), mask);
}

// The search over a folder's listing: "." and ".." first (not in a drive root), then the
// entries by folded name, equal folded names by name. Each entry is made when it is asked
// for, so what it costs (its "A" name and path, a stat of a link, whether a walk may enter
// it) is paid between the caller's polls, not all at once before the first entry: a folder
// of many entries costs only its ordering up front. Only links and entries of no stated
// kind are looked at (to tell folders from files and leave dangling links out); folders
// carry no identity of their own, the search of each gives it from its open descriptor.
class ListingSearch final : public DirectorySearch {
public:
    ListingSearch(std::shared_ptr<const DirectoryListing> listing, int dirFd, FolderId folder,
                  const std::string& windowsFolder, std::u16string_view mask, bool driveRoot,
                  const PrefixBounds* bounds)
        : listing_(std::move(listing)), order_(listing_->ByFolded()), folder_(folder),
          windowsFolder_(windowsFolder), mask_(mask), shortNamesMayMatch_(MayMatchShortNames(mask)),
          dots_(driveRoot ? 2 : 0), bounds_(bounds) {
        // Only entries of no stated kind need the folder later; the caller's descriptor may
        // be closed by then.
        for (std::size_t i = 0; i < order_.size() && !dir_; ++i)
            if (listing_->FromDirent(i) == EntryKind::Unknown)
                dir_.emplace(::fcntl(dirFd, F_DUPFD_CLOEXEC, 0));
    }

    // Makes the first entry; false when none matches, or when `progress` gave up.
    bool Start(SearchProgress& progress) {
        ready_ = Advance(&progress);
        return ready_ && !progress.GivenUp();
    }
    bool Next(FindEntry& entry) override {
        if (!ready_) return false;
        entry = std::move(next_);
        ready_ = Advance(nullptr);
        return true;
    }
    FolderId FolderIdentity() const override { return folder_; }

private:
    bool Advance(SearchProgress* progress);
    void Make(std::string name, bool directory) {
        next_ = FindEntry{};
        next_.directory = directory;
        next_.path = windowsFolder_ + name;
        next_.name = std::move(name);
    }
    // Puts the run of equal folded names that starts at `pos_` in the order of their names.
    void OrderRun();

    std::shared_ptr<const DirectoryListing> listing_;
    std::vector<std::uint32_t> order_;
    std::optional<UnixFd> dir_;  // a copy of the folder's descriptor, when needed
    FolderId folder_;
    std::string windowsFolder_;
    std::u16string mask_;
    bool shortNamesMayMatch_;
    int dots_;                                  // how many of "." and ".." were given
    std::size_t pos_ = 0;                       // the next entry of order_ to look at
    std::size_t runEnd_ = 0;                    // end of the run of equal folded names put in order
    std::optional<PrefixBounds::Place> place_;  // found on the first subfolder
    const PrefixBounds* bounds_;
    FindEntry next_;
    bool ready_ = false;
};

void ListingSearch::OrderRun() {
    const auto& folded = [this](std::size_t at) -> const std::u16string& {
        return listing_->Folded(order_[at]);
    };
    std::size_t end = pos_ + 1;
    while (end < order_.size() && folded(end) == folded(pos_)) ++end;
    if (end - pos_ > 1) {
        const auto& entries = listing_->Entries();
        std::sort(order_.begin() + static_cast<std::ptrdiff_t>(pos_),
                  order_.begin() + static_cast<std::ptrdiff_t>(end),
                  [&entries](std::uint32_t a, std::uint32_t b) {
                      return codepage::Utf8ToUtf16(entries[a].name) <
                             codepage::Utf8ToUtf16(entries[b].name);
                  });
    }
    runEnd_ = end;
}

bool ListingSearch::Advance(SearchProgress* progress) {
    while (dots_ < 2) {
        const std::u16string_view dots = dots_++ == 0 ? u"." : u"..";
        if (MatchesMask(dots, mask_)) {
            Make(dots == u"." ? "." : "..", true);
            return true;
        }
    }
    const auto& entries = listing_->Entries();
    for (; pos_ < order_.size(); ++pos_) {
        if (progress && !progress->Step()) return false;
        if (pos_ >= runEnd_) OrderRun();
        const std::uint32_t index = order_[pos_];
        const std::string& hostName = entries[index].name;
        // An ASCII name is its own "A" name, and matches every mask of a walk ("*").
        const bool plain = mask_ == u"*" && IsAscii(hostName);
        std::u16string name;
        if (!plain) {
            name = codepage::Utf8ToUtf16(hostName);
            if (!MatchesMask(name, mask_) &&
                !(shortNamesMayMatch_ && ShortNameMatches(listing_->ShortName(index), mask_)))
                continue;
        }
        const EntryKind kind = listing_->FromDirent(index);
        bool directory = kind == EntryKind::Directory;
        if (kind == EntryKind::Unknown) {
            // Links are followed; a dangling one is left out, as Wine leaves it out.
            struct stat st {};
            if (::fstatat(dir_->get(), hostName.c_str(), &st, 0) != 0) continue;
            directory = S_ISDIR(st.st_mode);
        }
        Make(plain ? hostName : codepage::Utf16ToAnsi(name), directory);
        next_.inexactName = !plain && !IsAscii(name) && codepage::AnsiToUtf16(next_.name) != name;
        if (directory && bounds_) {
            if (!place_) place_ = bounds_->PlaceOf(listing_->Dir());
            next_.leavesPrefix = !bounds_->MayEnter(listing_->Dir(), *place_, hostName,
                                                    kind == EntryKind::Directory);
        }
        ++pos_;
        return true;
    }
    return false;
}

}  // namespace

int OpenFolderForSearch(const std::string& hostDir) {
    return ::open(hostDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::unique_ptr<DirectorySearch> SearchDirectory(const std::string& hostDir,
                                                 const std::string& windowsFolder,
                                                 std::u16string_view mask, bool driveRoot,
                                                 const PrefixBounds* bounds,
                                                 SearchProgress* progress) {
    const UnixFd dir(OpenFolderForSearch(hostDir));
    if (dir.get() < 0) return nullptr;
    std::shared_ptr<const DirectoryListing> listing;
    return SearchAndList(dir.get(), hostDir, windowsFolder, mask, driveRoot, listing, bounds,
                         progress);
}

std::unique_ptr<DirectorySearch> SearchListing(std::shared_ptr<const DirectoryListing> listing,
                                               int dirFd, const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               const PrefixBounds* bounds,
                                               SearchProgress* progress) {
    struct stat self {};
    if (!listing || ::fstat(dirFd, &self) != 0) return nullptr;
    const FolderId folder{static_cast<std::uint64_t>(self.st_dev),
                          static_cast<std::uint64_t>(self.st_ino)};
    auto search = std::make_unique<ListingSearch>(std::move(listing), dirFd, folder, windowsFolder,
                                                  EffectiveMask(mask), driveRoot, bounds);
    SearchProgress none;
    if (!search->Start(progress ? *progress : none)) return nullptr;
    return search;
}

std::unique_ptr<DirectorySearch> SearchAndList(int dirFd, const std::string& hostDir,
                                               const std::string& windowsFolder,
                                               std::u16string_view mask, bool driveRoot,
                                               std::shared_ptr<const DirectoryListing>& listing,
                                               const PrefixBounds* bounds,
                                               SearchProgress* progress) {
    listing = DirectoryListing::ReadOpen(dirFd, hostDir, progress);
    if (!listing) return nullptr;
    return SearchListing(listing, dirFd, windowsFolder, mask, driveRoot, bounds, progress);
}

}  // namespace platform::wine::files
