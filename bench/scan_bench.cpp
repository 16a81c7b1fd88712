// Scanning the benchmark prefix: the whole scan of sections 1 to 13 with the hives' load, each
// section's walk on its own, and the shortcut walk over drive C:.
#include <benchmark/benchmark.h>

#include "bench/support/BenchPrefix.h"
#include "bench/support/ScanRun.h"

namespace {

// Loading is part of what a user waits for.
void BM_WholeScanSections1To13(benchmark::State& state) {
    int problems = 0;
    for (auto _ : state) {
        auto services = bench::OpenPrefix(bench::BenchPrefix());
        bench::QuietHost host;
        problems = bench::Scan(*services, host,
                               bench::ChosenRows(*services, bench::RegistrySections(), false));
        state.PauseTiming();  // taking the registry down is no part of the scan
        services.reset();
        state.ResumeTiming();
    }
    state.counters["problems"] = problems;
    state.counters["hive_MB"] = static_cast<double>(bench::HiveBytes(bench::BenchPrefix())) / 1e6;
}

// One section's walk on a prefix already open.
void BM_Section(benchmark::State& state) {
    auto services = bench::OpenPrefix(bench::BenchPrefix());
    const int section = static_cast<int>(state.range(0));
    const engine::SectionRows rows = bench::ChosenRows(*services, {section}, false);
    int problems = 0;
    for (auto _ : state) {
        bench::QuietHost host;
        problems = bench::Scan(*services, host, rows);
    }
    state.counters["problems"] = problems;
}

// Section 14 on every fixed drive, on a prefix already open.
void BM_ShortcutWalk(benchmark::State& state) {
    auto services = bench::OpenPrefix(bench::BenchPrefix());
    const engine::SectionRows rows = bench::ChosenRows(*services, {}, true);
    int problems = 0;
    for (auto _ : state) {
        bench::QuietHost host;
        problems = bench::Scan(*services, host, rows);
    }
    state.counters["problems"] = problems;
}

}  // namespace

BENCHMARK(BM_WholeScanSections1To13)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Section)->DenseRange(1, 13)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ShortcutWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
