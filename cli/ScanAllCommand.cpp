#include "cli/ScanAllCommand.h"

#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

#include "cli/InOrder.h"
#include "cli/Interrupt.h"

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

// One prefix's scan, made on a worker thread and printed on the main one.
struct Scanned {
    std::string messages;  // what the scan said on stderr
    std::string summary;   // for the progress line
    nlohmann::ordered_json entry;
    std::string row;
    bool problems = false;
    bool failed = false;
};

constexpr unsigned kMaxScansAtOnce = 4;

// `text` with `spaces` before each line (JSON text holds no line end inside a string).
std::string Indented(const std::string& text, std::size_t spaces) {
    std::string out(spaces, ' ');
    for (const char c : text) {
        out += c;
        if (c == '\n') out.append(spaces, ' ');
    }
    return out;
}

Scanned ScanOne(const GlobalOptions& global, const SelectionOptions& selection,
                const discovery::FoundPrefix& prefix, const std::atomic<bool>& cancel) {
    GlobalOptions one = global;
    one.prefix = prefix.path;
    one.demo = false;
    std::ostringstream messages;
    ScanRun run(false, &cancel);
    run.messages = &messages;
    run.host.SetQuiet(true);
    // Ctrl-C before this scan began: it is not begun.
    const bool scanned = !cancel.load() && RunScan(one, selection, run) == kExitSuccess;
    std::string failure = run.failure;
    if (!scanned && failure.empty() && cancel.load()) failure = "the scan was cancelled";
    if (!scanned && failure.empty() && !run.host.Boxes().empty())
        failure = run.host.Boxes().back().text;
    if (!scanned && failure.empty()) failure = "the scan was refused";
    const engine::ScanResults* results = scanned ? &run.session->Results() : nullptr;
    Scanned out;
    out.messages = messages.str();
    out.entry["path"] = prefix.path;
    out.entry["name"] = prefix.name;
    out.entry["kind"] = KindName(prefix.kind);
    out.entry["wine"] = WineJson(run.prefix.wine);
    if (results) {
        nlohmann::ordered_json scan = ScanResultsJson(prefix.path, run.prefix.wine, *results);
        out.entry["total"] = results->total;
        out.entry["ignored"] = scan["ignored"];
        out.entry["sections"] = std::move(scan["sections"]);
        out.problems = results->total > 0;
        out.summary = fmt::format("{} problem(s)", results->total);
    } else {
        out.entry["total"] = nullptr;
        out.entry["error"] = failure;
        out.failed = true;
        out.summary = "cannot be scanned: " + failure;
    }
    out.row = TableRow(prefix, results, failure);
    return out;
}

}  // namespace

int RunScanAll(const GlobalOptions& global, const SelectionOptions& selection, bool json,
               bool verbose) {
    if (!global.prefix.empty() || global.demo) {
        std::cerr << "drennow-cli: scan --all chooses the prefixes itself: leave out --prefix and "
                     "--demo.\n";
        return kExitUsage;
    }
    // Ctrl-C is caught here, for every scan at once (each would otherwise catch it for itself).
    InterruptCatcher interrupts;
    const discovery::Discovery found = DiscoverPrefixes(discovery::PlacesFromEnvironment());
    if (verbose) PrintDiscoveryNotes(found);
    const std::vector<discovery::FoundPrefix>& prefixes = found.prefixes;
    std::vector<Scanned> scans(prefixes.size());
    // Each prefix goes out as soon as it and those before it are scanned, so that only the
    // scans under way are held: the document (or table) is written as it would be whole.
    if (json) std::cout << "{\n  \"prefixes\": [";
    else if (!prefixes.empty()) std::cout << TableHead();
    bool problems = false;
    bool failures = false;
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    InOrderJobs jobs;
    jobs.count = prefixes.size();
    // Each scan holds its prefix's registry in memory: a few at once, not one per core of a
    // large machine.
    jobs.threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxScansAtOnce);
    jobs.run = [&](std::size_t i, const std::atomic<bool>& cancel) {
        scans[i] = ScanOne(global, selection, prefixes[i], cancel);
    };
    jobs.deliver = [&](std::size_t i) {
        const discovery::FoundPrefix& prefix = prefixes[i];
        Scanned& scan = scans[i];
        if (terminal)
            std::cerr << fmt::format("drennow-cli: [{}/{}] {} ({}): {}\n", i + 1, prefixes.size(),
                                     prefix.name, prefix.path, scan.summary);
        else if (!json)
            std::cerr << "drennow-cli: scanning " << prefix.name << " (" << prefix.path << ")\n";
        std::cerr << scan.messages << std::flush;
        problems = problems || scan.problems;
        failures = failures || scan.failed;
        if (json) std::cout << (i == 0 ? "\n" : ",\n") << Indented(scan.entry.dump(2), 4);
        else std::cout << scan.row;
        std::cout.flush();
        scan = {};  // what was printed is not kept to the end
    };
    jobs.interrupted = [&interrupts] { return interrupts.Take(); };
    RunInOrder(jobs);
    if (json) std::cout << (prefixes.empty() ? "]\n}\n" : "\n  ]\n}\n");
    else if (prefixes.empty()) std::cout << "No Wine prefix found.\n";
    return problems ? kExitProblems : failures ? kExitFailure : kExitSuccess;
}

}  // namespace cli
