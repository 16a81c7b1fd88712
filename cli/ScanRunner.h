#pragma once
// Opening the chosen prefix and running one scan from the terminal; the scan and repair
// commands both start here.
#include <atomic>
#include <iostream>
#include <memory>

#include "cli/Cli.h"
#include "cli/CliHost.h"
#include "cli/Options.h"
#include "engine/IgnoreList.h"
#include "engine/ScanSession.h"

namespace cli {

struct ScanRun {
    // `cancel`: as for CliHost.
    explicit ScanRun(bool progress, const std::atomic<bool>* cancel = nullptr)
        : host(progress, cancel) {}
    OpenedPrefix prefix;
    CliHost host;
    std::unique_ptr<engine::ScanSession> session;
    engine::ScanOutcome outcome = engine::ScanOutcome::Refused;
    std::string failure;                  // why RunScan stopped short, as printed
    bool useIgnoreList = true;            // false (--no-ignore): every problem is listed
    engine::IgnoreList ignoreList;        // the prefix's ignore list, as read
    std::ostream* messages = &std::cerr;  // where RunScan says what went wrong, and notes
};

// Opens the prefix of `global`, ticks the rows `selection` chooses and scans them, with
// Ctrl-C as Cancel. Returns kExitSuccess when the scan ran to its end (any number of problems),
// else the exit status after printing why to stderr: kExitUsage for a bad or empty selection,
// kExitFailure for a prefix that cannot be opened, an ignore list that cannot be read (so that
// nothing ignored is repaired) or a cancelled scan.
int RunScan(const GlobalOptions& global, const SelectionOptions& selection, ScanRun& run);

}  // namespace cli
