#include "cli/ScanAllCommand.h"

#include <fmt/format.h>
#include <unistd.h>

#include <iostream>

#include "cli/PrefixesCommand.h"
#include "cli/ScanCommand.h"
#include "cli/ScanRunner.h"
#include "platform/discovery/Discovery.h"

namespace cli {
namespace {

namespace discovery = platform::discovery;

std::string TableHead() {
    std::string head = fmt::format("{:<32} {:<12}", "Name", "Kind");
    for (int number = 1; number <= engine::kSectionCount; ++number)
        head += fmt::format("{:>5}", number);
    return head + fmt::format("{:>7}\n", "Total");
}

std::string TableRow(const discovery::FoundPrefix& prefix, const engine::ScanResults* results,
                     const std::string& failure) {
    std::string row = fmt::format("{:<32} {:<12}", prefix.name, KindName(prefix.kind));
    if (!results) return row + " cannot be scanned: " + failure + "\n";
    for (int number = 1; number <= engine::kSectionCount; ++number)
        row += fmt::format("{:>5}", results->Section(number).Count());
    return row + fmt::format("{:>7}\n", results->total);
}

}  // namespace

int RunScanAll(const GlobalOptions& global, const SelectionOptions& selection, bool json,
               bool verbose) {
    if (!global.prefix.empty() || global.demo) {
        std::cerr << "drennow-cli: scan --all chooses the prefixes itself: leave out --prefix and "
                     "--demo.\n";
        return kExitUsage;
    }
    const discovery::Discovery found = DiscoverPrefixes(discovery::PlacesFromEnvironment());
    if (verbose) PrintDiscoveryNotes(found);
    nlohmann::ordered_json doc;
    doc["prefixes"] = nlohmann::ordered_json::array();
    std::string table = TableHead();
    bool problems = false;
    bool failures = false;
    for (const discovery::FoundPrefix& prefix : found.prefixes) {
        GlobalOptions one = global;
        one.prefix = prefix.path;
        one.demo = false;
        if (!json)
            std::cerr << "drennow-cli: scanning " << prefix.name << " (" << prefix.path << ")\n";
        ScanRun run(!json && ::isatty(2));
        run.host.SetQuiet(true);
        const bool scanned = RunScan(one, selection, run) == kExitSuccess;
        std::string failure = run.failure;
        if (!scanned && failure.empty() && !run.host.Boxes().empty())
            failure = run.host.Boxes().back().text;
        if (!scanned && failure.empty()) failure = "the scan was refused";
        const engine::ScanResults* results = scanned ? &run.session->Results() : nullptr;
        nlohmann::ordered_json entry;
        entry["path"] = prefix.path;
        entry["name"] = prefix.name;
        entry["kind"] = KindName(prefix.kind);
        entry["wine"] = WineJson(run.prefix.wine);
        if (results) {
            nlohmann::ordered_json scan = ScanResultsJson(prefix.path, run.prefix.wine, *results);
            entry["total"] = results->total;
            entry["ignored"] = scan["ignored"];
            entry["sections"] = std::move(scan["sections"]);
            problems = problems || results->total > 0;
        } else {
            entry["total"] = nullptr;
            entry["error"] = failure;
            failures = true;
        }
        doc["prefixes"].push_back(std::move(entry));
        table += TableRow(prefix, results, failure);
    }
    if (json) std::cout << doc.dump(2) << '\n';
    else if (found.prefixes.empty()) std::cout << "No Wine prefix found.\n";
    else std::cout << table;
    return problems ? kExitProblems : failures ? kExitFailure : kExitSuccess;
}

}  // namespace cli
