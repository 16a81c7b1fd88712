// What Wine's short (8.3) names cost the path resolver, on one folder of 2000 long names:
// lookups by long name (no short name is ever made for them), the first lookup by short
// name in a folder (its listing read and every short name made), later ones (the short
// names kept with the listing), and dead names shaped like short ones or not.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/wine/files/PathResolver.h"
#include "platform/wine/files/ShortName.h"

namespace {

namespace fs = std::filesystem;
namespace files = platform::wine::files;

constexpr int kEntries = 2000;

struct Folder {
    Folder() {
        dir = (fs::temp_directory_path() / ("drennow-short-bench-" + std::to_string(::getpid())))
                  .string();
        fs::create_directories(dir + "/drive_c/Big Folder");
        fs::create_directories(dir + "/dosdevices");
        fs::create_symlink("../drive_c", dir + "/dosdevices/c:");
        for (int i = 0; i < kEntries; ++i)
            std::ofstream(dir + "/drive_c/Big Folder/Program Component " + std::to_string(i) +
                          ".dll");
        const std::string last = "Program Component " + std::to_string(kEntries - 1) + ".dll";
        longPath = "C:\\Big Folder\\" + last;
        shortPath = "C:\\" + files::ShortNameOfHostName("Big Folder") + "\\" +
                    files::ShortNameOfHostName(last);
    }
    ~Folder() { fs::remove_all(dir); }
    std::string dir, longPath, shortPath;
};

const Folder& TheFolder() {
    static const Folder folder;
    return folder;
}

void Lookup(benchmark::State& state, const std::string& path, bool freshCache, bool found) {
    files::DirectoryCache cache;
    cache.SetEnabled(true);
    const files::PathResolver resolver(TheFolder().dir, cache);
    const auto parsed = files::ParseWindowsPathA(path);
    for (auto _ : state) {
        if (freshCache) cache.Clear();
        const files::ResolvedPath resolved = resolver.Resolve(*parsed);
        if ((resolved.kind == files::EntryKind::File) != found) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(resolved);
    }
}

void BM_LongName(benchmark::State& s) { Lookup(s, TheFolder().longPath, false, true); }
void BM_ShortName(benchmark::State& s) { Lookup(s, TheFolder().shortPath, false, true); }
void BM_LongNameFirstInFolder(benchmark::State& s) { Lookup(s, TheFolder().longPath, true, true); }
void BM_ShortNameFirstInFolder(benchmark::State& s) {
    Lookup(s, TheFolder().shortPath, true, true);
}
void BM_DeadLongName(benchmark::State& s) {
    Lookup(s, "C:\\Big Folder\\Gone Component.dll", false, false);
}
void BM_DeadWindowsStyleShortName(benchmark::State& s) {
    Lookup(s, "C:\\Big Folder\\PROGRA~1.DLL", false, false);
}
void BM_DeadShortName(benchmark::State& s) {
    Lookup(s, "C:\\Big Folder\\PROG~AAA.DLL", false, false);
}

}  // namespace

BENCHMARK(BM_LongName);
BENCHMARK(BM_ShortName);
BENCHMARK(BM_LongNameFirstInFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShortNameFirstInFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeadLongName);
BENCHMARK(BM_DeadWindowsStyleShortName);
BENCHMARK(BM_DeadShortName);
BENCHMARK_MAIN();
