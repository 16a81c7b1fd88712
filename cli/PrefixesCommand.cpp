#include "cli/PrefixesCommand.h"

#include <fmt/format.h>

#include <iostream>

namespace cli {
namespace {

namespace discovery = platform::discovery;

struct PrefixesOptions {
    bool json = false;
    bool verbose = false;
};

nlohmann::ordered_json OrNull(const std::optional<std::string>& text) {
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

int RunPrefixesCommand(const PrefixesOptions& options) {
    const discovery::Discovery found = DiscoverPrefixes(discovery::PlacesFromEnvironment());
    if (options.verbose) PrintDiscoveryNotes(found);
    if (options.json) {
        nlohmann::ordered_json doc;
        doc["prefixes"] = nlohmann::ordered_json::array();
        for (const auto& prefix : found.prefixes) doc["prefixes"].push_back(PrefixJson(prefix));
        std::cout << doc.dump(2) << '\n';
        return kExitSuccess;
    }
    if (found.prefixes.empty()) {
        std::cout << "No Wine prefix found.\n";
        return kExitSuccess;
    }
    std::cout << fmt::format("{:<32} {:<12} {:<6} {:<7} {:<10} {}\n", "Name", "Kind", "Arch",
                             "Server", "Owner", "Path");
    bool others = false;
    for (const auto& prefix : found.prefixes) {
        // Only another user's prefix names its owner: the one to run Drennow as to repair it.
        std::cout << fmt::format("{:<32} {:<12} {:<6} {:<7} {:<10} {}\n", prefix.name,
                                 KindName(prefix.kind), prefix.arch.value_or("-"),
                                 prefix.serverRunning ? "runs" : "-",
                                 prefix.yours ? "-" : prefix.owner, prefix.path);
        if (prefix.wine) std::cout << fmt::format("{:<32} Wine: {}\n", "", *prefix.wine);
        others = others || !prefix.yours;
    }
    if (others)
        std::cout << "\nA prefix with an owner is another user's: it can be scanned, but only its "
                     "owner can repair it.\n";
    return kExitSuccess;
}

}  // namespace

nlohmann::ordered_json PrefixJson(const discovery::FoundPrefix& prefix) {
    nlohmann::ordered_json entry;
    entry["path"] = prefix.path;
    entry["kind"] = KindName(prefix.kind);
    entry["name"] = prefix.name;
    entry["id"] = OrNull(prefix.id);
    entry["arch"] = OrNull(prefix.arch);
    entry["wine"] = OrNull(prefix.wine);
    entry["server_running"] = prefix.serverRunning;
    entry["owner"] = prefix.owner;
    entry["yours"] = prefix.yours;
    return entry;
}

void PrintDiscoveryNotes(const discovery::Discovery& found) {
    for (const std::string& note : found.notes)
        std::cerr << "drennow-cli: skipped: " << note << '\n';
}

void RegisterPrefixesCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<PrefixesOptions>();
    CLI::App* command =
        app.add_subcommand("prefixes",
                           "List the Wine prefixes of Steam, Lutris, Bottles, Heroic, PlayOnLinux, "
                           "winetricks, $WINEPREFIX and ~/.wine");
    command->add_flag("--json", options->json, "Print the list as one JSON document");
    command->add_flag("--verbose", options->verbose,
                      "Say on stderr which entries were skipped and why");
    command->callback([&context, options] { context.exitCode = RunPrefixesCommand(*options); });
}

}  // namespace cli
