#include "platform/wine/install/InstallationLocator.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform::wine {
namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// The library holding Wine's font registration below a `wine` library folder: win32u's Unix
// half since Wine 7, gdi32's before.
std::string FontModuleIn(const fs::path& wineLib) {
    static const char* const kNames[] = {"win32u.so", "gdi32.so", "gdi32.dll.so"};
    std::vector<fs::path> folders{wineLib};
    std::error_code ec;
    for (fs::directory_iterator it(wineLib, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().ends_with("-unix"))
            folders.insert(folders.begin(), it->path());
    for (const fs::path& folder : folders)
        for (const char* name : kNames)
            if (IsFile(folder / name)) return (folder / name).string();
    return {};
}

// lib/wine, lib64/wine, lib/<multiarch triplet>/wine (Debian), ... below the root.
std::string FindFontModule(const fs::path& root) {
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->path().filename().string().starts_with("lib") || !IsFolder(it->path())) continue;
        if (IsFolder(it->path() / "wine"))
            if (std::string found = FontModuleIn(it->path() / "wine"); !found.empty()) return found;
        std::error_code inner;
        for (fs::directory_iterator sub(it->path(), inner), stop; !inner && sub != stop;
             sub.increment(inner))
            if (IsFolder(sub->path() / "wine"))
                if (std::string found = FontModuleIn(sub->path() / "wine"); !found.empty())
                    return found;
    }
    return {};
}

std::optional<InstallationPlace> AtRoot(const fs::path& root) {
    if (!IsFile(root / "share" / "wine" / "wine.inf")) return std::nullopt;
    return InstallationPlace{(root / "share" / "wine").string(), FindFontModule(root)};
}

// A root, or a Proton build's own folder, whose Wine lies in files/ (dist/ before Proton 5).
std::optional<InstallationPlace> AtRootOrProton(const fs::path& root) {
    for (const fs::path& folder : {root, root / "files", root / "dist"})
        if (auto place = AtRoot(folder)) return place;
    return std::nullopt;
}

// The installation a wine program belongs to: share/wine beside its bin folder, first of
// the program as named, then of the file its links lead to.
std::optional<InstallationPlace> OfProgram(const fs::path& program) {
    if (auto place = AtRoot(program.parent_path().parent_path())) return place;
    std::error_code ec;
    const fs::path real = fs::canonical(program, ec);
    if (!ec)
        if (auto place = AtRoot(real.parent_path().parent_path())) return place;
    return std::nullopt;
}

// The installation of the program `name` found first on `path` that has one.
std::optional<InstallationPlace> ProgramOnPath(const std::string& name, const std::string& path,
                                               std::string& note) {
    bool sawWine = false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        const fs::path program = fs::path(path.substr(start, end - start)) / name;
        if (end > start && IsFile(program)) {
            if (auto place = OfProgram(program)) return place;
            sawWine = true;
        }
        start = end + 1;
    }
    // Debian's layout, for a wine on PATH that leads into /usr/lib/wine.
    if (sawWine)
        if (auto place = AtRoot("/usr")) return place;
    note = "No Wine installation found (no " + name +
           " on PATH with a share/wine/wine.inf), "
           "so Wine's own entries are reported too; name one with --wine DIR or WINE=DIR.";
    return std::nullopt;
}

}  // namespace

std::optional<InstallationPlace> InstallationAt(const std::string& root) {
    return root.empty() ? std::nullopt : AtRootOrProton(root);
}

std::string InstallationRoot(const InstallationPlace& place) {
    return fs::path(place.dataDir).parent_path().parent_path().string();
}

std::optional<InstallationPlace> LocateInstallation(const std::string& choice,
                                                    const std::string& path, std::string& note) {
    // A bare program name (WINE=wine64) is looked for on PATH like `wine` itself.
    if (!choice.empty() && choice.find('/') == std::string::npos && !IsFolder(choice) &&
        !IsFile(choice))
        return ProgramOnPath(choice, path, note);
    if (!choice.empty()) {
        std::optional<InstallationPlace> place = IsFolder(choice) ? AtRootOrProton(choice)
                                                 : IsFile(choice) ? OfProgram(choice)
                                                                  : std::nullopt;
        if (!place)
            note = "No Wine installation at " + choice +
                   " (no share/wine/wine.inf there), so Wine's own entries are reported too.";
        return place;
    }
    return ProgramOnPath("wine", path, note);
}

std::optional<InstallationPlace> LocateInstallation(const std::string& wineOption,
                                                    std::string& note) {
    const char* env = std::getenv("WINE");
    const char* path = std::getenv("PATH");
    return LocateInstallation(!wineOption.empty() ? wineOption
                              : env               ? env
                                                  : "",
                              path ? path : "", note);
}

}  // namespace platform::wine
