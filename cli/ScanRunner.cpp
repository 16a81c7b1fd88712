#include "cli/ScanRunner.h"

#include <iostream>

#include "cli/TextOutput.h"
#include "repair/IgnoreFile.h"

namespace cli {

int RunScan(const GlobalOptions& global, const SelectionOptions& selection, ScanRun& run) {
    std::string error;
    if (!OpenChosenPrefix(global, run.prefix, error)) {
        run.failure = error;
        *run.messages << "drennow-cli: " << error << '\n';
        return kExitFailure;
    }
    if (const std::string warning = run.prefix.services->Warning(); !warning.empty())
        *run.messages << "drennow-cli: " << AnsiToUtf8(warning) << '\n';
    if (!run.prefix.note.empty()) *run.messages << "drennow-cli: note: " << run.prefix.note << '\n';
    engine::SectionRows rows;
    if (!ChooseRows(selection, *run.prefix.services, rows, error)) {
        run.failure = error;
        *run.messages << "drennow-cli: " << error << '\n';
        return kExitUsage;
    }
    repair::IgnoreFileContents ignore;
    if (const platform::Status read = repair::ReadIgnoreFile(*run.prefix.services, ignore);
        !read.ok()) {
        run.failure = AnsiToUtf8(read.message);
        *run.messages << "drennow-cli: " << run.failure << '\n';
        return kExitFailure;
    }
    if (const std::string note = repair::DamagedLinesNote(*run.prefix.services, ignore);
        !note.empty())
        *run.messages << "drennow-cli: note: " << AnsiToUtf8(note) << '\n';
    run.ignoreList = engine::IgnoreList(std::move(ignore.entries));
    run.session = std::make_unique<engine::ScanSession>(*run.prefix.services, run.host);
    if (run.useIgnoreList) run.session->SetIgnoreList(run.ignoreList);
    run.host.OnInterrupt([&run] { run.session->CancelCommand(); });
    run.outcome = run.session->Scan(rows);
    run.host.ClearProgress();
    switch (run.outcome) {
    case engine::ScanOutcome::Refused: return kExitUsage;
    case engine::ScanOutcome::Unreadable:
        run.failure = run.host.Boxes().empty() ? "the registry cannot be read again"
                                               : run.host.Boxes().back().text;
        *run.messages << "drennow-cli: " << AnsiToUtf8(run.failure) << '\n';
        return kExitFailure;
    case engine::ScanOutcome::Cancelled:
        run.failure = "the scan was cancelled";
        *run.messages << "drennow-cli: the scan was cancelled; nothing was kept.\n";
        return kExitFailure;
    default: return kExitSuccess;
    }
}

}  // namespace cli
