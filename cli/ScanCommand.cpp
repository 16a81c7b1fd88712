#include "cli/ScanCommand.h"

#include <fmt/format.h>

#include <algorithm>
#include <iostream>

#include "cli/ScanAllCommand.h"
#include "cli/ScanRunner.h"
#include "cli/TextOutput.h"
#include "engine/Explanation.h"
#include "engine/ValueText.h"
#include "platform/codepage/Codepage.h"

namespace cli {
namespace {

struct ScanOptions {
    SelectionOptions selection;
    bool json = false;
    bool all = false;
    bool verbose = false;
    bool noIgnore = false;
    bool explain = false;
};

int RunScanCommand(const GlobalOptions& global, const ScanOptions& options) {
    if (options.all) return RunScanAll(global, options.selection, options.json, options.verbose);
    ScanRun run(!options.json);
    run.host.SetQuiet(true);  // the outcome is printed below, not as a box
    run.useIgnoreList = !options.noIgnore;
    const int status = RunScan(global, options.selection, run);
    if (status != kExitSuccess) {
        if (run.outcome == engine::ScanOutcome::Refused && !run.host.Boxes().empty())
            std::cerr << "drennow-cli: " << run.host.Boxes().back().text << '\n';
        return status;
    }
    const engine::ScanResults& results = run.session->Results();
    const engine::IgnoreList* marked = options.noIgnore ? &run.ignoreList : nullptr;
    if (options.json)
        std::cout << ScanResultsJson(run.prefix.dir, run.prefix.wine, results, marked).dump(2)
                  << '\n';
    else std::cout << ScanResultsText(run.prefix.dir, results, marked, options.explain);
    return results.total > 0 ? kExitProblems : kExitSuccess;
}

}  // namespace

nlohmann::ordered_json WineJson(const std::string& wineRoot) {
    return wineRoot.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(wineRoot);
}

namespace {

// How many of the section's problems `marked` covers; the scan's own count without it.
int IgnoredCount(const engine::SectionResult& section, const engine::IgnoreList* marked) {
    if (!marked) return section.ignored;
    return static_cast<int>(
        std::count_if(section.problems.begin(), section.problems.end(),
                      [marked](const engine::Problem& p) { return marked->Ignores(p); }));
}

nlohmann::ordered_json CheckedJson(const engine::Problem& problem) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const engine::CheckedPath& checked : problem.checked) {
        nlohmann::ordered_json path;
        path["path"] = AnsiToUtf8(checked.path);
        // A host file name need not be UTF-8; JSON text must be.
        const std::string host =
            platform::codepage::Utf16ToUtf8(platform::codepage::Utf8ToUtf16(checked.host));
        path["host"] =
            host.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(host);
        path["view"] = checked.wow64 ? "32-bit" : "native";
        path["found"] = checked.found;
        if (!checked.why.empty()) path["why"] = checked.why;
        list.push_back(std::move(path));
    }
    return list;
}

}  // namespace

nlohmann::ordered_json ScanResultsJson(const std::string& prefixDir, const std::string& wineRoot,
                                       const engine::ScanResults& results,
                                       const engine::IgnoreList* marked) {
    nlohmann::ordered_json doc;
    doc["prefix"] = prefixDir;
    doc["wine"] = WineJson(wineRoot);
    doc["total"] = results.total;
    doc["ignored"] = 0;
    doc["sections"] = nlohmann::ordered_json::array();
    int ignored = 0;
    for (int number = 1; number <= engine::kSectionCount; ++number) {
        const engine::SectionResult& section = results.Section(number);
        nlohmann::ordered_json entry;
        entry["number"] = number;
        entry["name"] = engine::SectionByNumber(number).name;
        entry["count"] = section.Count();
        entry["ignored"] = IgnoredCount(section, marked);
        ignored += entry["ignored"].get<int>();
        entry["problems"] = nlohmann::ordered_json::array();
        for (const engine::Problem& problem : section.problems) {
            nlohmann::ordered_json json;
            PutProblemTexts(json, problem);
            json["mark"] = problem.Mark();
            if (marked && marked->Ignores(problem)) json["ignored"] = true;
            json["checked"] = CheckedJson(problem);
            entry["problems"].push_back(std::move(json));
        }
        doc["sections"].push_back(std::move(entry));
    }
    doc["ignored"] = ignored;
    return doc;
}

std::string ScanResultsText(const std::string& prefixDir, const engine::ScanResults& results,
                            const engine::IgnoreList* marked, bool explain) {
    int ignored = 0;
    std::string out = fmt::format("Scanned {}\n\n", prefixDir);
    for (int number = 1; number <= engine::kSectionCount; ++number) {
        const engine::SectionResult& section = results.Section(number);
        out += fmt::format("{:>2}  {:<24}{:>6}\n", number, engine::SectionByNumber(number).rowName,
                           section.Count());
        ignored += IgnoredCount(section, marked);
        for (const engine::Problem& problem : section.problems) {
            const engine::ShownTexts shown = engine::DisplayConversion(problem);
            const bool left = marked && marked->Ignores(problem);
            out += fmt::format("      {}{}\n        {}\n", AnsiToUtf8(shown.key),
                               left ? "  (ignored)" : "", AnsiToUtf8(shown.value));
            if (explain)
                for (const engine::CheckedPath& checked : problem.checked)
                    out += "          " + engine::CheckedPathText(checked) + '\n';
        }
    }
    out += fmt::format("\n{} problem(s) found\n", results.total);
    if (ignored > 0 && !marked)
        out += fmt::format("{} ignored entr{} left out (drennow-cli ignore list)\n", ignored,
                           ignored == 1 ? "y" : "ies");
    if (ignored > 0 && marked) out += fmt::format("{} of them on the ignore list\n", ignored);
    if (results.total == 0) out += "No Problems Detected!\n";
    return out;
}

void RegisterScanCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ScanOptions>();
    CLI::App* command =
        app.add_subcommand("scan", "Scan the prefix for dead entries and shortcuts");
    AddSelectionOptions(*command, options->selection);
    command->add_flag("--json", options->json, "Print the results as one JSON document");
    command->add_flag("--all", options->all, "Scan every prefix `drennow-cli prefixes` lists");
    command->add_flag("--verbose", options->verbose, "With --all: say which entries were skipped");
    command->add_flag("--no-ignore", options->noIgnore,
                      "List the entries on the ignore list too, marked as ignored");
    command->add_flag("--explain", options->explain,
                      "Under each problem, say what was looked for and where on the host");
    command->callback(
        [&context, options] { context.exitCode = RunScanCommand(context.global, *options); });
}

}  // namespace cli
