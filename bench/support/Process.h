#pragma once
// Running another program for a side-by-side measurement: wall time and peak memory.
#include <string>
#include <vector>

namespace bench {

struct ProcessRun {
    double seconds = 0;  // wall time
    long peakKb = 0;     // the child's peak resident set
    int exitCode = -1;   // -1 when it could not be run or was killed
};

// Runs `argv` (looked up in PATH) with `environment` ("NAME=value") added to this process's,
// standard output and error thrown away, and waits for it.
ProcessRun RunProcess(const std::vector<std::string>& argv,
                      const std::vector<std::string>& environment = {});

// True when `program` is found in PATH.
bool OnPath(const std::string& program);

}  // namespace bench
