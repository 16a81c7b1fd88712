// A whole scan (sections 1 to 14) of a generated prefix: 20k keys and 100k values under
// Software, a share of them naming files that are gone, and 2k shortcut files.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <chrono>

#include "engine/ScanSession.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using fixtures::Hive;

class QuietHost final : public engine::Host {
public:
    void Pump() override {}
    int MessageBox(const std::string&, const std::string&, unsigned) override {
        return engine::IDOK;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void OnScanState(int) override {}
    void Sleep(unsigned) override {}
};

void Fill(fixtures::TestPrefix* p) {
        for (int i = 0; i < 200; ++i)
            p->CreateFile(fmt::format("C:\\Program Files\\Vendor{:03}\\tool.exe", i), "MZ");
        for (int k = 0; k < 20000; ++k) {
            const std::string key = fmt::format("Software\\Vendor{:03}\\Product{:05}", k % 200, k);
            const bool gone = k % 50 == 0;
            const std::string exe = fmt::format("C:\\Program Files\\Vendor{:03}\\{}.exe", k % 200,
                                                gone ? "gone" : "tool");
            p->SetString(Hive::System, key, "", exe);
            p->SetString(Hive::System, key, "Command", "\"" + exe + "\" /run");
            p->SetExpandString(Hive::System, key, "Lib", "%ProgramFiles%\\Vendor\\lib.dll");
            p->SetDword(Hive::System, key, "Version", static_cast<std::uint32_t>(k));
            p->SetString(Hive::System, key, "DisplayName", fmt::format("Product {}", k));
        }
        for (int s = 0; s < 2000; ++s)
            p->CreateShortcut(fmt::format("C:\\users\\bench\\Desktop\\f{:02}\\s{:04}.lnk", s % 40, s),
                              s % 20 ? "C:\\Program Files\\Vendor000\\tool.exe"
                                     : "C:\\Program Files\\Gone\\gone.exe");
        p->WriteHives();
}

fixtures::TestPrefix& Prefix() {
    static fixtures::TestPrefix prefix("bench");
    static const bool filled = (Fill(&prefix), true);
    (void)filled;
    return prefix;
}

void BM_WholeScan(benchmark::State& state) {
    auto& prefix = Prefix();
    std::int64_t problems = 0;
    for (auto _ : state) {
        auto services = prefix.Open();  // the load is part of the scan's cost
        QuietHost host;
        engine::ScanSession session(*services, host);
        engine::SectionRows rows = engine::BuildSectionRows(*services);
        rows.selected.assign(rows.labels.size(), 1);
        session.Scan(rows, engine::SelectionSummary(rows));
        problems = session.Results().total;
    }
    state.counters["problems"] = static_cast<double>(problems);
}

}  // namespace

BENCHMARK(BM_WholeScan)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
