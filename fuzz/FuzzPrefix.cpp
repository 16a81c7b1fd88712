#include "fuzz/FuzzPrefix.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/wine/WinePrefix.h"

namespace fuzzing {
namespace fs = std::filesystem;
namespace {

constexpr const char* kHiveHeaders[][2] = {
    {"system.reg", "REGISTRY\\\\Machine"},
    {"user.reg", "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000"},
    {"userdef.reg", "REGISTRY\\\\User\\\\.Default"},
};

// Files below drive_c; folders come from their paths.
constexpr const char* kFiles[] = {
    "windows/system32/notepad.exe",
    "windows/system32/drivers/etc/hosts",
    "windows/Fonts/tahoma.ttf",
    "windows/media/ding.wav",
    "Program Files/App Dir/tool.exe",
    "Program Files/App Dir/Read Me.txt",
    "Program Files/Norlix Drennow/Norlix Drennow.exe",
    "Mixed/UPPER.TXT",
    "Mixed/lower.dll",
    "a.b/c.d",
    "dots.../x",
    "users/fuzz/Desktop/app.lnk",
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz prefix: %s\n", what.c_str());
    std::abort();
}

}  // namespace

FuzzPrefix::FuzzPrefix() {
    std::string pattern = (fs::temp_directory_path() / "drennow-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) Fail("cannot make a temporary folder");
    dir_ = pattern;
    const fs::path root(dir_);
    fs::create_directories(root / "dosdevices");
    fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    fs::create_directories(root / "drive_c" / "Program Files" / "Norlix Drennow" / "backup");
    fs::create_directories(root / "drive_c" / "empty folder.d");
    for (const char* file : kFiles) WriteFile((root / "drive_c" / file).string(), "x");
    for (const auto& [name, branch] : kHiveHeaders)
        WriteFile((root / name).string(),
                  std::string("WINE REGISTRY Version 2\n;; All keys relative to ") + branch +
                      "\n\n#arch=win64\n");
}

FuzzPrefix::~FuzzPrefix() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

std::string FuzzPrefix::BackupFile() const {
    return dir_ + "/drive_c/Program Files/Norlix Drennow/backup/backup.txt";
}

void FuzzPrefix::WriteFile(const std::string& hostPath, std::string_view bytes) {
    fs::create_directories(fs::path(hostPath).parent_path());
    std::ofstream file(hostPath, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) Fail("cannot write " + hostPath);
}

std::unique_ptr<platform::Services> FuzzPrefix::Open() const {
    platform::Status status;
    auto services = platform::wine::OpenPrefix(dir_, status);
    if (!services) Fail("cannot open " + dir_ + ": " + status.message);
    return services;
}

}  // namespace fuzzing
