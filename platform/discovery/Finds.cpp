#include "platform/discovery/Finds.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/codepage/Ascii.h"

namespace platform::discovery {
namespace {

constexpr std::uintmax_t kMaxLauncherFile = 16u << 20;  // real ones are kilobytes

}  // namespace

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

FoundPrefix MakePrefix(const fs::path& path, Kind kind, std::string name,
                       std::optional<std::string> id) {
    FoundPrefix prefix;
    prefix.path = path.string();
    prefix.kind = kind;
    prefix.name = std::move(name);
    prefix.id = std::move(id);
    return prefix;
}

void Finds::Add(FoundPrefix prefix, const std::string& what) {
    std::error_code ec;
    const fs::path given = prefix.path;
    if (!fs::exists(fs::symlink_status(given, ec))) {
        Note(what + ": " + given.string() + " does not exist");
        return;
    }
    const fs::path resolved = fs::canonical(given, ec);
    if (ec) {
        Note(what + ": " + given.string() + " cannot be resolved (" + ec.message() + ")");
        return;
    }
    if (!IsFolder(resolved)) {
        Note(what + ": " + resolved.string() + " is no folder");
        return;
    }
    if (!IsFile(resolved / "system.reg") || !IsFolder(resolved / "drive_c")) {
        Note(what + ": " + resolved.string() + " is no Wine prefix (no system.reg and drive_c)");
        return;
    }
    prefix.path = resolved.string();
    prefixes_.push_back(std::move(prefix));
}

bool ReadSmallFile(const fs::path& path, std::string& text) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || size > kMaxLauncherFile) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream out;
    out << in.rdbuf();
    if (in.bad()) return false;
    text = std::move(out).str();
    return true;
}

fs::path MatchPathNoCase(const fs::path& base, const fs::path& relative) {
    fs::path at = base;
    for (const fs::path& part : relative) {
        if (part.empty() || part == "/") continue;
        std::error_code ec;
        if (fs::exists(at / part, ec) || !IsFolder(at)) {
            at /= part;
            continue;
        }
        fs::path match = at / part;
        for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec))
            if (codepage::EqualsNoCase(it->path().filename().string(), part.string())) {
                match = it->path();
                break;
            }
        at = match;
    }
    return at;
}

std::vector<fs::path> FolderEntries(const fs::path& folder, Finds& finds) {
    std::vector<fs::path> entries;
    std::error_code ec;
    if (!fs::exists(folder, ec)) return entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    if (ec) finds.Note(folder.string() + " cannot be read (" + ec.message() + ")");
    std::sort(entries.begin(), entries.end());
    return entries;
}

fs::path ExpandHome(const std::string& text, const std::string& home) {
    if (text == "~" || text == "$HOME") return home;
    if (text.starts_with("~/")) return fs::path(home) / text.substr(2);
    if (text.starts_with("$HOME/")) return fs::path(home) / text.substr(6);
    const fs::path path(text);
    return path.is_absolute() ? path : fs::path(home) / path;
}

}  // namespace platform::discovery
