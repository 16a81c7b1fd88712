#pragma once
// The one narrow interface between Drennow and the machine: registry, files, drives,
// environment, time and shortcuts. Member functions keep the Win32 names and shapes; strings
// are "A" strings (Windows-1252 bytes) except in the W calls, buffers and in/out lengths behave as
// on Windows.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

// Outcome of an operation that can fail for a reason the user must hear about.
struct Status {
    LONG code = ERROR_SUCCESS;
    std::string message;  // empty on success; a whole sentence otherwise
    bool ok() const { return code == ERROR_SUCCESS; }
    static Status Success() { return {}; }
};

// Identity of a physical folder, so that a walk never enters the same folder twice.
struct FolderId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderId&) const = default;
};

// One entry of a directory search.
struct FindEntry {
    std::string name;        // file name, "." and ".." included as the search yields them
    std::string path;        // full Windows path: the searched folder, "\" and the name
    bool directory = false;  // links followed
    // The "A" name is not the file's exact name (a character outside Windows-1252 became "?"
    // or a look-alike): `path` may name another file, or none.
    bool inexactName = false;
    // A folder a walk over the drives does not enter: another prefix, the home folder, or a
    // link out of the prefix other than the profile's own folder links.
    bool leavesPrefix = false;
    bool IsDots() const { return name == "." || name == ".."; }
};

// A directory search in progress (the framework's file finder). Entries come in the order
// Wine lists them: "." and ".." first (a drive root has neither), then by name ignoring case.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    // Fills `entry` with the next entry; false when there is none left.
    virtual bool Next(FindEntry& entry) = 0;
    // Identity of the searched folder itself, as GetFileInformationByHandle gives it for the
    // folder's open handle; zero when unknown. Not part of Win32's finder: a walk that must
    // enter each physical folder once learns it from the folder it opened anyway, instead of
    // asking about every subfolder from its parent.
    virtual FolderId FolderIdentity() const = 0;
};

// A text file opened in text mode (the framework's text-file class).
class TextFile {
public:
    virtual ~TextFile() = default;
    // Reads one line without its line end (CR LF or LF); the last line counts without one.
    // False at the end of the file.
    virtual bool ReadString(std::string& line) = 0;
    // Writes the text; every LF becomes CR LF. False when the write failed.
    virtual bool WriteString(std::string_view text) = 0;
    virtual void SeekToEnd() = 0;
    // Flushes and closes; false when data could not be written.
    virtual bool Close() = 0;
};

enum class TextFileMode {
    Read,         // existing file, reading
    CreateWrite,  // create or truncate, writing
    Append        // existing or new file, writing at the end
};

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Services {
public:
    virtual ~Services() = default;

    // ---- Registry -------------------------------------------------------------------------
    virtual LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD samDesired,
                               HKEY* result) = 0;
    // Any out pointer may be null. Lengths are in characters without the terminating zero,
    // data lengths in bytes, as on Windows.
    virtual LONG RegQueryInfoKeyA(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* values,
                                  DWORD* maxValueNameLen, DWORD* maxValueLen) = 0;
    // `nameLength` in: buffer size in characters including the zero; out: length without it.
    virtual LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength) = 0;
    // `data` and `dataLength` may be null; `dataLength` in: buffer size, out: bytes stored or
    // needed (ERROR_MORE_DATA when the buffer is too small).
    virtual LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type,
                               BYTE* data, DWORD* dataLength) = 0;
    // Opens the key, creating it and every missing key above it.
    virtual LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
    virtual LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                  DWORD* dataLength) = 0;
    virtual LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                                const BYTE* data, DWORD dataLength) = 0;
    virtual LONG RegDeleteValueA(HKEY key, const char* valueName) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;
    // Identity of the key an open handle reaches once links are followed (the key object
    // whose name NtQueryKey's KeyNameInformation gives); zero when unknown. A walk that
    // follows links learns from it when a link leads back to a key it is inside.
    virtual std::uint64_t RegKeyIdentity(HKEY key) = 0;

    // The W calls: names and paths as stored, in UTF-16, so a name outside the A code page
    // (which the A calls show with best-fit letters or "?") still names exactly one key or
    // value. String data is UTF-16 with its terminating zero unit, lengths as above but in
    // WCHARs for names.
    virtual LONG RegOpenKeyExW(HKEY key, const WCHAR* subKey, DWORD options, DWORD samDesired,
                               HKEY* result) = 0;
    virtual LONG RegEnumKeyExW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength) = 0;
    virtual LONG RegEnumValueW(HKEY key, DWORD index, WCHAR* name, DWORD* nameLength, DWORD* type,
                               BYTE* data, DWORD* dataLength) = 0;
    virtual LONG RegCreateKeyW(HKEY key, const WCHAR* subKey, HKEY* result) = 0;
    virtual LONG RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD reserved, DWORD type,
                                const BYTE* data, DWORD dataLength) = 0;
    virtual LONG RegDeleteValueW(HKEY key, const WCHAR* valueName) = 0;

    // Writes every changed hive to disk. Until then changes live in memory only. A failure
    // leaves every hive file as it was, except with ERROR_WRITE_FAULT: some were replaced.
    virtual Status Commit() = 0;
    // Drops every change Commit() has not written, reading the registry again from the hive
    // files, so that a failed save leaves nothing behind for a later one to write. Open
    // handles become invalid. When the files cannot be read again, every later write is
    // refused.
    virtual Status DiscardChanges() = 0;
    // True when the registry holds changes that Commit() has not written yet.
    virtual bool HasUncommittedChanges() const = 0;
    // Whether writing is allowed now (the prefix is this user's, no server running, hives
    // loaded cleanly and unchanged on disk since they were read); the status says why not,
    // with ERROR_LOCK_VIOLATION when another program changed the registry since it was read
    // (scan again).
    virtual Status CanWrite() = 0;
    // Brings what was read up to date with the machine, at the start of a scan: a hive file
    // another program changed since it was read is read again (open handles become invalid
    // then, as with DiscardChanges). Changes not yet committed are kept, and nothing is read
    // then. On failure the status says why, and what was read stays.
    virtual Status Refresh() = 0;

    // ---- Files, folders, drives ----------------------------------------------------------
    virtual BOOL PathFileExistsA(const char* path) = 0;
    virtual DWORD GetFileAttributesA(const char* path) = 0;
    virtual BOOL CreateDirectoryA(const char* path) = 0;
    virtual BOOL DeleteFileA(const char* path) = 0;
    // Pattern such as "C:\dir\*.*". Null when the folder cannot be searched or nothing matches.
    virtual std::unique_ptr<DirectorySearch> FindFirstFileA(const char* pattern) = 0;
    // Called now and then while FindFirstFileA reads and orders a large folder, so that the
    // caller can hand its events on; when it returns false the search gives up and
    // FindFirstFileA returns null. Empty: never called. A backend whose search yields the
    // entries one by one as it reads them (FindFirstFile, then FindNextFile) need not call it.
    virtual void SetSearchProgress(std::function<bool()> progress) = 0;
    // Identity of the folder a Windows path names; false when it is not a folder.
    virtual bool GetFolderIdentity(const char* path, FolderId* id) = 0;
    virtual DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) = 0;
    virtual UINT GetDriveTypeA(const char* rootPath) = 0;
    // Turns caching of directory listings and of the drive list and drive types on for the
    // length of one scan, or off again (which drops everything cached).
    virtual void SetDirectoryCaching(bool enabled) = 0;
    // Zero while caching is off; otherwise a number that changes whenever the cached listings
    // are dropped (a file or folder written or deleted through these services). No Win32
    // call has this shape: it lets the engine keep answers it derives from the file calls
    // (whole existence tests) exactly as long as the listings behind them are kept.
    virtual std::uint64_t DirectoryCacheGeneration() const = 0;

    // ---- Environment and folders ---------------------------------------------------------
    virtual DWORD ExpandEnvironmentStringsA(const char* source, char* destination, DWORD size) = 0;
    virtual UINT GetWindowsDirectoryA(char* buffer, UINT size) = 0;
    virtual UINT GetSystemDirectoryA(char* buffer, UINT size) = 0;
    // The folder of a 32-bit program's system files ("C:\windows\syswow64") where 32-bit
    // programs run beside 64-bit ones (a 64-bit prefix or Windows); 0 where there is no such
    // second view of the machine, as GetSystemWow64DirectoryA answers on 32-bit Windows.
    virtual UINT GetSystemWow64DirectoryA(char* buffer, UINT size) = 0;
    // The path a 32-bit program reaches when it opens `path`, named as this program would open
    // it: "C:\windows\system32\x" is "C:\windows\syswow64\x" (but for the exempt
    // subfolders), "C:\windows\sysnative\x" is "C:\windows\system32\x". `path` as it is
    // where nothing is redirected. Win32 has no call for it: a 64-bit program is never
    // redirected, and a 32-bit one cannot see past its redirection.
    virtual std::string Wow64RedirectedPath(std::string_view path) = 0;
    // ExpandEnvironmentStringsA in the environment a 32-bit program of the machine gets
    // (ProgramFiles is "C:\Program Files (x86)", ...); the program's own environment where
    // there is no 32-bit view.
    virtual DWORD ExpandEnvironmentStrings32A(const char* source, char* destination,
                                              DWORD size) = 0;
    // Where a Windows path lies on the machine that holds the files, for telling the user
    // what was looked for: the host path (UTF-8) the folders that exist lead to, matched as
    // the file calls match them, with the missing rest as given; or empty with `why` saying
    // why there is none ("there is no drive Q:", a UNC path). `why` may also hold a note
    // beside a host path (a network drive). Win32 has no call for it; on Windows the files
    // are the machine's own and the path is its own host path.
    virtual std::string HostPathOf(const char* path, std::string* why) = 0;
    // The running program's path inside the machine; `module` is ignored (always ours).
    virtual DWORD GetModuleFileNameA(void* module, char* buffer, DWORD size) = 0;

    // ---- Text files, time ----------------------------------------------------------------
    virtual std::unique_ptr<TextFile> OpenTextFile(const char* path, TextFileMode mode) = 0;
    // Replaces the whole file atomically with `text` written in text mode (LF as CR LF):
    // temporary file, flush to disk, rename. On failure the old file is untouched.
    virtual Status ReplaceTextFile(const char* path, std::string_view text) = 0;
    // Runs `update`, a read of the file `path` names and its ReplaceTextFile, while every
    // other Drennow waits to replace files in that folder: a file read, changed and written
    // back cannot lose what another Drennow wrote in between. Returns what `update` returns.
    virtual Status UpdateTextFile(const char* path, const std::function<Status()>& update) = 0;
    virtual LocalTime GetLocalTime() = 0;

    // ---- Shortcuts -----------------------------------------------------------------------
    // The target of a shortcut file as the shell's IShellLinkA::GetPath gives it after
    // Resolve; empty when the file cannot be read. Never writes the file.
    virtual std::string GetShortcutTarget(const char* path) = 0;

    // ---- About the machine ---------------------------------------------------------------
    // A short description of what is open, such as the prefix folder.
    virtual std::string Description() const = 0;
    // A warning to show while the data may be stale (a running wineserver) or nothing can be
    // written (another user's prefix); empty when none.
    virtual std::string Warning() = 0;

    // ---- Wine's own entries --------------------------------------------------------------
    // True when the prefix's Wine installation itself writes this value into every prefix
    // (so it is no leftover). `subKey` is the path below `root` as stored, `data` the
    // value's text (empty for a value that holds no text).
    virtual bool IsInstallationEntry(HKEY root, std::u16string_view subKey,
                                     std::u16string_view valueName, std::u16string_view data) = 0;

    // ---- Whole small files (the copies of shortcut files a backup keeps) ------------------
    // Reads the file's bytes; false when it is no file, cannot be read or holds more than
    // `maxBytes` bytes.
    virtual bool ReadFileBytes(const char* path, std::string* bytes, DWORD maxBytes) = 0;
    // Creates the file holding `bytes`, atomically (it appears whole or not at all) and never
    // over anything that stands at that name: ERROR_FILE_EXISTS then. The folder must exist.
    virtual Status CreateNewFile(const char* path, std::string_view bytes) = 0;
};

}  // namespace platform
