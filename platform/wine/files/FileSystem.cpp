#include "platform/wine/files/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/files/DirectorySearch.h"
#include "platform/wine/files/Drives.h"
#include "platform/wine/files/FileSystemImpl.h"
#include "platform/wine/files/TextFiles.h"
#include "platform/wine/PrefixOwner.h"
#include "platform/wine/TempFiles.h"
#include "platform/wine/files/WholeFiles.h"
#include "platform/wine/UnixFile.h"

namespace platform::wine {
namespace {

constexpr const char* kWindowsDirectory = "C:\\windows";
constexpr const char* kSystemDirectory = "C:\\windows\\system32";
constexpr const char* kSystemWow64Directory = "C:\\windows\\syswow64";
constexpr const char* kModulePath = "C:\\Program Files\\Norlix Drennow\\Norlix Drennow.exe";

// GetWindowsDirectoryA's buffer rules: the length without the zero when it fits, else the
// size needed with it.
UINT CopyFolder(const char* text, char* buffer, UINT size) {
    const UINT length = static_cast<UINT>(std::strlen(text));
    if (!buffer || size <= length) return length + 1;
    std::memcpy(buffer, text, length + 1);
    return length;
}

// Nothing of any kind (not even a dangling link) stands at `hostPath`.
bool NothingAt(const std::string& hostPath) {
    struct stat st {};
    return ::lstat(hostPath.c_str(), &st) != 0 && errno == ENOENT;
}

}  // namespace

namespace {

bool IsAscii(std::string_view text) {
    // Eight bytes at a time: existence tests ask about long paths, many times over.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// Wine takes a path that begins with one "/" as a host path: a shortcut to a Unix program
// names one. It is tested as it stands, in or out of the prefix, but has no mapping: nothing
// is ever written there.
template <class Char>
bool IsHostPath(std::basic_string_view<Char> path) {
    return !path.empty() && path[0] == Char('/') &&
           (path.size() == 1 || (path[1] != Char('/') && path[1] != Char('\\')));
}

}  // namespace

files::ResolvedPath FileSystem::Impl::Resolve(const char* path) const {
    if (!path || IsHostPath(std::string_view(path))) return {};
    if (const std::string_view text(path); IsAscii(text))
        if (auto resolved = resolver.CachedResolve(text)) return *resolved;
    auto parsed = files::ParseWindowsPathA(path);
    if (!parsed) return {};
    return resolver.Resolve(*parsed);
}

files::ResolvedPath FileSystem::Impl::ResolveW(std::u16string_view path) const {
    if (IsHostPath(path)) return {};
    auto parsed = files::ParseWindowsPath(path);
    if (!parsed) return {};
    return resolver.Resolve(*parsed);
}

files::EntryKind FileSystem::Impl::Kind(const char* path) const {
    if (!path) return files::EntryKind::Missing;
    const std::string_view text(path);
    if (IsHostPath(text))
        return files::StatKind(codepage::Utf16ToUtf8(codepage::AnsiToUtf16(text)));
    if (IsAscii(text))
        if (auto kind = resolver.CachedKind(text)) return *kind;
    return Resolve(path).kind;
}

files::EntryKind FileSystem::Impl::KindW(std::u16string_view path) const {
    if (IsHostPath(path)) return files::StatKind(codepage::Utf16ToUtf8(path));
    std::string ascii;
    ascii.reserve(path.size());
    for (char16_t c : path) {
        if (c >= 0x80) return ResolveW(path).kind;
        ascii.push_back(static_cast<char>(c));
    }
    if (auto kind = resolver.CachedKind(ascii)) return *kind;
    return ResolveW(path).kind;
}

namespace {

const files::Environment& BuiltOnce(std::optional<files::Environment>& environment,
                                    const std::string& prefix, Services& registry, bool wow64) {
    if (!environment) {
        const char* user = std::getenv("USER");
        environment = files::Environment::Build(prefix, registry, user ? user : "", wow64);
    }
    return *environment;
}

}  // namespace

const files::Environment& FileSystem::Impl::Env() {
    return BuiltOnce(environment, prefix, registry, false);
}

const files::Environment& FileSystem::Impl::Env32() {
    return BuiltOnce(environment32, prefix, registry, true);
}

FileSystem::FileSystem(const std::string& prefixDir, Services& registry)
    : impl_(std::make_unique<Impl>(prefixDir, registry)) {}

FileSystem::~FileSystem() = default;

BOOL FileSystem::PathFileExistsA(const char* path) {
    return impl_->Kind(path) != files::EntryKind::Missing ? TRUE_ : FALSE_;
}

std::string FileSystem::HostPathOf(const char* path, std::string* why) {
    std::string reason;
    std::string host;
    const std::string_view text(path ? path : "");
    const std::string windows = codepage::Utf16ToUtf8(codepage::AnsiToUtf16(text));
    std::optional<files::WindowsPath> parsed;
    if (IsHostPath(text)) {
        host = windows;  // a path Wine takes as the host's own
    } else if (text.size() >= 2 && (text[0] == '\\' || text[0] == '/') &&
               (text[1] == '\\' || text[1] == '/') && !text.starts_with("\\\\?\\")) {
        reason = "a UNC path: Wine maps no network share";
    } else if (!(parsed = files::ParseWindowsPathA(text))) {
        reason = "no path Wine can map";
    } else if (const UINT type = impl_->drives.Type(impl_->prefix, parsed->drive, impl_->registry);
               type == DRIVE_NO_ROOT_DIR) {
        reason = std::string("there is no drive ") + static_cast<char>(parsed->drive - 'a' + 'A') +
                 ": in this prefix";
    } else {
        if (type == DRIVE_REMOTE)
            reason = std::string(1, static_cast<char>(parsed->drive - 'a' + 'A')) +
                     ": is a network drive (Wine's way to the host's own folders)";
        // The longest part that exists, as Wine finds it, then the rest as given.
        files::WindowsPath part = *parsed;
        std::vector<std::u16string> rest;
        for (;;) {
            const files::ResolvedPath found = impl_->resolver.Resolve(part);
            if (found.kind != files::EntryKind::Missing || part.components.empty()) {
                host = part.components.empty() ? impl_->resolver.DriveRoot(part.drive) : found.host;
                break;
            }
            rest.insert(rest.begin(), part.components.back());
            part.components.pop_back();
        }
        // The drive's link followed ("dosdevices/c:" is "drive_c"); the folders below are
        // named as Wine found them.
        const std::string root = impl_->resolver.DriveRoot(part.drive);
        if (std::optional<std::string> real;
            host.starts_with(root) && (real = impl_->drives.RealRoot(part.drive, root))) {
            std::string base = std::move(*real);
            const std::string below = host.substr(root.size());
            if (!below.empty() && base.ends_with('/')) base.pop_back();  // a drive at "/"
            host = base + below;
        }
        for (const std::u16string& name : rest) {
            if (host.empty() || host.back() != '/') host += '/';
            host += codepage::Utf16ToUtf8(name);
        }
    }
    if (why) *why = reason;
    return host;
}

DWORD FileSystem::GetFileAttributesA(const char* path) {
    switch (impl_->Kind(path)) {
    case files::EntryKind::Directory: return FILE_ATTRIBUTE_DIRECTORY;
    case files::EntryKind::File: return FILE_ATTRIBUTE_ARCHIVE;
    default: return INVALID_FILE_ATTRIBUTES;
    }
}

BOOL FileSystem::CreateDirectoryA(const char* path) {
    if (OwnedByAnother(impl_->prefix)) return FALSE_;
    const files::ResolvedPath resolved = impl_->Resolve(path);
    if (resolved.kind != files::EntryKind::Missing || !resolved.parentIsFolder ||
        resolved.host.empty() || !NothingAt(resolved.host))
        return FALSE_;
    const bool made = ::mkdir(resolved.host.c_str(), 0777) == 0;
    if (made) {
        // The new folder is its parent folder's owner's, whoever made it.
        const std::size_t slash = resolved.host.rfind('/');
        struct stat parent {};
        const UnixFd folder(
            ::open(resolved.host.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (slash != std::string::npos && folder.get() >= 0 &&
            ::stat(resolved.host.substr(0, slash == 0 ? 1 : slash).c_str(), &parent) == 0)
            GiveOwner(folder.get(), parent.st_uid, parent.st_gid);
    }
    impl_->cache.Clear();
    return made ? TRUE_ : FALSE_;
}

BOOL FileSystem::DeleteFileA(const char* path) {
    if (OwnedByAnother(impl_->prefix)) return FALSE_;
    const files::ResolvedPath resolved = impl_->Resolve(path);
    // Files only: never a folder, and never a dangling link (it names nothing here).
    if (resolved.kind != files::EntryKind::File) return FALSE_;
    const bool removed = ::unlink(resolved.host.c_str()) == 0;
    impl_->cache.Clear();
    return removed ? TRUE_ : FALSE_;
}

std::unique_ptr<DirectorySearch> FileSystem::FindFirstFileA(const char* pattern) {
    if (!pattern) return nullptr;
    const std::string text = pattern;
    const std::size_t split = text.find_last_of("\\/");
    if (split == std::string::npos) return nullptr;
    const std::string folderText = text.substr(0, split + 1);
    const std::u16string mask = codepage::AnsiToUtf16(text.substr(split + 1));
    if (mask.empty()) return nullptr;
    const files::ResolvedPath folder = impl_->Resolve(folderText.c_str());
    if (folder.kind != files::EntryKind::Directory) return nullptr;
    files::SearchProgress progress(impl_->searchProgress);
    if (!impl_->cache.Enabled())
        return files::SearchDirectory(folder.host, folderText, mask, folder.isDriveRoot,
                                      &impl_->bounds, &progress);
    // During a scan the folder's listing is read once, for lookups and searches alike, and
    // the folder stays open for reading the files found in it.
    bool known = false;
    const auto listing = impl_->cache.Peek(folder.host, known);
    if (known && !listing) return nullptr;  // could not be read before
    UnixFd dir(files::OpenFolderForSearch(folder.host));
    if (dir.get() < 0) {
        if (!known) impl_->cache.Put(folder.host, nullptr);
        return nullptr;
    }
    std::unique_ptr<DirectorySearch> search;
    if (known) {
        search = files::SearchListing(listing, dir.get(), folderText, mask, folder.isDriveRoot,
                                      &impl_->bounds, &progress);
    } else {
        std::shared_ptr<const files::DirectoryListing> read;
        search = files::SearchAndList(dir.get(), folder.host, folderText, mask, folder.isDriveRoot,
                                      read, &impl_->bounds, &progress);
        // A listing given up is no answer about the folder: the next search reads it again.
        if (progress.GivenUp()) return nullptr;
        impl_->cache.Put(folder.host, std::move(read));
    }
    if (progress.GivenUp()) return nullptr;
    impl_->lastSearched.Keep(folder.host, dir.release());
    return search;
}

void FileSystem::SetSearchProgress(std::function<bool()> progress) {
    impl_->searchProgress = std::move(progress);
}

bool FileSystem::GetFolderIdentity(const char* path, FolderId* id) {
    const files::ResolvedPath resolved = impl_->Resolve(path);
    struct stat st {};
    if (resolved.kind != files::EntryKind::Directory || ::stat(resolved.host.c_str(), &st) != 0)
        return false;
    if (id) *id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

DWORD FileSystem::GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
    return files::FormatDriveStrings(impl_->drives.Drives(impl_->prefix), bufferLength, buffer);
}

UINT FileSystem::GetDriveTypeA(const char* rootPath) {
    // Null means the root of the current folder, which for this program is on C:.
    const char* root = rootPath ? rootPath : "C:\\";
    // "X:\", as the drive list gives roots, needs no parsing (checkers ask for every value).
    if (((root[0] | 0x20) >= 'a' && (root[0] | 0x20) <= 'z') && root[1] == ':' && root[2] == '\\' &&
        root[3] == '\0')
        return impl_->drives.Type(impl_->prefix, static_cast<char>(root[0] | 0x20),
                                  impl_->registry);
    auto parsed = files::ParseWindowsPathA(root);
    if (!parsed) return DRIVE_NO_ROOT_DIR;
    if (!parsed->components.empty()) {
        // A folder below a root: Wine answers for its drive when the folder exists.
        if (impl_->resolver.Resolve(*parsed).kind != files::EntryKind::Directory)
            return DRIVE_NO_ROOT_DIR;
    }
    return impl_->drives.Type(impl_->prefix, parsed->drive, impl_->registry);
}

void FileSystem::SetDirectoryCaching(bool enabled) {
    impl_->cache.SetEnabled(enabled);
    impl_->drives.SetEnabled(enabled);
    impl_->lastSearched.Close();
    // A scan starts: take the environment as the registry holds it now.
    if (enabled) {
        impl_->environment.reset();
        impl_->environment32.reset();
    }
}

std::uint64_t FileSystem::DirectoryCacheGeneration() const {
    return impl_->cache.Enabled() ? impl_->cache.Generation() : 0;
}

DWORD FileSystem::ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size) {
    if (!source) return 0;
    return files::CopyExpanded(impl_->Env().Expand(source), destination, size);
}

DWORD FileSystem::ExpandEnvironmentStrings32A(const char* source, char* destination, DWORD size) {
    if (!source) return 0;
    return files::CopyExpanded(impl_->Env32().Expand(source), destination, size);
}

UINT FileSystem::GetWindowsDirectoryA(char* buffer, UINT size) {
    return CopyFolder(kWindowsDirectory, buffer, size);
}

UINT FileSystem::GetSystemDirectoryA(char* buffer, UINT size) {
    return CopyFolder(kSystemDirectory, buffer, size);
}

UINT FileSystem::GetSystemWow64DirectoryA(char* buffer, UINT size) {
    return CopyFolder(kSystemWow64Directory, buffer, size);
}

DWORD FileSystem::GetModuleFileNameA(void* /*module*/, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    const DWORD length = static_cast<DWORD>(std::strlen(kModulePath));
    // As Windows since Vista: a short buffer gets the truncated path, zero-terminated, and
    // the answer is the buffer size.
    const DWORD count = length < size ? length : size - 1;
    std::memcpy(buffer, kModulePath, count);
    buffer[count] = '\0';
    return length < size ? length : size;
}

std::unique_ptr<TextFile> FileSystem::OpenTextFile(const char* path, TextFileMode mode) {
    if (mode != TextFileMode::Read && OwnedByAnother(impl_->prefix)) return nullptr;
    const files::ResolvedPath resolved = impl_->Resolve(path);
    if (resolved.host.empty() || resolved.kind == files::EntryKind::Directory) return nullptr;
    if (resolved.kind == files::EntryKind::Missing) {
        // Creating: only a plain new name in an existing folder, never through a dangling
        // link to somewhere else.
        if (mode == TextFileMode::Read || !resolved.parentIsFolder || !NothingAt(resolved.host))
            return nullptr;
    }
    auto file = files::OpenHostTextFile(resolved.host, mode);
    if (file && mode != TextFileMode::Read) impl_->cache.Clear();
    return file;
}

Status FileSystem::ReplaceTextFile(const char* path, std::string_view text) {
    if (Status refused = OwnerRefusal(impl_->prefix); !refused.ok()) return refused;
    const std::string name = path ? path : "";
    const files::ResolvedPath resolved = impl_->Resolve(path);
    if (resolved.host.empty() || !resolved.parentIsFolder)
        return {ERROR_PATH_NOT_FOUND,
                "Could not write " + name + ": its folder does not exist. Nothing was changed."};
    if (resolved.kind == files::EntryKind::Missing && !NothingAt(resolved.host))
        return {ERROR_ACCESS_DENIED,
                "Could not write " + name +
                    ": a link of that name points at nothing. Nothing was changed."};
    Status status = files::ReplaceHostTextFile(resolved.host, name, text);
    impl_->cache.Clear();
    return status;
}

Status FileSystem::UpdateTextFile(const char* path, const std::function<Status()>& update) {
    // Refused before the stale temporary files are cleared: nothing is written at all.
    if (Status refused = OwnerRefusal(impl_->prefix); !refused.ok()) return refused;
    // The folder the replacement is renamed into: that of the file a link points at.
    std::string target = impl_->Resolve(path).host;
    if (char real[PATH_MAX]; !target.empty() && ::realpath(target.c_str(), real)) target = real;
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
    const FolderLock lock(folder);
    RemoveStaleTempFiles(folder);
    return update();
}

bool FileSystem::ReadFileBytes(const char* path, std::string* bytes, DWORD maxBytes) {
    const files::ResolvedPath resolved = impl_->Resolve(path);
    std::string read;
    if (resolved.kind != files::EntryKind::File ||
        !files::ReadHostFileBytes(resolved.host, read, maxBytes))
        return false;
    if (bytes) *bytes = std::move(read);
    return true;
}

Status FileSystem::CreateNewFile(const char* path, std::string_view bytes) {
    if (Status refused = OwnerRefusal(impl_->prefix); !refused.ok()) return refused;
    const std::string name = path ? path : "";
    const files::ResolvedPath resolved = impl_->Resolve(path);
    if (resolved.kind != files::EntryKind::Missing ||
        (!resolved.host.empty() && !NothingAt(resolved.host)))
        return {ERROR_FILE_EXISTS, name + ": a file of that name exists there now"};
    if (resolved.host.empty() || !resolved.parentIsFolder)
        return {ERROR_PATH_NOT_FOUND, name + ": its folder does not exist"};
    Status status = files::CreateNewHostFile(resolved.host, name, bytes);
    impl_->cache.Clear();
    return status;
}

}  // namespace platform::wine
