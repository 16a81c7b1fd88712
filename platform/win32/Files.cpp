// Files, folders, drives, the environment and time, through the W file calls (so that a path
// longer than MAX_PATH is tested in full) and the A calls for what the machine names itself.
#include "platform/win32/Win32Services.h"

namespace platform::win32 {
namespace {

// The identity GetFileInformationByHandle gives a folder's open handle.
bool FolderIdentityOf(const std::wstring& folder, FolderId* id) {
    const Handle handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.valid() || !::GetFileInformationByHandle(handle.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    if (id) {
        id->device = info.dwVolumeSerialNumber;
        id->inode = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    }
    return true;
}

// FindFirstFile's entry, then FindNextFile's, one at a time as Windows yields them.
class Win32Search final : public DirectorySearch {
public:
    Win32Search(::HANDLE find, const WIN32_FIND_DATAW& first, std::string folder, FolderId id)
        : find_(find), data_(first), folder_(std::move(folder)), id_(id) {}
    ~Win32Search() override { ::FindClose(find_); }
    Win32Search(const Win32Search&) = delete;
    Win32Search& operator=(const Win32Search&) = delete;

    bool Next(FindEntry& entry) override {
        if (!pending_ && !::FindNextFileW(find_, &data_)) return false;
        pending_ = false;
        bool exact = true;
        entry.name = WideToAnsi(data_.cFileName, &exact);
        entry.path = folder_ + "\\" + entry.name;
        entry.directory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.inexactName = !exact;
        entry.leavesPrefix = false;  // a machine has no prefix to leave
        return true;
    }
    FolderId FolderIdentity() const override { return id_; }

private:
    ::HANDLE find_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true;
    std::string folder_;
    FolderId id_;
};

}  // namespace

BOOL Win32Services::PathFileExistsA(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? TRUE : FALSE;
}

DWORD Win32Services::GetFileAttributesA(const char* path) {
    return ::GetFileAttributesW(WidePath(path).c_str());
}

BOOL Win32Services::CreateDirectoryA(const char* path) {
    return ::CreateDirectoryW(WidePath(path).c_str(), nullptr);
}

BOOL Win32Services::DeleteFileA(const char* path) { return ::DeleteFileW(WidePath(path).c_str()); }

std::unique_ptr<DirectorySearch> Win32Services::FindFirstFileA(const char* pattern) {
    const std::string text = pattern ? pattern : "";
    const std::size_t split = text.find_last_of("\\/");
    const std::string folder = split == std::string::npos ? std::string() : text.substr(0, split);
    WIN32_FIND_DATAW first{};
    const ::HANDLE find = ::FindFirstFileW(WidePath(pattern).c_str(), &first);
    if (find == INVALID_HANDLE_VALUE) return nullptr;
    FolderId id;
    if (!FolderIdentityOf(WidePath((folder + "\\").c_str()), &id)) id = {};
    return std::make_unique<Win32Search>(find, first, folder, id);
}

bool Win32Services::GetFolderIdentity(const char* path, FolderId* id) {
    return FolderIdentityOf(WidePath(path), id);
}

DWORD Win32Services::GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
    return ::GetLogicalDriveStringsA(bufferLength, buffer);
}

UINT Win32Services::GetDriveTypeA(const char* rootPath) { return ::GetDriveTypeA(rootPath); }

DWORD Win32Services::ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size) {
    return ::ExpandEnvironmentStringsA(source, destination, size);
}

UINT Win32Services::GetWindowsDirectoryA(char* buffer, UINT size) {
    return ::GetWindowsDirectoryA(buffer, size);
}

UINT Win32Services::GetSystemDirectoryA(char* buffer, UINT size) {
    return ::GetSystemDirectoryA(buffer, size);
}

DWORD Win32Services::GetModuleFileNameA(void*, char* buffer, DWORD size) {
    return ::GetModuleFileNameA(nullptr, buffer, size);
}

LocalTime Win32Services::GetLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace platform::win32
