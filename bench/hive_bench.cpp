// Hive load and save on a synthetic system.reg of about 100 MB (200k keys, 1M values).
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/Registry.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::wine;

constexpr const char* kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";

// Deterministic hive text in Wine's layout and order.
std::string SyntheticHive(int keys, int valuesPerKey) {
    std::string text = kHeader;
    text.reserve(static_cast<std::size_t>(keys) * valuesPerKey * 110);
    for (int k = 0; k < keys; ++k) {
        text += fmt::format("\n[Software\\\\Vendor{:03}\\\\Product{:03}\\\\Component{:05}] "
                            "1700427978\n#time=1da1b2c3d4e5f60\n",
                            k / 4000, (k / 100) % 40, k);
        for (int v = 0; v < valuesPerKey; ++v) {
            switch (v % 5) {
                case 0:
                    text += fmt::format("@=\"C:\\\\Program Files\\\\Vendor {}\\\\bin\\\\tool{}"
                                        ".exe\"\n", k / 4000, k);
                    break;
                case 1:
                    text += fmt::format("\"Install{:02}\"=dword:{:08x}\n", v, k * 7 + v);
                    break;
                case 2:
                    text += fmt::format("\"Path{:02}\"=str(2):\"%ProgramFiles%\\\\Vendor\\\\"
                                        "lib{}.dll /register\"\n", v, k);
                    break;
                case 3:
                    text += fmt::format("\"Data{:02}\"=hex:{:02x},00,01,02,03,04,05,06,07,08,"
                                        "09,0a,0b,0c,0d,0e,0f\n", v, k & 0xff);
                    break;
                default:
                    text += fmt::format("\"Uninstall{:02}\"=\"\\\"C:\\\\Program Files\\\\"
                                        "Vendor\\\\unins{}.exe\\\" /SILENT\"\n", v, k);
                    break;
            }
        }
    }
    return text;
}

struct Fixture {
    std::string dir;
    std::string text;
    Fixture() {
        dir = (fs::temp_directory_path() / "drennow-hive-bench").string();
        fs::create_directories(dir);
        text = SyntheticHive(200000, 5);
        std::ofstream(dir + "/system.reg", std::ios::binary) << text;
        for (const char* other : {"user.reg", "userdef.reg"})
            std::ofstream(dir + "/" + other, std::ios::binary)
                << "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\"
                   "S-1-5-21-0-0-0-1000\n\n#arch=win64\n";
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void BM_ParseHive(benchmark::State& state) {
    const std::string& text = Data().text;
    for (auto _ : state) {
        registry::Hive hive;
        hive.path = "system.reg";
        hive.text = text;
        std::string error;
        benchmark::DoNotOptimize(registry::ParseHive(hive, error));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_LoadPrefix(benchmark::State& state) {
    for (auto _ : state) {
        platform::Status status;
        auto loaded = Registry::Load(Data().dir, status);
        benchmark::DoNotOptimize(loaded.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Data().text.size()));
}

void BM_SerializeUnchanged(benchmark::State& state) {
    registry::Hive hive;
    hive.path = "system.reg";
    hive.text = Data().text;
    std::string error;
    registry::ParseHive(hive, error);
    for (auto _ : state) benchmark::DoNotOptimize(registry::SerializeHive(hive));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hive.text.size()));
}

void MarkAll(registry::Key& key) {
    key.dirty = true;
    for (auto& child : key.children) MarkAll(*child);
}

void BM_SerializeEveryKeyChanged(benchmark::State& state) {
    registry::Hive hive;
    hive.path = "system.reg";
    hive.text = Data().text;
    std::string error;
    registry::ParseHive(hive, error);
    MarkAll(*hive.root);
    for (auto _ : state) benchmark::DoNotOptimize(registry::SerializeHive(hive));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hive.text.size()));
}

// A commit after one change: the whole file written to a temporary file, flushed, renamed.
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
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Data().text.size()));
}

}  // namespace

BENCHMARK(BM_ParseHive)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadPrefix)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SerializeUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SerializeEveryKeyChanged)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CommitOneChange)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
