#include "platform/DataFiles.h"

#include <system_error>

namespace platform {
namespace fs = std::filesystem;

fs::path ProgramFolder() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : program.parent_path();
}

fs::path SharedDataFolder() {
    return (ProgramFolder() / ".." / "share" / "drennow").lexically_normal();
}

fs::path SharedDataFileFrom(const fs::path& folder, std::string_view name) {
    if (folder.empty()) return {};
    std::error_code ec;
    // Canonical, so a symbolic link of the build folder is followed once here and a copy of
    // the demo prefix copies the folder, not the link.
    const fs::path found = fs::canonical(folder / ".." / "share" / "drennow" / fs::path(name), ec);
    return ec ? fs::path() : found;
}

fs::path SharedDataFile(std::string_view name) { return SharedDataFileFrom(ProgramFolder(), name); }

}  // namespace platform
