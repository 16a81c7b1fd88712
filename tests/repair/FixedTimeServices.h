#pragma once
// The real backend with a clock that stands still, so that a backup's header line is known.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "platform/Services.h"

namespace repairtest {

class FixedTimeServices : public platform::Services {
public:
    FixedTimeServices(std::unique_ptr<platform::Services> real, platform::LocalTime time)
        : real_(std::move(real)), time_(time) {}

    platform::Services& Real() { return *real_; }
    void SetTime(platform::LocalTime time) { time_ = time; }
    platform::LocalTime GetLocalTime() override { return time_; }

    using LONG = platform::LONG;
    using DWORD = platform::DWORD;
    using HKEY = platform::HKEY;
    using BYTE = platform::BYTE;
    using BOOL = platform::BOOL;
    using UINT = platform::UINT;

    LONG RegOpenKeyExA(HKEY k, const char* s, DWORD o, DWORD a, HKEY* r) override {
        return real_->RegOpenKeyExA(k, s, o, a, r);
    }
    LONG RegQueryInfoKeyA(HKEY k, DWORD* a, DWORD* b, DWORD* c, DWORD* d, DWORD* e) override {
        return real_->RegQueryInfoKeyA(k, a, b, c, d, e);
    }
    LONG RegEnumKeyExA(HKEY k, DWORD i, char* n, DWORD* l) override {
        return real_->RegEnumKeyExA(k, i, n, l);
    }
    LONG RegEnumValueA(HKEY k, DWORD i, char* n, DWORD* nl, DWORD* t, BYTE* d, DWORD* dl) override {
        return real_->RegEnumValueA(k, i, n, nl, t, d, dl);
    }
    LONG RegCreateKeyA(HKEY k, const char* s, HKEY* r) override {
        return real_->RegCreateKeyA(k, s, r);
    }
    LONG RegQueryValueExA(HKEY k, const char* n, DWORD* t, BYTE* d, DWORD* l) override {
        return real_->RegQueryValueExA(k, n, t, d, l);
    }
    LONG RegSetValueExA(HKEY k, const char* n, DWORD r, DWORD t, const BYTE* d, DWORD l) override {
        return real_->RegSetValueExA(k, n, r, t, d, l);
    }
    LONG RegDeleteValueA(HKEY k, const char* n) override { return real_->RegDeleteValueA(k, n); }
    LONG RegCloseKey(HKEY k) override { return real_->RegCloseKey(k); }
    using WCHAR = platform::WCHAR;
    LONG RegOpenKeyExW(HKEY k, const WCHAR* s, DWORD o, DWORD a, HKEY* r) override {
        return real_->RegOpenKeyExW(k, s, o, a, r);
    }
    LONG RegEnumKeyExW(HKEY k, DWORD i, WCHAR* n, DWORD* l) override {
        return real_->RegEnumKeyExW(k, i, n, l);
    }
    LONG RegEnumValueW(HKEY k, DWORD i, WCHAR* n, DWORD* nl, DWORD* t, BYTE* d,
                       DWORD* dl) override {
        return real_->RegEnumValueW(k, i, n, nl, t, d, dl);
    }
    LONG RegCreateKeyW(HKEY k, const WCHAR* s, HKEY* r) override {
        return real_->RegCreateKeyW(k, s, r);
    }
    LONG RegSetValueExW(HKEY k, const WCHAR* n, DWORD r, DWORD t, const BYTE* d, DWORD l) override {
        return real_->RegSetValueExW(k, n, r, t, d, l);
    }
    LONG RegDeleteValueW(HKEY k, const WCHAR* n) override { return real_->RegDeleteValueW(k, n); }
    std::uint64_t RegKeyIdentity(HKEY k) override { return real_->RegKeyIdentity(k); }
    platform::Status Commit() override { return real_->Commit(); }
    platform::Status DiscardChanges() override { return real_->DiscardChanges(); }
    platform::Status Refresh() override { return real_->Refresh(); }
    bool HasUncommittedChanges() const override { return real_->HasUncommittedChanges(); }
    platform::Status CanWrite() override { return real_->CanWrite(); }
    BOOL PathFileExistsA(const char* p) override { return real_->PathFileExistsA(p); }
    DWORD GetFileAttributesA(const char* p) override { return real_->GetFileAttributesA(p); }
    BOOL CreateDirectoryA(const char* p) override { return real_->CreateDirectoryA(p); }
    BOOL DeleteFileA(const char* p) override { return real_->DeleteFileA(p); }
    std::unique_ptr<platform::DirectorySearch> FindFirstFileA(const char* p) override {
        return real_->FindFirstFileA(p);
    }
    bool GetFolderIdentity(const char* p, platform::FolderId* id) override {
        return real_->GetFolderIdentity(p, id);
    }
    DWORD GetLogicalDriveStringsA(DWORD l, char* b) override {
        return real_->GetLogicalDriveStringsA(l, b);
    }
    UINT GetDriveTypeA(const char* r) override { return real_->GetDriveTypeA(r); }
    void SetDirectoryCaching(bool e) override { real_->SetDirectoryCaching(e); }
    void SetSearchProgress(std::function<bool()> p) override {
        real_->SetSearchProgress(std::move(p));
    }
    std::uint64_t DirectoryCacheGeneration() const override {
        return real_->DirectoryCacheGeneration();
    }
    DWORD ExpandEnvironmentStringsA(const char* s, char* d, DWORD n) override {
        return real_->ExpandEnvironmentStringsA(s, d, n);
    }
    UINT GetWindowsDirectoryA(char* b, UINT n) override {
        return real_->GetWindowsDirectoryA(b, n);
    }
    UINT GetSystemDirectoryA(char* b, UINT n) override { return real_->GetSystemDirectoryA(b, n); }
    UINT GetSystemWow64DirectoryA(char* b, UINT n) override {
        return real_->GetSystemWow64DirectoryA(b, n);
    }
    std::string Wow64RedirectedPath(std::string_view p) override {
        return real_->Wow64RedirectedPath(p);
    }
    DWORD ExpandEnvironmentStrings32A(const char* s, char* d, DWORD n) override {
        return real_->ExpandEnvironmentStrings32A(s, d, n);
    }
    std::string HostPathOf(const char* p, std::string* w) override {
        return real_->HostPathOf(p, w);
    }
    DWORD GetModuleFileNameA(void* m, char* b, DWORD n) override {
        return real_->GetModuleFileNameA(m, b, n);
    }
    std::unique_ptr<platform::TextFile> OpenTextFile(const char* p,
                                                     platform::TextFileMode m) override {
        return real_->OpenTextFile(p, m);
    }
    platform::Status ReplaceTextFile(const char* p, std::string_view t) override {
        return real_->ReplaceTextFile(p, t);
    }
    platform::Status UpdateTextFile(const char* p,
                                    const std::function<platform::Status()>& u) override {
        return real_->UpdateTextFile(p, u);
    }
    std::string GetShortcutTarget(const char* p) override { return real_->GetShortcutTarget(p); }
    std::string Description() const override { return real_->Description(); }
    std::string Warning() override { return real_->Warning(); }
    bool IsInstallationEntry(HKEY r, std::u16string_view k, std::u16string_view n,
                             std::u16string_view d) override {
        return real_->IsInstallationEntry(r, k, n, d);
    }
    bool ReadFileBytes(const char* p, std::string* b, platform::DWORD m) override {
        return real_->ReadFileBytes(p, b, m);
    }
    platform::Status CreateNewFile(const char* p, std::string_view b) override {
        return real_->CreateNewFile(p, b);
    }

private:
    std::unique_ptr<platform::Services> real_;
    platform::LocalTime time_;
};

}  // namespace repairtest
