#include "repair/BackupLocation.h"

#include <array>
#include <vector>

namespace repair {

namespace {
constexpr platform::DWORD kModulePathSize = 1000;
}

std::string ProgramFolder(platform::Services& services) {
    std::array<char, kModulePathSize> buffer{};
    services.GetModuleFileNameA(nullptr, buffer.data(), kModulePathSize);
    buffer.back() = '\0';
    std::string path(buffer.data());
    const std::size_t cut = path.find_last_of("\\/");
    // Index 0 is never examined: a path whose only separator comes first stays whole.
    if (cut != std::string::npos && cut > 0) path.resize(cut + 1);
    return path;
}

std::string BackupFolder(const std::string& programFolder) {
    if (!programFolder.empty() && programFolder.back() == '\\') return programFolder + "backup";
    return programFolder + "\\backup";
}

std::string BackupFile(const std::string& backupFolder) {
    if (!backupFolder.empty() && backupFolder.back() == '\\') return backupFolder + "backup.txt";
    return backupFolder + "\\backup.txt";
}

std::string BackupFolder(platform::Services& services) {
    return BackupFolder(ProgramFolder(services));
}

std::string BackupFile(platform::Services& services) { return BackupFile(BackupFolder(services)); }

void CreateFolderPath(platform::Services& services, std::string path) {
    // Iterative rather than recursive: a hostile path of many thousand levels cannot exhaust
    // the stack. Collect the missing levels from the bottom up, then create them top down.
    std::vector<std::string> missing;
    for (;;) {
        if (!path.empty() && path.back() == '\\') path.pop_back();
        if (path.empty()) break;
        if (services.GetFileAttributesA(path.c_str()) != platform::INVALID_FILE_ATTRIBUTES) break;
        missing.push_back(path);
        const std::size_t slash = path.find_last_of('\\');
        if (slash == std::string::npos) break;
        path.resize(slash);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        services.CreateDirectoryA(it->c_str());
    }
}

}  // namespace repair
