#include "bench/generator/PrefixGenerator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "bench/generator/DriveTree.h"
#include "bench/generator/RegistryContent.h"

namespace bench::generator {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDefaultUser = "bench";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
    return text.size();
}

// The profile folder of an existing prefix: the first folder in drive_c/users other than
// Public, in name order so that the choice does not depend on the directory's order.
std::string ProfileName(const fs::path& users) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(users, ec))
        if (entry.is_directory() && entry.path().filename() != "Public")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names.empty() ? kDefaultUser : names.front();
}

// wineboot links Desktop, Documents, Templates, ... of the profiles to the host's home
// folder: the generated files must stay inside the prefix, and a walk of drive C: must walk
// the prefix only, as `find` does. Every link below users/ becomes an empty folder.
void UnlinkProfileFolders(const fs::path& users) {
    std::vector<fs::path> links;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(users, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_symlink()) links.push_back(it->path());
    for (const fs::path& link : links) {
        fs::remove(link);
        fs::create_directory(link);
    }
}

void MakeMinimalPrefix(const fs::path& dir) {
    fs::create_directories(dir / "dosdevices");
    fs::create_directories(dir / "drive_c" / "users" / kDefaultUser);
    std::error_code ec;
    fs::create_directory_symlink("../drive_c", dir / "dosdevices" / "c:", ec);
    if (ec && ec != std::errc::file_exists)
        throw std::runtime_error("cannot link drive C: in " + dir.string());
}

}  // namespace

GeneratorReport GeneratePrefix(const std::string& dirText, const GeneratorOptions& options) {
    const fs::path dir(dirText);
    const bool base = fs::exists(dir / "system.reg");
    if (!base) MakeMinimalPrefix(dir);
    for (const char* folder : {"windows/system32", "windows/Fonts", "windows/media", "windows/help",
                               "Program Files", "ProgramData", "users/Public"})
        fs::create_directories(dir / "drive_c" / folder);

    GeneratorReport report;
    report.userName = ProfileName(dir / "drive_c" / "users");
    UnlinkProfileFolders(dir / "drive_c" / "users");

    HiveSet hives;
    if (base) {
        hives.system.LoadBase(ReadFile(dir / "system.reg"));
        hives.user.LoadBase(ReadFile(dir / "user.reg"));
        hives.userDefault.LoadBase(ReadFile(dir / "userdef.reg"));
    }
    FilePlan plan;
    const std::size_t systemBefore = hives.system.KeyCount(), userBefore = hives.user.KeyCount();
    const std::size_t systemValuesBefore = hives.system.ValueCount();
    const std::size_t userValuesBefore = hives.user.ValueCount();
    GenerateContent(options, report.userName, hives, plan, report);
    report.systemKeys = hives.system.KeyCount() - systemBefore;
    report.userKeys = hives.user.KeyCount() - userBefore;
    report.systemValues = hives.system.ValueCount() - systemValuesBefore;
    report.userValues = hives.user.ValueCount() - userValuesBefore;

    report.systemBytes = WriteFile(dir / "system.reg", hives.system.Text("Machine"));
    report.userBytes = WriteFile(dir / "user.reg", hives.user.Text("User\\\\S-1-5-21-0-0-0-1000"));
    report.userDefaultBytes =
        WriteFile(dir / "userdef.reg", hives.userDefault.Text("User\\\\.Default"));

    const DriveTreeCounts counts = WriteDriveTree((dir / "drive_c").string(), plan);
    report.files = counts.files;
    report.folders = counts.folders;
    report.shortcuts = counts.shortcuts;
    return report;
}

}  // namespace bench::generator
