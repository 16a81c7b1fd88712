// The walk over the chosen drives' folders for shortcut files whose target is gone.
#include <cstring>
#include <functional>
#include <set>
#include <utility>

#include "engine/CRegistryFixer.h"
#include "engine/PathTest.h"
#include "engine/ValueText.h"
#include "engine/Wildcard.h"

namespace engine {
namespace {

constexpr const char* kExclusions =
    "?:\\win*\\security,?:\\win*\\Sysbackup,?:\\win*\\sysbckup,?:\\recycle?,?:\\_restore,"
    "?:\\SYSTEM VOLUME INFORMATION";
constexpr const char* kShortcutPattern = "?:\\*.lnk";
constexpr platform::DWORD kTargetBuffer = 1000;

using FolderKey = std::pair<std::uint64_t, std::uint64_t>;

// Physical folders already entered: a prefix links Desktop, Documents and Downloads to one
// home folder, and links can loop. A zero identity (unknown) never counts as seen.
class SeenFolders {
public:
    bool FirstVisit(const platform::FolderId& id) {
        if (id.device == 0 && id.inode == 0) return true;
        return seen_.insert({id.device, id.inode}).second;
    }

private:
    std::set<FolderKey> seen_;
};

// While the walk runs, a search reading a large folder polls too (a pause takes effect and
// a cancel gives the search up) instead of holding the window until the folder is read.
class PollingSearches {
public:
    PollingSearches(platform::Services& services, std::function<bool()> poll)
        : services_(services) {
        services_.SetSearchProgress(std::move(poll));
    }
    ~PollingSearches() { services_.SetSearchProgress({}); }
    PollingSearches(const PollingSearches&) = delete;
    PollingSearches& operator=(const PollingSearches&) = delete;

private:
    platform::Services& services_;
};

}  // namespace

void CRegistryFixer::ShortcutWalk() {
    if (plan_.labels.sectionName)
        plan_.labels.sectionName->SetText(SectionByNumber(plan_.section).name);
    if (!plan_.workList) return;
    TextList& list = *plan_.workList;

    // A folder's identity comes from the folder as its search opened it, so every queued
    // folder is searched and one already entered (through another path) is then passed over
    // before anything of it is shown or looked at. The queue is first in, first out, so the
    // folder entered is the one queued first, as if duplicates had never been queued.
    SeenFolders seen;
    const PollingSearches polling(services_, [this] { return Poll() != PollResult::Stop; });
    std::size_t head = 0;
    bool cancelled = false;
    while (head < list.size() && !cancelled) {
        const std::string folder = list[head];
        const bool endsInSeparator = !folder.empty() && folder.back() == '\\';
        const std::string search = folder + (endsInSeparator ? "*.*" : "\\*.*");
        auto finder = services_.FindFirstFileA(search.c_str());
        platform::FolderId id;
        if (finder) {
            id = finder->FolderIdentity();
        } else {
            const std::string root = endsInSeparator ? folder : folder + "\\";
            if (!services_.GetFolderIdentity(root.c_str(), &id)) id = {};
        }
        // Every folder read is a step of its own: a tree of empty folders has no entries to
        // poll between, and the window must still answer.
        if (Poll() == PollResult::Stop) {
            cancelled = true;
            break;
        }
        if (!seen.FirstVisit(id)) {
            ++head;
            continue;
        }
        if (plan_.labels.currentKey) plan_.labels.currentKey->SetText(folder);
        if (finder) {
            platform::FindEntry entry;
            while (finder->Next(entry)) {
                // A name the "A" form cannot hold exactly would judge or delete another file.
                if (entry.IsDots() || entry.inexactName) continue;
                const std::string path = folder + (endsInSeparator ? "" : "\\") + entry.name;
                if (entry.directory) {
                    if (!entry.leavesPrefix && !PatternListMatch(path, kExclusions))
                        list.push_back(path);
                } else if (WildcardMatch(path, kShortcutPattern)) {
                    std::string target = services_.GetShortcutTarget(path.c_str());
                    if (target.size() >= kTargetBuffer) target.resize(kTargetBuffer - 1);
                    char expanded[kTargetBuffer] = {};
                    const platform::DWORD needed = services_.ExpandEnvironmentStringsA(
                        target.c_str(), expanded, kTargetBuffer);
                    // A target whose expansion does not fit the buffer cannot be judged.
                    if (needed > 0 && needed <= kTargetBuffer) {
                        const platform::DWORD length =
                            static_cast<platform::DWORD>(strnlen(expanded, kTargetBuffer));
                        paths_.StartRecording();
                        if (length > 2 && !paths_.Exists({expanded, length})) {
                            const ValueTexts texts =
                                TextForm(path, "", platform::REG_SZ,
                                         reinterpret_cast<const platform::BYTE*>(expanded), length);
                            AddProblem(texts.key, texts.name, texts.value);
                        }
                    }
                }
                if (Poll() == PollResult::Stop) {
                    cancelled = true;
                    break;
                }
            }
        }
        if (!cancelled) ++head;
    }

    list.erase(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(head));
    if (cancelled) {
        runState_ = RunState::Idle;
        Notify(ScanEvent::Cancelled);
    }
}

}  // namespace engine
