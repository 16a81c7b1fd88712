// A usage error of the desktop program: written on standard error with status 2, and in a box
// only where no terminal shows standard error and the platform shows windows.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/PrefixChoice.h"

extern char** environ;

namespace {

TEST(UsageError, BoxOnlyWithoutATerminalOnAPlatformThatShowsWindows) {
    struct Row {
        bool terminal;
        const char* platform;
        bool box;
    };
    for (const Row& row : {Row{true, "xcb", false}, Row{false, "xcb", true},
                           Row{false, "wayland", true}, Row{false, "offscreen", false},
                           Row{false, "minimal", false}, Row{true, "offscreen", false}})
        EXPECT_EQ(ui::UsageErrorWantsBox(row.terminal, row.platform), row.box)
            << row.platform << (row.terminal ? " on a terminal" : " without one");
}

struct Outcome {
    int status = -1;  // the exit status; -1 when it did not end by itself
    std::string error;
};

// Runs `drennow --frobnicate` on the offscreen platform with standard error on `errorWrite`,
// reading it from `errorRead`. A program that waits (for a box nobody can close) is killed
// after a minute.
Outcome RunWithBadOption(int errorRead, int errorWrite) {
    const std::string program = std::string(DRENNOW_BINARY_DIR) + "/ui/drennow";
    std::vector<std::string> texts = {"QT_QPA_PLATFORM=offscreen"};
    for (char** entry = environ; *entry; ++entry)
        if (std::string(*entry).rfind("QT_QPA_PLATFORM=", 0) != 0) texts.emplace_back(*entry);
    std::vector<char*> environment;
    for (std::string& text : texts) environment.push_back(text.data());
    environment.push_back(nullptr);
    std::string badOption = "--frobnicate";
    std::string name = program;
    char* arguments[] = {name.data(), badOption.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errorWrite, STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, errorRead);
    pid_t child = -1;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(errorWrite);
    Outcome run;
    if (spawned != 0) return run;

    // Standard error ends when the program does (a pipe's reader sees its end, a terminal's
    // master reads EIO).
    pollfd readable{errorRead, POLLIN, 0};
    char buffer[512];
    bool ended = false;
    for (;;) {
        const int ready = ::poll(&readable, 1, 60'000);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t got = ::read(errorRead, buffer, sizeof buffer);
        if (got <= 0) {
            ended = true;
            break;
        }
        run.error.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    if (!ended) ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    if (ended && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

TEST(UsageError, TheProgramWritesItOnStandardErrorAndEndsWithStatus2) {
    for (const bool terminal : {true, false}) {
        SCOPED_TRACE(terminal ? "standard error on a terminal" : "standard error on a pipe");
        int ends[2] = {-1, -1};  // read, write
        if (terminal) {
            ends[0] = ::posix_openpt(O_RDWR | O_NOCTTY);
            ASSERT_GE(ends[0], 0);
            ASSERT_EQ(::grantpt(ends[0]), 0);
            ASSERT_EQ(::unlockpt(ends[0]), 0);
            ends[1] = ::open(::ptsname(ends[0]), O_RDWR | O_NOCTTY);
        } else {
            ASSERT_EQ(::pipe(ends), 0);
        }
        ASSERT_GE(ends[1], 0);
        const Outcome run = RunWithBadOption(ends[0], ends[1]);
        ::close(ends[0]);
        EXPECT_EQ(run.status, 2) << run.error;
        EXPECT_NE(run.error.find("drennow: Unknown argument \"--frobnicate\"."), std::string::npos)
            << run.error;
        EXPECT_NE(run.error.find("Usage: drennow [--prefix DIR | --demo]"), std::string::npos)
            << run.error;
    }
}

}  // namespace
