// Text files, whole small files and atomic replacement: a temporary file beside the target,
// flushed to disk with FlushFileBuffers, then moved over it with MoveFileEx, which replaces
// the name in one step.
#include "platform/win32/Win32Services.h"

#include <chrono>

#include "platform/LineEnds.h"

namespace platform::win32 {
namespace {

constexpr std::size_t kBlock = 64 * 1024;

class Win32TextFile final : public TextFile {
public:
    explicit Win32TextFile(::HANDLE file) : file_(file) {}
    ~Win32TextFile() override { Close(); }

    bool ReadString(std::string& line) override {
        line.clear();
        bool any = false;
        for (;;) {
            if (next_ == buffer_.size() && !Fill()) break;
            any = true;
            const char c = buffer_[next_++];
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return true;
            }
            line.push_back(c);
        }
        return any;
    }

    bool WriteString(std::string_view text) override { return Write(ToCrLf(text)); }

    void SeekToEnd() override {
        if (file_.valid()) ::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_END);
        buffer_.clear();
        next_ = 0;
    }

    bool Close() override {
        if (file_.valid() && written_ && !::FlushFileBuffers(file_.get())) failed_ = true;
        file_.Reset();
        return !failed_;
    }

    // Writes all of `bytes`; false (and so a failed Close) when any of it could not be.
    bool Write(std::string_view bytes) {
        while (file_.valid() && !bytes.empty() && !failed_) {
            ::DWORD done = 0;
            const auto chunk = static_cast<::DWORD>(std::min(bytes.size(), kBlock));
            if (!::WriteFile(file_.get(), bytes.data(), chunk, &done, nullptr) || done == 0)
                failed_ = true;
            bytes.remove_prefix(done);
            written_ = true;
        }
        return file_.valid() && !failed_;
    }

private:
    bool Fill() {
        buffer_.resize(kBlock);
        next_ = 0;
        ::DWORD got = 0;
        if (!file_.valid() ||
            !::ReadFile(file_.get(), buffer_.data(), static_cast<::DWORD>(kBlock), &got, nullptr))
            got = 0;
        buffer_.resize(got);
        return got > 0;
    }

    Handle file_;
    std::string buffer_;
    std::size_t next_ = 0;
    bool failed_ = false;
    bool written_ = false;
};

std::string WriteErrorText(::DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    case ERROR_WRITE_PROTECT: return "the disk is read-only";
    case ERROR_ACCESS_DENIED: return "access to the folder is denied";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "the folder does not exist";
    default: return ErrorText(error);
    }
}

LONG CodeFor(::DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return ERROR_ACCESS_DENIED;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_WRITE_FAULT;
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t split = path.find_last_of("\\/");
    return split == std::string::npos ? std::string(".") : path.substr(0, split);
}

// A new file of Drennow's own in `folder`, named ".drennow-<pid>-<n>.tmp" as on Linux.
::HANDLE CreateTempFile(const std::string& folder, std::wstring& path) {
    // The number only has to differ between attempts and between files of one process.
    auto n = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = WidePath((folder + "\\.drennow-" + std::to_string(::GetCurrentProcessId()) + "-" +
                         std::to_string(n++ % 1000000000ull) + ".tmp")
                            .c_str());
        const ::HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Writes `bytes` into a new temporary file beside `path` and flushes it; its name in `temp`.
// The Win32 error when that failed (the temporary file is gone then), else 0.
::DWORD WriteTempFile(const std::string& path, std::string_view bytes, std::wstring& temp) {
    const ::HANDLE file = CreateTempFile(FolderOf(path), temp);
    if (file == INVALID_HANDLE_VALUE) return ::GetLastError();
    Win32TextFile writer(file);
    const bool written = writer.Write(bytes);
    const ::DWORD error = written ? 0 : ::GetLastError();
    if (!writer.Close() || !written) {
        ::DeleteFileW(temp.c_str());
        return error ? error : static_cast<::DWORD>(ERROR_WRITE_FAULT);
    }
    return 0;
}

// Writes `bytes` into a temporary file beside `path` and moves it to `target` with
// MoveFileEx's `flags`; the Win32 error when either failed (no temporary file is left), else 0.
::DWORD MoveNewFileTo(const std::string& path, std::string_view bytes, const std::wstring& target,
                      ::DWORD flags) {
    std::wstring temp;
    if (const ::DWORD error = WriteTempFile(path, bytes, temp)) return error;
    if (::MoveFileExW(temp.c_str(), target.c_str(), flags)) return 0;
    const ::DWORD error = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    return error;
}

}  // namespace

std::unique_ptr<TextFile> Win32Services::OpenTextFile(const char* path, TextFileMode mode) {
    const ::DWORD access = mode == TextFileMode::Read ? GENERIC_READ : GENERIC_WRITE;
    const ::DWORD disposition = mode == TextFileMode::Read          ? OPEN_EXISTING
                                : mode == TextFileMode::CreateWrite ? CREATE_ALWAYS
                                                                    : OPEN_ALWAYS;
    // A file being read may be replaced meanwhile, as on Linux: the reader keeps the old one.
    const ::DWORD share = mode == TextFileMode::Read
                              ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                              : FILE_SHARE_READ;
    const ::HANDLE file = ::CreateFileW(WidePath(path).c_str(), access, share, nullptr, disposition,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    auto text = std::make_unique<Win32TextFile>(file);
    if (mode == TextFileMode::Append) text->SeekToEnd();
    return text;
}

Status Win32Services::ReplaceTextFile(const char* path, std::string_view text) {
    const std::string name = path ? path : "";
    const std::wstring target = WidePath(path);
    const ::DWORD old = ::GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {ERROR_ACCESS_DENIED, "Could not write " + name +
                                         ": a folder of that name is in the way. The file was "
                                         "left as it was."};
    const ::DWORD error = MoveNewFileTo(name, ToCrLf(text), target,
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (error)
        return {CodeFor(error), "Could not write " + name + ": " + WriteErrorText(error) +
                                    ". The file was left as it was."};
    return Status::Success();
}

Status Win32Services::UpdateTextFile(const char* path, const std::function<Status()>& update) {
    // Every Drennow of this session that replaces files in the folder takes the same mutex,
    // named after the folder; Windows releases it if its holder dies.
    std::wstring folder = WidePath(FolderOf(path ? path : "").c_str());
    ::CharUpperBuffW(folder.data(), static_cast<::DWORD>(folder.size()));
    std::wstring name = L"Local\\Norlix-Drennow-";
    for (const wchar_t c : folder) name += c == L'\\' ? L'/' : c;
    if (name.size() >= MAX_PATH) name.resize(MAX_PATH - 1);
    const Handle mutex(::CreateMutexW(nullptr, FALSE, name.c_str()));
    const bool held = mutex.valid() && ::WaitForSingleObject(mutex.get(), INFINITE) != WAIT_FAILED;
    Status status = update();
    if (held) ::ReleaseMutex(mutex.get());
    return status;
}

bool Win32Services::ReadFileBytes(const char* path, std::string* bytes, DWORD maxBytes) {
    const Handle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileSizeEx(file.get(), &size) || size.QuadPart > maxBytes)
        return false;
    std::string read;
    char block[16 * 1024];
    for (;;) {
        ::DWORD got = 0;
        if (!::ReadFile(file.get(), block, sizeof block, &got, nullptr)) return false;
        if (got == 0) break;
        read.append(block, got);
        if (read.size() > maxBytes) return false;  // grew while being read
    }
    if (bytes) *bytes = std::move(read);
    return true;
}

Status Win32Services::CreateNewFile(const char* path, std::string_view bytes) {
    const std::string name = path ? path : "";
    const std::wstring target = WidePath(path);
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
        return {ERROR_FILE_EXISTS, name + ": a file of that name exists there now"};
    // Without MOVEFILE_REPLACE_EXISTING the move never goes over a file that appeared since.
    const ::DWORD error = MoveNewFileTo(name, bytes, target, MOVEFILE_WRITE_THROUGH);
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return {ERROR_FILE_EXISTS, name + ": a file of that name exists there now"};
    if (error == ERROR_PATH_NOT_FOUND)
        return {ERROR_PATH_NOT_FOUND, name + ": its folder does not exist"};
    if (error)
        return {ERROR_WRITE_FAULT, name + ": could not be written: " + WriteErrorText(error)};
    return Status::Success();
}

}  // namespace platform::win32
