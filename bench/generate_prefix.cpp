// Writes a synthetic Wine prefix for the benchmarks:
//   generate_prefix DIR [--seed N] [--system-keys N] [--system-values N] [--user-keys N]
//                   [--user-values N] [--files N] [--shortcuts N] [--dead-share X]
//                   [--wine-template]
// --wine-template starts from a copy of the `wineboot -i` prefix cached in the build folder
// (made on first use), so that Wine itself accepts the result.
#include <fmt/format.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "bench/generator/PrefixGenerator.h"
#include "tests/fixtures/WineTemplate.h"

int main(int argc, char** argv) {
    using namespace bench::generator;
    if (argc < 2) {
        fmt::print(stderr, "usage: {} DIR [options]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    GeneratorOptions options;
    bool wine = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        auto number = [&](auto& field) {
            if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
            field = static_cast<std::remove_reference_t<decltype(field)>>(std::atof(argv[++i]));
        };
        try {
            if (arg == "--seed") number(options.seed);
            else if (arg == "--system-keys") number(options.systemKeys);
            else if (arg == "--system-values") number(options.systemValues);
            else if (arg == "--user-keys") number(options.userKeys);
            else if (arg == "--user-values") number(options.userValues);
            else if (arg == "--files") number(options.files);
            else if (arg == "--shortcuts") number(options.shortcuts);
            else if (arg == "--dead-share") number(options.deadShare);
            else if (arg == "--wine-template") wine = true;
            else throw std::invalid_argument("unknown option " + arg);
        } catch (const std::exception& e) {
            fmt::print(stderr, "generate_prefix: {}\n", e.what());
            return 2;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    if (wine) {
        const std::string source = fixtures::WineTemplatePrefixIn(DRENNOW_BINARY_DIR);
        if (source.empty() || fixtures::CopyWineTemplateFrom(source, dir).empty()) {
            fmt::print(stderr, "generate_prefix: no wineboot prefix to start from\n");
            return 3;
        }
    }
    try {
        const GeneratorReport r = GeneratePrefix(dir, options);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        fmt::print("prefix {}\n", dir);
        fmt::print("system.reg   {:>8} keys {:>8} values {:>6.1f} MB\n", r.systemKeys,
                   r.systemValues, static_cast<double>(r.systemBytes) / 1e6);
        fmt::print("user.reg     {:>8} keys {:>8} values {:>6.1f} MB\n", r.userKeys, r.userValues,
                   static_cast<double>(r.userBytes) / 1e6);
        fmt::print("references   {:>8} ({} dead, {:.2f}%)\n", r.references, r.deadReferences,
                   100.0 * static_cast<double>(r.deadReferences) /
                       static_cast<double>(std::max<std::size_t>(1, r.references)));
        fmt::print("drive_c      {:>8} files in {} new folders, {} shortcuts ({} dead)\n", r.files,
                   r.folders, r.shortcuts, r.deadShortcuts);
        fmt::print("profile      {}\ntook         {:.1f} s\n", r.userName, seconds);
    } catch (const std::exception& e) {
        fmt::print(stderr, "generate_prefix: {}\n", e.what());
        return 3;
    }
    return 0;
}
