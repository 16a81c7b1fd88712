// Hive load and save on the benchmark prefix (about 100 MB of hives: 200k keys and 1M values
// in system.reg): reading and parsing, writing unchanged and fully rewritten text, and a
// commit (the whole file written to a temporary file, flushed and renamed).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/support/BenchPrefix.h"
#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/Registry.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::wine;

// A private copy of the prefix's hives, so that commits never touch the shared prefix.
struct Fixture {
    std::string dir;
    std::string systemText;
    std::size_t hiveBytes = 0;
    Fixture() {
        const std::string source = bench::BenchPrefix();
        dir = (fs::temp_directory_path() / "drennow-hive-bench").string();
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
            fs::copy_file(fs::path(source) / name, fs::path(dir) / name);
        std::ifstream in(fs::path(dir) / "system.reg", std::ios::binary);
        systemText.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        hiveBytes = bench::HiveBytes(dir);
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

registry::Hive ParsedSystemHive() {
    registry::Hive hive;
    hive.path = "system.reg";
    hive.text = Data().systemText;
    std::string error;
    registry::ParseHive(hive, error);
    return hive;
}

void BM_ParseSystemHive(benchmark::State& state) {
    const std::string& text = Data().systemText;
    for (auto _ : state) {
        // The copy stands for the file read, which the load bench includes; taking the tree
        // down is no part of reading it.
        state.PauseTiming();
        auto hive = std::make_unique<registry::Hive>();
        hive->path = "system.reg";
        hive->text = text;
        state.ResumeTiming();
        std::string error;
        benchmark::DoNotOptimize(registry::ParseHive(*hive, error));
        state.PauseTiming();
        hive.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// Read and parse all three hive files, as opening a prefix does.
void BM_LoadPrefix(benchmark::State& state) {
    for (auto _ : state) {
        platform::Status status;
        auto loaded = Registry::Load(Data().dir, status);
        if (!loaded) state.SkipWithError(status.message.c_str());
        benchmark::DoNotOptimize(loaded.get());
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Data().hiveBytes));
}

void BM_SerializeUnchanged(benchmark::State& state) {
    const registry::Hive hive = ParsedSystemHive();
    for (auto _ : state) benchmark::DoNotOptimize(registry::SerializeHive(hive));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(hive.text.size()));
}

void MarkAll(registry::Key& key) {
    key.dirty = true;
    for (auto& child : key.children) MarkAll(*child);
}

void BM_SerializeEveryKeyChanged(benchmark::State& state) {
    registry::Hive hive = ParsedSystemHive();
    MarkAll(*hive.root);
    for (auto _ : state) benchmark::DoNotOptimize(registry::SerializeHive(hive));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(hive.text.size()));
}

// A commit after one change: system.reg written whole to a temporary file, flushed, renamed.
void BM_CommitOneChange(benchmark::State& state) {
    platform::Status status;
    auto loaded = Registry::Load(Data().dir, status);
    platform::HKEY key = 0;
    loaded->RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, "Software\\Bench", &key);
    platform::DWORD n = 0;
    for (auto _ : state) {
        ++n;
        loaded->RegSetValueExA(key, "n", 0, platform::REG_DWORD,
                               reinterpret_cast<const platform::BYTE*>(&n), 4);
        const platform::Status s = loaded->Commit();
        if (!s.ok()) state.SkipWithError(s.message.c_str());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(Data().systemText.size()));
}

}  // namespace

// Wall time throughout: a commit waits for the disk, and that wait is part of saving.
BENCHMARK(BM_ParseSystemHive)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_LoadPrefix)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SerializeUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SerializeEveryKeyChanged)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_CommitOneChange)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_MAIN();
