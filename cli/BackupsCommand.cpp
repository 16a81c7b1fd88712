#include "cli/BackupsCommand.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <iostream>

#include "cli/CliHost.h"
#include "cli/Options.h"
#include "cli/TextOutput.h"
#include "engine/ValueText.h"
#include "repair/BackupCatalogue.h"
#include "repair/BackupLocation.h"
#include "repair/Messages.h"

namespace cli {
namespace {

enum class Action { List, Show, Restore, Delete };

struct BackupsOptions {
    Action action = Action::List;
    int row = 0;  // from 1
    bool json = false;
};

using Json = nlohmann::ordered_json;

Json RowJson(const repair::BackupRow& row, int number) {
    Json json;
    json["row"] = number;
    json["time"] = AnsiToUtf8(row.time);
    json["count"] = std::to_string(row.count);
    return json;
}

int List(const OpenedPrefix& prefix, const repair::BackupCatalogue& catalogue, bool json) {
    const auto& rows = catalogue.Rows();
    if (json) {
        Json doc;
        doc["prefix"] = prefix.dir;
        doc["file"] = AnsiToUtf8(repair::BackupFile(*prefix.services));
        doc["backups"] = Json::array();
        for (std::size_t i = 0; i < rows.size(); ++i)
            doc["backups"].push_back(RowJson(rows[i], static_cast<int>(i) + 1));
        std::cout << doc.dump(2) << '\n';
        return kExitSuccess;
    }
    if (rows.empty()) {
        std::cout << "No backups.\n";
        return kExitSuccess;
    }
    std::cout << fmt::format("{:>3}  {:<28}{:>13}\n", "", "Backup Time", "Backup Counts");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::cout << fmt::format("{:>3}  {:<28}{:>13}\n", i + 1, AnsiToUtf8(rows[i].time),
                                 rows[i].count);
    }
    return kExitSuccess;
}

int Show(const repair::BackupCatalogue& catalogue, int row, bool json) {
    Json doc = RowJson(catalogue.Rows().at(static_cast<std::size_t>(row - 1)), row);
    doc["entries"] = Json::array();
    std::string text;
    std::size_t entries = 0;
    for (const engine::Problem& problem : catalogue.Problems()) {
        // The shortcut file copies follow, with their sizes.
        if (problem.kind != engine::ProblemKind::RegistryValue) continue;
        ++entries;
        const engine::ShownTexts shown = engine::DisplayConversion(problem);
        Json entry;
        entry["key"] = AnsiToUtf8(problem.key);
        entry["name"] = AnsiToUtf8(problem.name);
        entry["value"] = AnsiToUtf8(problem.value);
        entry["shownKey"] = AnsiToUtf8(shown.key);
        entry["shownValue"] = AnsiToUtf8(shown.value);
        doc["entries"].push_back(std::move(entry));
        text += fmt::format("{}\n    {}\n", AnsiToUtf8(shown.key), AnsiToUtf8(shown.value));
    }
    doc["shortcutFiles"] = Json::array();
    for (const repair::SavedShortcut& copy : catalogue.Shortcuts()) {
        Json file;
        file["path"] = AnsiToUtf8(copy.path);
        file["bytes"] = copy.bytes.size();
        doc["shortcutFiles"].push_back(std::move(file));
        text += fmt::format("{}\n    saved shortcut file, {} bytes\n", AnsiToUtf8(copy.path),
                            copy.bytes.size());
    }
    const int damaged = catalogue.DamagedLines();
    if (damaged > 0) doc["damagedLinesSkipped"] = damaged;
    if (json) {
        std::cout << doc.dump(2) << '\n';
    } else {
        const std::size_t files = catalogue.Shortcuts().size();
        std::cout << fmt::format(
                         "Backup {}: {}, {} entr{}{}{}\n", row,
                         AnsiToUtf8(catalogue.Rows().at(static_cast<std::size_t>(row - 1)).time),
                         entries, entries == 1 ? "y" : "ies",
                         files == 0 ? std::string() : fmt::format(", {} shortcut file(s)", files),
                         damaged == 0 ? std::string() : ", " + repair::DamagedLinesNote(damaged))
                  << text;
    }
    return kExitSuccess;
}

std::string LastMessage(const CliHost& host) {
    return host.Boxes().empty() ? std::string() : AnsiToUtf8(host.Boxes().back().text);
}

int Restore(repair::BackupCatalogue& catalogue, CliHost& host, int row, bool json) {
    const repair::RestoreOutcome outcome = catalogue.Restore();
    const std::string message = LastMessage(host);
    if (json) {
        Json doc;
        doc["row"] = row;
        doc["restored"] = outcome.restored;
        doc["failed"] = outcome.failed;
        doc["filesRestored"] = outcome.filesRestored;
        doc["filesFailed"] = outcome.filesFailed;
        doc["failures"] = Json::array();
        for (const std::string& failure : outcome.failures)
            doc["failures"].push_back(AnsiToUtf8(failure));
        doc["message"] = message;
        std::cout << doc.dump(2) << '\n';
    } else {
        std::cout << message << '\n';
    }
    return outcome.failed == 0 && outcome.filesFailed == 0 ? kExitSuccess : kExitFailure;
}

int Delete(repair::BackupCatalogue& catalogue, CliHost& host, int row, bool json) {
    const bool deleted = catalogue.DeleteBackup(row - 1);
    const std::string message =
        deleted ? fmt::format("Backup {} was deleted.", row) : LastMessage(host);
    if (json) {
        Json doc;
        doc["row"] = row;
        doc["deleted"] = deleted;
        doc["message"] = message;
        std::cout << doc.dump(2) << '\n';
    } else {
        std::cout << message << '\n';
    }
    return deleted ? kExitSuccess : kExitFailure;
}

int RunBackupsCommand(const GlobalOptions& global, const BackupsOptions& options) {
    OpenedPrefix prefix;
    std::string error;
    if (!OpenChosenPrefix(global, prefix, error)) {
        std::cerr << "drennow-cli: " << error << '\n';
        return kExitFailure;
    }
    CliHost host(false);
    host.SetQuiet(true);
    repair::BackupCatalogue catalogue(*prefix.services, host);
    catalogue.LoadCatalogue();
    if (options.action == Action::List) return List(prefix, catalogue, options.json);

    if (options.row < 1 || options.row > catalogue.ListedCount()) {
        std::cerr << fmt::format("drennow-cli: there is no backup {}; {} backup(s) are listed.\n",
                                 options.row, catalogue.ListedCount());
        return kExitUsage;
    }
    catalogue.LoadBackupEntries(options.row - 1);
    switch (options.action) {
    case Action::Show: return Show(catalogue, options.row, options.json);
    case Action::Restore: return Restore(catalogue, host, options.row, options.json);
    case Action::Delete: return Delete(catalogue, host, options.row, options.json);
    case Action::List: break;
    }
    return kExitSuccess;
}

}  // namespace

void RegisterBackupsCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<BackupsOptions>();
    CLI::App* command =
        app.add_subcommand("backups", "List, show, restore or delete the saved backups");
    command->require_subcommand(1);
    struct Sub {
        const char* name;
        const char* help;
        Action action;
    };
    for (const Sub& sub : {Sub{"list", "List the backups (row, time, count)", Action::List},
                           Sub{"show", "Show the entries of backup N", Action::Show},
                           Sub{"restore", "Write the entries of backup N back", Action::Restore},
                           Sub{"delete", "Delete backup N from the backup file", Action::Delete}}) {
        CLI::App* child = command->add_subcommand(sub.name, sub.help);
        if (sub.action != Action::List)
            child->add_option("N", options->row, "Row number, from 1, as `list` shows it")
                ->required();
        child->add_flag("--json", options->json, "Print one JSON document");
        const Action action = sub.action;
        child->callback([&context, options, action] {
            options->action = action;
            context.exitCode = RunBackupsCommand(context.global, *options);
        });
    }
}

}  // namespace cli
