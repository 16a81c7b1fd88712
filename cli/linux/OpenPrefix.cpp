// Opening what drennow-cli works on in the Linux build: a Wine prefix folder, or a fresh copy
// of the demo prefix.
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "cli/Options.h"
#include "cli/Target.h"
#include "platform/DataFiles.h"
#include "platform/discovery/PrefixWine.h"
#include "platform/wine/WinePrefix.h"

namespace cli {
namespace fs = std::filesystem;

void RestrictToTarget(CLI::Option&) {}

std::unique_ptr<TempFolder> TempFolder::Create(const std::string& stem, std::string& error) {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / (stem + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        error = "Cannot make a temporary folder in " + base.string() + ".";
        return nullptr;
    }
    return std::unique_ptr<TempFolder>(new TempFolder(pattern));
}

std::string ChosenPrefixDir(const GlobalOptions& options) {
    if (!options.prefix.empty()) return options.prefix;
    if (options.demo) {
        const fs::path found = platform::SharedDataFile("demo-prefix");
        return found.empty() ? (platform::SharedDataFolder() / "demo-prefix").string()
                             : found.string();
    }
    if (const char* env = std::getenv("WINEPREFIX"); env && *env) return env;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.wine";
    return ".wine";
}

bool OpenChosenPrefix(const GlobalOptions& options, OpenedPrefix& opened, std::string& error) {
    std::error_code ec;
    fs::path dir = fs::absolute(ChosenPrefixDir(options), ec);
    if (ec) dir = ChosenPrefixDir(options);
    if (options.demo && options.prefix.empty()) {
        if (!fs::is_directory(dir)) {
            error = "The demo prefix " + dir.string() + " is missing.";
            return false;
        }
        // Scans and repairs of the demo work on a copy, so the shipped prefix never changes.
        // Not named as the desktop program's copies: a start of it removes those that hold
        // no lock, and this one holds none.
        opened.temp = TempFolder::Create("drennow-cli-demo", error);
        if (!opened.temp) return false;
        const fs::path copy = opened.temp->Path() / "prefix";
        fs::copy(dir, copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
        if (ec) {
            error = "Cannot copy the demo prefix to " + copy.string() + ": " + ec.message() + ".";
            return false;
        }
        dir = copy;
    }
    opened.dir = dir.lexically_normal().string();
    if (opened.dir.size() > 1 && opened.dir.back() == '/') opened.dir.pop_back();
    platform::discovery::PrefixWine wine = platform::discovery::WineForPrefix(
        opened.dir, platform::discovery::WineSearchFromEnvironment(options.wine));
    opened.wine = wine.root;
    opened.note = wine.note;
    platform::Status status;
    opened.services = platform::wine::OpenPrefix(opened.dir, status, std::move(wine.place));
    if (!opened.services) {
        error = status.message.empty() ? "Cannot open the Wine prefix " + opened.dir + "."
                                       : status.message;
        return false;
    }
    return true;
}

}  // namespace cli
