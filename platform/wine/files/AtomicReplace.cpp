#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fmt/format.h>

#include "platform/LineEnds.h"
#include "platform/wine/ReplaceFiles.h"
#include "platform/wine/UnixFile.h"
#include "platform/wine/files/TextFiles.h"

namespace platform::wine::files {
namespace {

LONG CodeFor(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_WRITE_FAULT;
    }
}

Status Failure(const std::string& windowsPath, int error) {
    return {CodeFor(error), fmt::format("Could not write {}: {}. The file was left as it was.",
                                        windowsPath, WriteErrorText(error))};
}

}  // namespace

Status ReplaceHostTextFile(const std::string& hostPath, const std::string& windowsPath,
                           std::string_view text) {
    // Replace the file a link points at, not the link.
    std::string target = hostPath;
    if (char resolved[PATH_MAX]; ::realpath(hostPath.c_str(), resolved)) target = resolved;
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);

    if (struct stat old{}; ::stat(target.c_str(), &old) == 0 && S_ISDIR(old.st_mode))
        return {ERROR_ACCESS_DENIED,
                fmt::format("Could not write {}: a folder of that name is in the way. The file "
                            "was left as it was.",
                            windowsPath)};

    // The file keeps its owner and the permissions its owner gave it.
    const std::string data = ToCrLf(text);
    if (const auto failure = ReplaceFiles(folder, {target}, {data}))
        return Failure(windowsPath, failure->error);
    return Status::Success();
}

}  // namespace platform::wine::files
