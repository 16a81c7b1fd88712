// The walk over the chosen drives' folders for shortcut files whose target is gone.
#include <cstring>
#include <functional>
#include <set>
#include <utility>

#include "engine/CRegistryFixer.h"
#include "engine/PathTest.h"
#include "engine/ValueText.h"
#include "engine/WalkQueue.h"
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

// The steps of one walk over folders: read a folder, queue its subfolders, judge its shortcut
// files.
class FolderWalk {
    using PollResult = CRegistryFixer::PollResult;

public:
    FolderWalk(CRegistryFixer& fixer, Label* currentKey)
        : fixer_(fixer), services_(fixer.Services()), currentKey_(currentKey) {}

    // A folder's identity comes from the folder as its search opened it, so every queued
    // folder is searched and one already entered (through another path) is then passed over
    // before anything of it is shown or looked at. The queue is first in, first out, so the
    // folder entered is the one queued first, as if duplicates had never been queued.
    PollResult Visit(const std::string& folder, WalkQueue<std::string>& queue) {
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
        if (fixer_.Poll() == PollResult::Stop) return PollResult::Stop;
        if (!seen_.FirstVisit(id)) return PollResult::GoOn;
        if (currentKey_) currentKey_->SetText(folder);
        if (!finder) return PollResult::GoOn;
        const std::string base = endsInSeparator ? folder : folder + "\\";
        platform::FindEntry entry;
        while (finder->Next(entry)) {
            // A name the "A" form cannot hold exactly would judge or delete another file.
            if (entry.IsDots() || entry.inexactName) continue;
            const std::string path = base + entry.name;
            if (entry.directory) {
                if (!entry.leavesPrefix && !PatternListMatch(path, kExclusions)) queue.Push(path);
            } else if (WildcardMatch(path, kShortcutPattern)) {
                JudgeShortcut(path);
            }
            if (fixer_.Poll() == PollResult::Stop) return PollResult::Stop;
        }
        return PollResult::GoOn;
    }

private:
    void JudgeShortcut(const std::string& path) {
        std::string target = services_.GetShortcutTarget(path.c_str());
        if (target.size() >= kTargetBuffer) target.resize(kTargetBuffer - 1);
        char expanded[kTargetBuffer] = {};
        const platform::DWORD needed =
            services_.ExpandEnvironmentStringsA(target.c_str(), expanded, kTargetBuffer);
        // A target whose expansion does not fit the buffer cannot be judged.
        if (needed == 0 || needed > kTargetBuffer) return;
        const auto length = static_cast<platform::DWORD>(strnlen(expanded, kTargetBuffer));
        ExistenceTest& paths = fixer_.Paths();
        paths.StartRecording();
        if (length <= 2 || paths.Exists({expanded, length})) return;
        const ValueTexts texts = TextForm(
            path, "", platform::REG_SZ, reinterpret_cast<const platform::BYTE*>(expanded), length);
        fixer_.AddProblem(texts.key, texts.name, texts.value);
    }

    CRegistryFixer& fixer_;
    platform::Services& services_;
    Label* const currentKey_;
    SeenFolders seen_;
};

}  // namespace

void CRegistryFixer::ShortcutWalk() {
    if (plan_.labels.sectionName)
        plan_.labels.sectionName->SetText(SectionByNumber(plan_.section).name);
    const PollingSearches polling(services_, [this] { return Poll() != PollResult::Stop; });
    FolderWalk walk(*this, plan_.labels.currentKey);
    RunWalk(WalkQueue<std::string>(plan_.workList ? *plan_.workList : TextList{}),
            [&walk](const std::string& folder, WalkQueue<std::string>& queue) {
                return walk.Visit(folder, queue);
            });
}

}  // namespace engine
