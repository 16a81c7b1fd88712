// The scan as the desktop program runs it against the scan as the command line runs it, on
// the benchmark prefix: every section and every fixed drive, once through the main view's
// Scan button (offscreen, the window shown, Qt events pumped at most every ~10 ms, the
// progress labels and the result screen updated) and once through a host that never pumps.
// Both on a prefix already open; the best of a few runs each, taken in turn.
#include <QApplication>
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "bench/support/BenchPrefix.h"
#include "bench/support/ScanRun.h"
#include "ui/CDrennowView.h"
#include "ui/res/ResourceIds.h"

namespace {

template <class F>
double Seconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const std::string prefix = bench::BenchPrefix();
    auto services = bench::OpenPrefix(prefix);
    // What the view scans when every row is ticked, as it is at start.
    engine::SectionRows rows = engine::BuildSectionRows(*services);
    for (engine::SectionRow& row : rows) row.selected = true;

    double gui = 1e9, cli = 1e9;
    int guiProblems = 0, cliProblems = 0;
    auto runCli = [&] {
        cli = std::min(cli, Seconds([&] {
                           bench::QuietHost host;
                           cliProblems = bench::Scan(*services, host, rows);
                       }));
    };
    auto runGui = [&] {
        CDrennowView view(*services);
        view.Host().SetMessageBoxHandler([](const std::string&, const std::string&,
                                            engine::BoxStyle) { return engine::Answer::Ok; });
        view.resize(764, 527);
        view.show();
        QApplication::processEvents();
        gui = std::min(gui, Seconds([&] { view.OnCommand(ui::res::kScanButton); }));
        guiProblems = view.Session().Results().total;
    };
    // Which of two scans in a row goes first matters a little (the allocator's state after the
    // first), so the order alternates.
    for (int round = 0; round < 4; ++round) {
        if (round % 2) {
            runGui();
            runCli();
        } else {
            runCli();
            runGui();
        }
    }
    fmt::print("prefix {}; every section and fixed drive; {} problems (GUI path {})\n\n", prefix,
               cliProblems, guiProblems);
    fmt::print("| measure | GUI path | CLI path | ratio | target |\n|---|---|---|---|---|\n");
    fmt::print(
        "| scan through the main view vs a host that never pumps | {:.0f} ms | {:.0f} ms | "
        "{:.2f} x | <= 1.2 x: {} |\n",
        gui * 1000, cli * 1000, gui / cli, gui <= 1.2 * cli ? "met" : "missed");
    return guiProblems == cliProblems ? 0 : 1;
}
