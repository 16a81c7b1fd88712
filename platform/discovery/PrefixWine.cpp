#include "platform/discovery/PrefixWine.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/codepage/Ascii.h"

namespace platform::discovery {
namespace {

namespace fs = std::filesystem;

std::string_view LauncherName(Kind kind) {
    switch (kind) {
    case Kind::Steam: return "Steam";
    case Kind::Lutris: return "Lutris";
    case Kind::Bottles: return "Bottles";
    case Kind::Heroic: return "Heroic";
    case Kind::PlayOnLinux: return "PlayOnLinux";
    default: return "its launcher";
    }
}

// The build's own name: "Proton 8.0" for .../Proton 8.0/files, the runner's folder otherwise.
std::string BuildName(const std::string& build) {
    fs::path path = fs::path(build).lexically_normal();
    if (!path.has_filename()) path = path.parent_path();
    if (path.filename() == "files" || path.filename() == "dist") path = path.parent_path();
    return path.filename().string();
}

// The prefix found at the real path of `prefixDir`, if a launcher keeps it.
std::optional<FoundPrefix> FoundAt(const std::string& prefixDir, const SearchPlaces& places) {
    std::error_code ec;
    const fs::path real = fs::canonical(prefixDir, ec);
    if (ec) return std::nullopt;
    Discovery found = DiscoverPrefixes(places);
    for (FoundPrefix& prefix : found.prefixes)
        if (prefix.path == real.string()) return std::move(prefix);
    return std::nullopt;
}

// The rule, for a prefix a launcher keeps (null: one no launcher keeps).
PrefixWine Choose(const FoundPrefix* prefix, const WineSearch& search) {
    PrefixWine wine;
    std::string source;   // how the judging installation was chosen
    std::string missing;  // why none was found
    if (!search.named.empty()) {
        wine.place = wine::LocateInstallation(search.named, search.path, missing);
        source = "named by " + search.namedBy;
    } else {
        if (prefix && prefix->wine) {
            wine.recorded = *prefix->wine;
            wine.place = wine::InstallationAt(wine.recorded);
            wine.recordedGone = !wine.place;
            source =
                "the build " + std::string(LauncherName(prefix->kind)) + " records for this prefix";
        }
        if (!wine.place) {
            wine.place = wine::LocateInstallation(std::string(), search.path, missing);
            source = "the wine on PATH";
        }
    }
    if (wine.place) {
        wine.root = wine::InstallationRoot(*wine.place);
        wine.note = "Wine's own entries are those of " + wine.root + " (" + source + ").";
    } else {
        wine.note = missing;
        wine.brief = "no Wine installation found: Wine's own entries are reported too";
    }
    if (wine.recordedGone) {
        // Judged with the system's Wine after all: both builds are named.
        const std::string launcher(LauncherName(prefix->kind));
        std::error_code ec;
        const bool folderLeft = fs::exists(wine.recorded, ec);
        if (!missing.empty()) missing[0] = codepage::AsciiLower(missing[0]);
        wine.note = "The build " + launcher + " records for this prefix, " + wine.recorded +
                    (folderLeft ? ", holds no share/wine/wine.inf; " : ", is gone; ") +
                    (wine.place ? "Wine's own entries are those of " + wine.root +
                                      " (the wine on PATH) instead."
                                : missing);
        wine.brief = "the Wine build " + launcher + " records (" + BuildName(wine.recorded) +
                     ") is gone" +
                     (wine.place ? ": judged with the Wine at " + wine.root
                                 : ", and no other was found: Wine's own entries are reported");
    }
    return wine;
}

}  // namespace

WineSearch WineSearchFromEnvironment(const std::string& wineOption) {
    WineSearch search;
    const char* env = std::getenv("WINE");
    search.named = !wineOption.empty() ? wineOption : env ? env : "";
    search.namedBy = !wineOption.empty() ? "--wine" : "WINE";
    if (const char* path = std::getenv("PATH")) search.path = path;
    search.places = PlacesFromEnvironment();
    return search;
}

PrefixWine WineForPrefix(const std::string& prefixDir, const WineSearch& search) {
    if (!search.named.empty()) return Choose(nullptr, search);
    const std::optional<FoundPrefix> found = FoundAt(prefixDir, search.places);
    return Choose(found ? &*found : nullptr, search);
}

}  // namespace platform::discovery
