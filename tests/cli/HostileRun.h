#pragma once
// Runs the real drennow-cli on a prefix and measures it: exit status, stdout, stderr and the
// peak resident set size of the drennow-cli process alone (through drennow-peak-rss, so the
// figure does not include the test process's own pages).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace clitest {

struct MeasuredRun {
    int exitCode = -1;  // 128 + signal when a signal ended it
    std::string out;
    std::string err;
    long peakKiB = -1;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// `workDir` holds the captured output; `unprivileged` runs the program as nobody when the
// tests run as root (root reads every folder whatever its permissions).
inline MeasuredRun CliMeasured(const std::string& workDir, const std::vector<std::string>& args,
                               bool unprivileged = false) {
    const std::string report = workDir + "/peak-rss.txt";
    const std::string out = workDir + "/stdout.txt";
    const std::string err = workDir + "/stderr.txt";
    for (const std::string& file : {report, out, err}) {
        std::ofstream(file, std::ios::trunc).flush();
        ::chmod(file.c_str(), 0666);
    }
    const std::string helper = std::string(DRENNOW_BINARY_DIR) + "/tests/drennow-peak-rss";
    const std::string cli = std::string(DRENNOW_BINARY_DIR) + "/cli/drennow-cli";
    std::vector<std::string> argv = {helper, report, cli};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& arg : argv) raw.push_back(arg.data());
    raw.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int o = ::open(out.c_str(), O_WRONLY | O_TRUNC);
        const int e = ::open(err.c_str(), O_WRONLY | O_TRUNC);
        if (in < 0 || o < 0 || e < 0 || ::dup2(in, 0) < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0)
            ::_exit(120);
        // A walk that never ends would hold the test until CTest's timeout: stop it at a
        // minute of processor time, which no case here comes near.
        const struct rlimit cpu = {60, 60};
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(121);
        ::execv(raw[0], raw.data());
        ::_exit(122);
    }
    MeasuredRun run;
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    const std::string peak = ReadAll(report);
    if (!peak.empty()) run.peakKiB = std::stol(peak);
    return run;
}

}  // namespace clitest
