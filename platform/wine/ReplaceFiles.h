#pragma once
// The one way Drennow replaces files: every new text goes into a temporary file of the target's
// folder and is flushed to disk; only once all are written are they renamed over their
// targets, in order, and the folder is flushed so that the renames survive a crash too.
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

struct ReplacePolicy {
    enum class Mode {
        Fresh,       // 0666 less the umask, as any new file
        KeepTarget,  // the permission bits of the file replaced (Fresh where there is none)
    };
    Mode mode = Mode::Fresh;
};

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
                                                  const std::vector<std::string_view>& texts,
                                                  ReplacePolicy policy) {
    std::vector<std::string> temps;  // an entry is emptied once renamed
    auto fail = [&temps](ReplaceFailure::Step step, std::size_t file, int error) {
        for (const std::string& temp : temps)
            if (!temp.empty()) ::unlink(temp.c_str());
        return ReplaceFailure{step, file, error};
    };
    const bool keep = policy.mode == ReplacePolicy::Mode::KeepTarget;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        std::optional<mode_t> mode;
        if (keep) {
            struct stat old {};
            if (::stat(targets[i].c_str(), &old) == 0) {
                mode = old.st_mode & 07777;
            } else {
                const mode_t mask = ::umask(0);
                ::umask(mask);
                mode = static_cast<mode_t>(0666 & ~mask);
            }
        }
        std::string temp;
        // A kept mode is set once the text is in: until then no one else may read it.
        UnixFd fd = CreateTempFile(folder, keep ? 0600 : 0666, temp);
        if (fd.get() < 0) return fail(ReplaceFailure::Step::Create, i, errno);
        temps.push_back(temp);
        int error = 0;
        if (!WriteAll(fd.get(), texts[i]) || (mode && ::fchmod(fd.get(), *mode) != 0) ||
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
