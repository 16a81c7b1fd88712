#pragma once
// A small real Wine prefix in a fresh temporary folder, made once per fuzzing process: the
// drive link, the Windows folders, three hive files with Wine's headers, the backup folder
// and a few files and folders whose names exercise the path lookup (spaces, dots, letter
// case). Removed again when the object goes.
#include <memory>
#include <string>
#include <string_view>

#include "platform/Services.h"

namespace fuzzing {

class FuzzPrefix {
public:
    FuzzPrefix();
    ~FuzzPrefix();
    FuzzPrefix(const FuzzPrefix&) = delete;
    FuzzPrefix& operator=(const FuzzPrefix&) = delete;

    const std::string& Dir() const { return dir_; }
    // Host path of the backup file a restore reads.
    std::string BackupFile() const;
    // Replaces a host file's bytes; aborts when it cannot (the fuzzer would test nothing).
    static void WriteFile(const std::string& hostPath, std::string_view bytes);
    // The prefix through the real backend; aborts when it cannot be opened.
    std::unique_ptr<platform::Services> Open() const;

private:
    std::string dir_;
};

}  // namespace fuzzing
