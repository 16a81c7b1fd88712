#include "bench/support/BenchPrefix.h"

#include <fmt/format.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "bench/generator/PrefixGenerator.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

class GeneratedPrefix {
public:
    GeneratedPrefix() {
        if (const char* given = std::getenv("DRENNOW_BENCH_PREFIX"); given && *given) {
            dir_ = given;
            return;
        }
        std::string pattern = (fs::temp_directory_path() / "drennow-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        dir_ = pattern;
        owned_ = true;
        fmt::print(stderr, "generating a prefix in {} (set DRENNOW_BENCH_PREFIX to reuse one)\n",
                   dir_);
        generator::GeneratePrefix(dir_, generator::GeneratorOptions{});
    }
    ~GeneratedPrefix() {
        std::error_code ignored;
        if (owned_) fs::remove_all(dir_, ignored);
    }
    GeneratedPrefix(const GeneratedPrefix&) = delete;
    GeneratedPrefix& operator=(const GeneratedPrefix&) = delete;
    const std::string& Dir() const { return dir_; }

private:
    std::string dir_;
    bool owned_ = false;
};

}  // namespace

const std::string& BenchPrefix() {
    static const GeneratedPrefix prefix;
    return prefix.Dir();
}

std::size_t HiveBytes(const std::string& prefixDir) {
    std::size_t total = 0;
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
        total += static_cast<std::size_t>(fs::file_size(fs::path(prefixDir) / name));
    return total;
}

}  // namespace bench
