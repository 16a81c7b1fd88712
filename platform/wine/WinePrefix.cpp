#include "platform/wine/WinePrefix.h"

#include <sys/stat.h>

#include "platform/Wow64Paths.h"
#include "platform/wine/files/FileSystem.h"
#include "platform/wine/install/WineInstallation.h"
#include "platform/wine/registry/HiveFiles.h"
#include "platform/wine/registry/Registry.h"

namespace platform::wine {
namespace {

// Services over one prefix: the registry half and the file half, each in its own class.
class WineServices final : public Services {
public:
    WineServices(std::string dir, std::unique_ptr<Registry> registry,
                 std::optional<InstallationPlace> installation)
        : dir_(std::move(dir)), registry_(std::move(registry)),
          files_(std::make_unique<FileSystem>(dir_, *this)),
          installationPlace_(std::move(installation)) {}

    LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD sam,
                       HKEY* result) override {
        return registry_->RegOpenKeyExA(key, subKey, options, sam, result);
    }
    LONG RegQueryInfoKeyA(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* values,
                          DWORD* maxValueNameLen, DWORD* maxValueLen) override {
        return registry_->RegQueryInfoKeyA(key, subKeys, maxSubKeyLen, values, maxValueNameLen,
                                           maxValueLen);
    }
    LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength) override {
        return registry_->RegEnumKeyExA(key, index, name, nameLength);
    }
    LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type,
                       BYTE* data, DWORD* dataLength) override {
        return registry_->RegEnumValueA(key, index, name, nameLength, type, data, dataLength);
    }
    LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) override {
        return registry_->RegCreateKeyA(key, subKey, result);
    }
    LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                          DWORD* dataLength) override {
        return registry_->RegQueryValueExA(key, valueName, type, data, dataLength);
    }
    LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                        const BYTE* data, DWORD dataLength) override {
        return registry_->RegSetValueExA(key, valueName, reserved, type, data, dataLength);
    }
    LONG RegDeleteValueA(HKEY key, const char* valueName) override {
        return registry_->RegDeleteValueA(key, valueName);
    }
    LONG RegCloseKey(HKEY key) override { return registry_->RegCloseKey(key); }
    LONG RegOpenKeyExW(HKEY key, const WCHAR* subKey, DWORD options, DWORD sam,
                       HKEY* result) override {
        return registry_->RegOpenKeyExW(key, subKey, options, sam, result);
    }
    LONG RegEnumKeyExW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength) override {
        return registry_->RegEnumKeyExW(key, index, name, nameLength);
    }
    LONG RegEnumValueW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength, DWORD* type,
                       BYTE* data, DWORD* dataLength) override {
        return registry_->RegEnumValueW(key, index, name, nameLength, type, data, dataLength);
    }
    LONG RegCreateKeyW(HKEY key, const WCHAR* subKey, HKEY* result) override {
        return registry_->RegCreateKeyW(key, subKey, result);
    }
    LONG RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type,
                        const BYTE* data, DWORD dataLength) override {
        return registry_->RegSetValueExW(key, valueName, reserved, type, data, dataLength);
    }
    LONG RegDeleteValueW(HKEY key, const WCHAR* valueName) override {
        return registry_->RegDeleteValueW(key, valueName);
    }
    std::uint64_t RegKeyIdentity(HKEY key) override { return registry_->RegKeyIdentity(key); }
    Status Commit() override {
        if (!refusal_.ok()) return refusal_;
        return registry_->Commit();
    }
    Status DiscardChanges() override {
        if (!registry_->HasUncommittedChanges()) return {};
        Status status;
        std::unique_ptr<Registry> fresh = Registry::Load(dir_, status);
        if (!fresh) {
            // The changes stay in memory, so nothing may ever be written from now on.
            refusal_ = {ERROR_CANTWRITE,
                        "The registry could not be read again after a failed "
                        "save, so Drennow writes nothing more: " +
                            status.message + " Start Drennow again."};
            return refusal_;
        }
        fresh->ContinueHandlesOf(*registry_);
        registry_ = std::move(fresh);
        return {};
    }
    Status Refresh() override {
        // Only hives whose bytes changed count: Wine saves the same registry again whenever
        // its server stops. One changed hive loads all three again, as one consistent whole
        // (links lead from one hive into another).
        if (registry_->HasUncommittedChanges() || !registry_->ChangedOnDisk()) return {};
        Status status;
        std::unique_ptr<Registry> fresh = Registry::Load(dir_, status);
        if (!fresh)
            return {status.code,
                    "The registry files were changed by another program and "
                    "cannot be read again: " +
                        status.message};
        fresh->ContinueHandlesOf(*registry_);
        registry_ = std::move(fresh);
        return {};
    }
    bool HasUncommittedChanges() const override { return registry_->HasUncommittedChanges(); }
    Status CanWrite() override {
        if (!refusal_.ok()) return refusal_;
        return registry_->CanWrite();
    }

    BOOL PathFileExistsA(const char* path) override { return files_->PathFileExistsA(path); }
    DWORD GetFileAttributesA(const char* path) override { return files_->GetFileAttributesA(path); }
    BOOL CreateDirectoryA(const char* path) override { return files_->CreateDirectoryA(path); }
    BOOL DeleteFileA(const char* path) override { return files_->DeleteFileA(path); }
    std::unique_ptr<DirectorySearch> FindFirstFileA(const char* pattern) override {
        return files_->FindFirstFileA(pattern);
    }
    void SetSearchProgress(std::function<bool()> progress) override {
        files_->SetSearchProgress(std::move(progress));
    }
    bool GetFolderIdentity(const char* path, FolderId* id) override {
        return files_->GetFolderIdentity(path, id);
    }
    DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) override {
        return files_->GetLogicalDriveStringsA(bufferLength, buffer);
    }
    UINT GetDriveTypeA(const char* rootPath) override { return files_->GetDriveTypeA(rootPath); }
    void SetDirectoryCaching(bool enabled) override { files_->SetDirectoryCaching(enabled); }
    std::uint64_t DirectoryCacheGeneration() const override {
        return files_->DirectoryCacheGeneration();
    }
    DWORD ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size) override {
        return files_->ExpandEnvironmentStringsA(source, destination, size);
    }
    UINT GetWindowsDirectoryA(char* buffer, UINT size) override {
        return files_->GetWindowsDirectoryA(buffer, size);
    }
    UINT GetSystemDirectoryA(char* buffer, UINT size) override {
        return files_->GetSystemDirectoryA(buffer, size);
    }
    UINT GetSystemWow64DirectoryA(char* buffer, UINT size) override {
        return HasWow64() ? files_->GetSystemWow64DirectoryA(buffer, size) : 0;
    }
    std::string Wow64RedirectedPath(std::string_view path) override {
        if (!HasWow64()) return std::string(path);
        char windows[64] = {};
        const UINT length = files_->GetWindowsDirectoryA(windows, sizeof windows);
        return platform::Wow64RedirectedPath(path, std::string_view(windows, length),
                                             WineWow64Rules());
    }
    std::string HostPathOf(const char* path, std::string* why) override {
        return files_->HostPathOf(path, why);
    }
    DWORD ExpandEnvironmentStrings32A(const char* source, char* destination, DWORD size) override {
        if (!HasWow64()) return files_->ExpandEnvironmentStringsA(source, destination, size);
        return files_->ExpandEnvironmentStrings32A(source, destination, size);
    }
    DWORD GetModuleFileNameA(void* module, char* buffer, DWORD size) override {
        return files_->GetModuleFileNameA(module, buffer, size);
    }
    std::unique_ptr<TextFile> OpenTextFile(const char* path, TextFileMode mode) override {
        return files_->OpenTextFile(path, mode);
    }
    Status ReplaceTextFile(const char* path, std::string_view text) override {
        return files_->ReplaceTextFile(path, text);
    }
    Status UpdateTextFile(const char* path, const std::function<Status()>& update) override {
        return files_->UpdateTextFile(path, update);
    }
    LocalTime GetLocalTime() override { return files_->GetLocalTime(); }
    std::string GetShortcutTarget(const char* path) override {
        return files_->GetShortcutTarget(path);
    }
    std::string Description() const override { return "Wine prefix " + dir_; }
    std::string Warning() override { return registry_->Warning(); }
    bool IsInstallationEntry(HKEY root, std::u16string_view subKey, std::u16string_view valueName,
                             std::u16string_view data) override {
        if (!installationPlace_) return false;
        // Read on the first question only: a scan that finds nothing never pays for it.
        if (!installation_)
            installation_ =
                std::make_unique<WineInstallation>(WineInstallation::Read(*installationPlace_));
        return installation_->Writes(root, subKey, valueName, data);
    }
    bool ReadFileBytes(const char* path, std::string* bytes, DWORD maxBytes) override {
        return files_->ReadFileBytes(path, bytes, maxBytes);
    }
    Status CreateNewFile(const char* path, std::string_view bytes) override {
        return files_->CreateNewFile(path, bytes);
    }

private:
    // A 64-bit prefix runs 32-bit programs beside 64-bit ones, as Wine's 64-bit build
    // assumes for a prefix whose system.reg names no architecture.
    bool HasWow64() const { return registry_->Architecture() != "win32"; }

    std::string dir_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<FileSystem> files_;
    Status refusal_;  // set when changes could not be discarded
    std::optional<InstallationPlace> installationPlace_;
    std::unique_ptr<WineInstallation> installation_;
};

}  // namespace

std::unique_ptr<Services> OpenPrefix(const std::string& dir, Status& status) {
    std::string note;  // without an installation every entry is judged as any other
    return OpenPrefix(dir, status, LocateInstallation(std::string(), note));
}

std::unique_ptr<Services> OpenPrefix(const std::string& dir, Status& status,
                                     std::optional<InstallationPlace> installation) {
    struct stat st {};
    if (dir.empty() || ::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        status = {ERROR_PATH_NOT_FOUND, "The Wine prefix folder " + dir +
                                            " does not exist. Make one with:\n    " +
                                            registry::PrefixCommand(dir, "wineboot -i")};
        return nullptr;
    }
    auto registry = Registry::Load(dir, status);
    if (!registry) return nullptr;
    status = Status::Success();
    return std::make_unique<WineServices>(dir, std::move(registry), std::move(installation));
}

}  // namespace platform::wine
