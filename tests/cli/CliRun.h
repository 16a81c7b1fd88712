#pragma once
// Runs the real drennow-cli with stdin from /dev/null (no terminal), capturing stdout.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace clitest {

struct CliRun {
    int exitCode = -1;
    std::string out;
};

inline std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline CliRun Cli(const std::vector<std::string>& args) {
    std::string command = Quote(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli");
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " </dev/null 2>/dev/null";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct HomeRun {
    int exitCode = -1;
    std::string out, err;
};

// drennow-cli run through `env` with `environment` ("-u WINEPREFIX HOME=..."), its standard
// error passed through the file `errFile`.
inline HomeRun CliInEnvironment(const std::string& environment,
                                const std::vector<std::string>& args, const std::string& errFile) {
    std::string command =
        "env " + environment + " " + Quote(std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli");
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " </dev/null 2>" + Quote(errFile);
    HomeRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pipe ? ::pclose(pipe) : -1;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    run.err.assign(std::istreambuf_iterator<char>(in), {});
    return run;
}

}  // namespace clitest
