// drennow-peak-rss REPORT PROGRAM [ARGS...]
//
// Runs PROGRAM and writes its peak resident set size (KiB, from wait4) to REPORT; exits with
// the program's exit status, or 128 + the signal that ended it. A test cannot measure its own
// child directly: a forked child starts with the test process's resident pages, and exec
// carries the old high-water mark into the child's figure. This program is small when it
// forks, so the figure is the measured program's own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s REPORT PROGRAM [ARGS...]\n", argv[0]);
        return 125;
    }
    const pid_t child = ::fork();
    if (child < 0) return 126;
    if (child == 0) {
        ::execv(argv[2], argv + 2);
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    while (::wait4(child, &status, 0, &usage) < 0)
        if (errno != EINTR) return 126;
    if (FILE* report = std::fopen(argv[1], "w")) {
        std::fprintf(report, "%ld\n", usage.ru_maxrss);
        std::fclose(report);
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}
