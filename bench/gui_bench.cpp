// The scan as the desktop program runs it against the scan as the command line runs it, on
// the benchmark prefix: sections 1 to 13 and the shortcut walk through ui::GuiHost (Qt events
// pumped at most every ~10 ms, progress labels in a shown window, offscreen) and through a
// host that never pumps. Both on a prefix already open; the best of a few runs each, taken
// in turn.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "bench/support/BenchPrefix.h"
#include "bench/support/ScanRun.h"
#include "ui/GuiHost.h"

namespace {

// The progress screen's labels: section name, current key, found count, a counter per section.
class ProgressWindow {
public:
    explicit ProgressWindow(ui::GuiHost& host) {
        auto* layout = new QVBoxLayout(&window_);
        auto label = [&] {
            auto* l = new QLabel(&window_);
            layout->addWidget(l);
            return l;
        };
        QLabel* section = label();
        QLabel* key = label();
        QLabel* found = label();
        auto setter = [](QLabel* l) {
            return std::make_unique<ui::WidgetLabel>([l](const QString& text) { l->setText(text); });
        };
        host.SetLabels(setter(section), setter(key), setter(found));
        for (int s = 1; s <= engine::kSectionCount; ++s) host.SetSectionCounter(s, setter(label()));
        window_.resize(780, 570);
        window_.show();
    }

private:
    QWidget window_;
};

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
    engine::SectionRows rows = bench::ChosenRows(*services, bench::RegistrySections(), true);

    double gui = 1e9, cli = 1e9;
    int guiProblems = 0, cliProblems = 0;
    auto runCli = [&] {
        cli = std::min(cli, Seconds([&] {
            bench::QuietHost host;
            cliProblems = bench::Scan(*services, host, rows);
        }));
    };
    auto runGui = [&] {
        ui::GuiHost host(nullptr);
        host.SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) {
            return engine::IDOK;
        });
        ProgressWindow window(host);
        gui = std::min(gui, Seconds([&] { guiProblems = bench::Scan(*services, host, rows); }));
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
    fmt::print("prefix {}; sections 1-13 and every fixed drive; {} problems (GUI path {})\n\n",
               prefix, cliProblems, guiProblems);
    fmt::print("| measure | GUI path | CLI path | ratio | target |\n|---|---|---|---|---|\n");
    fmt::print("| scan through GuiHost vs a host that never pumps | {:.0f} ms | {:.0f} ms | "
               "{:.2f} x | <= 1.2 x: {} |\n",
               gui * 1000, cli * 1000, gui / cli, gui <= 1.2 * cli ? "met" : "missed");
    return guiProblems == cliProblems ? 0 : 1;
}
