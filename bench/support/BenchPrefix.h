#pragma once
// The prefix the benchmarks work on: the one named by DRENNOW_BENCH_PREFIX (scripts/bench
// generates it once for every program of a run), else one generated with the default sizes
// into a temporary folder on first use and removed when the program ends.
#include <string>

namespace bench {

const std::string& BenchPrefix();

// Total size in bytes of the prefix's three hive files.
std::size_t HiveBytes(const std::string& prefixDir);

}  // namespace bench
