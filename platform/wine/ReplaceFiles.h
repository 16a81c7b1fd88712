#pragma once
// The one way Drennow replaces files: every new text goes into a temporary file of the target's
// folder and is flushed to disk; only once all are written are they renamed over their
// targets, in order, and the folder is flushed so that the renames survive a crash too.
// A replaced file keeps the owner, group and permission bits of the file it replaces, so that
// whoever writes (root too) leaves the prefix its owner's; a new one gets the owner and group
// of its folder and the mode of any new file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wine/TempFiles.h"
#include "platform/wine/UnixFile.h"

namespace platform::wine {

// Where a replacement stopped: the step, the target's index and errno.
struct ReplaceFailure {
    enum class Step { Create, Write, Rename };
    Step step = Step::Create;
    std::size_t file = 0;
    int error = 0;
};

// Replaces targets[i] (each a file in `folder`) with texts[i]. A failure leaves no temporary
// file; one in a rename leaves the targets before it replaced already.
inline std::optional<ReplaceFailure> ReplaceFiles(const std::string& folder,
                                                  const std::vector<std::string>& targets,
                                                  const std::vector<std::string_view>& texts) {
    std::vector<std::string> temps;  // an entry is emptied once renamed
    auto fail = [&temps](ReplaceFailure::Step step, std::size_t file, int error) {
        for (const std::string& temp : temps)
            if (!temp.empty()) ::unlink(temp.c_str());
        return ReplaceFailure{step, file, error};
    };
    struct stat home {};
    const bool homeKnown = ::stat(folder.c_str(), &home) == 0;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        struct stat old {};
        bool ownerKnown = true;
        if (::stat(targets[i].c_str(), &old) != 0) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ownerKnown = homeKnown;
            old.st_uid = home.st_uid;
            old.st_gid = home.st_gid;
            old.st_mode = static_cast<mode_t>(0666 & ~mask);
        }
        std::string temp;
        // The mode is set once the text is in: until then no one else may read it.
        UnixFd fd = CreateTempFile(folder, 0600, temp);
        if (fd.get() < 0) return fail(ReplaceFailure::Step::Create, i, errno);
        temps.push_back(temp);
        int error = 0;
        // The owner first: a change of owner clears the set-id bits the mode then restores.
        if (ownerKnown) GiveOwner(fd.get(), old.st_uid, old.st_gid);
        if (!WriteAll(fd.get(), texts[i]) || ::fchmod(fd.get(), old.st_mode & 07777) != 0 ||
            ::fsync(fd.get()) != 0)
            error = errno;
        if (::close(fd.release()) != 0 && !error) error = errno;
        if (error) return fail(ReplaceFailure::Step::Write, i, error);
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (::rename(temps[i].c_str(), targets[i].c_str()) != 0)
            return fail(ReplaceFailure::Step::Rename, i, errno);
        temps[i].clear();
    }
    if (UnixFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.get() >= 0)
        ::fsync(dir.get());
    return std::nullopt;
}

}  // namespace platform::wine
