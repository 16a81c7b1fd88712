#include "cli/RepairCommand.h"

#include <unistd.h>

#include <fmt/format.h>

#include <iostream>

#include "cli/ScanRunner.h"
#include "cli/TextOutput.h"
#include "engine/ValueText.h"

namespace cli {
namespace {

struct RepairOptions {
    SelectionOptions selection;
    bool backup = false;
    bool noBackup = false;
    bool yes = false;
    bool json = false;
};

const char* EndName(repair::RepairReport::End end) {
    switch (end) {
    case repair::RepairReport::End::Cancelled: return "cancelled";
    case repair::RepairReport::End::Refused: return "refused";
    case repair::RepairReport::End::BackupFailed: return "backup-failed";
    case repair::RepairReport::End::CommitFailed: return "commit-failed";
    case repair::RepairReport::End::Done: return "done";
    }
    return "";
}

nlohmann::ordered_json OutcomeJson(const repair::RepairOutcome& outcome) {
    nlohmann::ordered_json json;
    json["removed"] = outcome.removed;
    json["alreadyAbsent"] = outcome.alreadyAbsent;
    json["failed"] = outcome.failed;
    return json;
}

// What the repair is about to do: every record still marked for deletion.
std::string PlanText(const engine::ScanResults& results) {
    std::string out;
    int chosen = 0;
    for (int number = 1; number <= engine::kSectionCount; ++number) {
        for (const engine::Problem& problem : results.Section(number).problems) {
            if (!problem.repair) continue;
            const engine::ShownTexts shown = engine::DisplayConversion(problem);
            out += fmt::format("{:>2}  {}\n      {}\n", number, AnsiToUtf8(shown.key),
                               AnsiToUtf8(shown.value));
            ++chosen;
        }
    }
    return out + fmt::format("\n{} problem(s) will be repaired.\n", chosen);
}

// Asks on the terminal; no terminal means no confirmation.
bool Confirmed(bool& asked) {
    asked = ::isatty(STDIN_FILENO) == 1;
    if (!asked) return false;
    std::cerr << "Repair these problems? [y/N] " << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply)) return false;
    return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

int RunRepairCommand(const GlobalOptions& global, const RepairOptions& options) {
    ScanRun run(!options.json);
    run.host.SetQuiet(true);  // the outcome is printed below
    const int status = RunScan(global, options.selection, run);
    if (status != kExitSuccess) {
        if (run.outcome == engine::ScanOutcome::Refused && !run.host.Boxes().empty())
            std::cerr << "drennow-cli: " << run.host.Boxes().back().text << '\n';
        return status;
    }
    const engine::ScanResults& results = run.session->Results();
    if (!options.json) std::cout << PlanText(results) << std::flush;
    // A repair that cannot write is not asked about: the repair below says why it is refused.
    const bool refused = !run.prefix.services->CanWrite().ok();
    if (!options.yes && !refused) {
        bool asked = false;
        if (!Confirmed(asked)) {
            if (!asked) {
                std::cerr << "drennow-cli: nothing was repaired; pass --yes to repair without "
                             "being asked.\n";
                return kExitUsage;
            }
            std::cerr << "Nothing was repaired.\n";
            return kExitSuccess;
        }
    }
    // The backup question: --backup or --no-backup answer it; without either, a terminal is
    // asked and anything else gets the recommended backup.
    if (options.noBackup) {
        run.host.SetAnswer(engine::Answer::No);
    } else if (options.backup || options.yes || ::isatty(STDIN_FILENO) != 1) {
        run.host.SetAnswer(engine::Answer::Yes);
    }
    const std::size_t boxesBefore = run.host.Boxes().size();
    const repair::RepairReport report =
        repair::RepairCommand(results, run.session->Repair(), *run.prefix.services, run.host);

    if (options.json) {
        std::cout << RepairReportJson(run.prefix.dir, run.session->Repair(), report).dump(2)
                  << '\n';
    } else {
        // Every box but the question is an outcome message (a refusal comes before it).
        const auto& boxes = run.host.Boxes();
        for (std::size_t i = boxesBefore; i < boxes.size(); ++i)
            if (boxes[i].text != repair::kBackupQuestion)
                std::cout << AnsiToUtf8(boxes[i].text) << '\n';
        if (report.backupWritten) std::cout << "A backup of the registry entries was saved.\n";
    }
    const bool complete = report.end == repair::RepairReport::End::Done && report.Failed() == 0;
    return complete ? kExitSuccess : kExitFailure;
}

}  // namespace

nlohmann::ordered_json RepairReportJson(const std::string& prefixDir,
                                        const engine::RepairLists& lists,
                                        const repair::RepairReport& report) {
    nlohmann::ordered_json doc;
    doc["prefix"] = prefixDir;
    doc["end"] = EndName(report.end);
    doc["backup"] = report.backupWritten;
    doc["reason"] = AnsiToUtf8(report.reason);
    doc["chosen"] = lists.registry.size() + lists.shortcuts.size();
    doc["repaired"] = report.Repaired();
    doc["failed"] = report.Failed();
    doc["registry"] = OutcomeJson(report.registry);
    doc["shortcuts"] = OutcomeJson(report.shortcuts);
    doc["failures"] = nlohmann::ordered_json::array();
    for (const auto* outcome : {&report.registry, &report.shortcuts}) {
        for (const std::string& failure : outcome->failures)
            doc["failures"].push_back(AnsiToUtf8(failure));
    }
    doc["entries"] = nlohmann::ordered_json::array();
    for (const engine::Problem& problem : lists.repaired) {
        nlohmann::ordered_json entry;
        PutProblemTexts(entry, problem);
        doc["entries"].push_back(std::move(entry));
    }
    return doc;
}

void RegisterRepairCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<RepairOptions>();
    CLI::App* command =
        app.add_subcommand("repair", "Scan, then delete the dead entries and shortcut files found");
    AddSelectionOptions(*command, options->selection);
    auto* backup = command->add_flag("--backup", options->backup,
                                     "Save a backup of the registry entries first (default)");
    auto* noBackup = command->add_flag("--no-backup", options->noBackup, "Repair without a backup");
    backup->excludes(noBackup);
    command->add_flag("--yes", options->yes, "Repair without asking for confirmation");
    command->add_flag("--json", options->json, "Print the outcome as one JSON document");
    command->callback(
        [&context, options] { context.exitCode = RunRepairCommand(context.global, *options); });
}

}  // namespace cli
