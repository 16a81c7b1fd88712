#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/shelllink/ShellLink.h"
#include "platform/wine/files/FileSystemImpl.h"

namespace platform::wine {
namespace {

// Only the start of a shortcut file is read. Wine reads a shortcut one structure after
// another and stops at the terminal block, so what follows it never counts. The structures
// Wine reads are small: the 76-byte header, an ID list of at most 64 KiB (its size is 16 bits),
// five strings of at most 65535 UTF-16 units (128 KiB each), and a LinkInfo and extra blocks
// that the shell writes at a few hundred bytes each. 1 MiB holds all of that with room to
// spare, and keeps a scan's memory small whatever size a file claims to be.
constexpr off_t kShortcutReadLimit = 1 << 20;

// The first kShortcutReadLimit bytes of `path`, relative to the open folder `dirFd`
// (AT_FDCWD for a whole host path).
bool ReadStart(int dirFd, const char* path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::openat(dirFd, path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(std::min<off_t>(st.st_size, kShortcutReadLimit)));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) ok = n == 0;  // a file that shrank while read: keep what is there
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
    }
    ::close(fd);
    return ok;
}

}  // namespace

std::string FileSystem::GetShortcutTarget(const char* path) {
    const files::ResolvedPath resolved = impl_->Resolve(path);
    if (resolved.kind != files::EntryKind::File) return {};
    std::vector<std::uint8_t> bytes;
    // A walk reads a folder's shortcuts right after searching it: relative to that folder.
    std::string_view name;
    const int folderFd = impl_->lastSearched.FolderOf(resolved.host, name);
    const bool read = folderFd >= 0 ? ReadStart(folderFd, std::string(name).c_str(), bytes)
                                    : ReadStart(AT_FDCWD, resolved.host.c_str(), bytes);
    if (!read) return {};

    const shelllink::ShellLinkData link = shelllink::ParseShellLink(bytes.data(), bytes.size());
    if (!link.valid) return {};

    const std::u16string windowsPath = codepage::AnsiToUtf16(path);
    const std::size_t split = windowsPath.find_last_of(u"\\/");
    const std::u16string folder =
        split == std::u16string::npos ? std::u16string() : windowsPath.substr(0, split);
    const std::u16string target =
        shelllink::ChooseTarget(link, codepage::AnsiToUtf16(link.localBasePath), folder,
                                [this](std::u16string_view candidate) {
                                    return impl_->KindW(candidate) != files::EntryKind::Missing;
                                });
    return codepage::Utf16ToAnsi(target);
}

}  // namespace platform::wine
