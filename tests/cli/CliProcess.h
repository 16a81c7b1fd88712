#pragma once
// The real drennow-cli as a child process the test controls: optionally traced, stopping at the
// entry of every system call so that it can be killed or held exactly there (files change only
// through system calls, so killing before each in turn leaves every state a crash can), with a
// file-size limit (writes past it fail as on a full disk) or without root's right to write
// anywhere. Output (stdout and stderr) is drained by a thread, so a held child never blocks on
// a full pipe, and a file-size limit does not cut it short.
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cerrno>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace clitest {

struct ChildOptions {
    bool traced = false;
    bool unprivileged = false;  // run as nobody when the tests run as root
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

class CliProcess {
public:
    static std::string CliPath() {
        std::string path = DRENNOW_BINARY_DIR;
        path += "/cli/drennow-cli";
        return path;
    }
    static bool Built() { return ::access(CliPath().c_str(), X_OK) == 0; }

    CliProcess(const std::vector<std::string>& args, const ChildOptions& options)
        : traced_(options.traced) {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
        std::vector<std::string> argv{CliPath()};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_ = ::fork();
        if (pid_ != 0) {
            running_ = pid_ > 0;
            ::close(pipeFds[1]);
            reader_ = std::thread([this, in = pipeFds[0]] {
                char buffer[4096];
                ssize_t n;
                while ((n = ::read(in, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
                    if (n > 0) output_.append(buffer, static_cast<std::size_t>(n));
                ::close(in);
            });
            if (pid_ > 0 && traced_) WaitStop();  // at the exec
            return;
        }
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        ::dup2(pipeFds[1], 1);
        ::dup2(pipeFds[1], 2);
        if (options.fileSizeLimit != RLIM_INFINITY) {
            ::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
            const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (options.unprivileged && ::geteuid() == 0 &&
            (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(120);
        // The leak checker traces the process itself, which a traced process cannot allow.
        if (traced_) ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        if (traced_ && ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(121);
        std::vector<char*> raw;
        for (std::string& a : argv) raw.push_back(a.data());
        raw.push_back(nullptr);
        ::execv(raw[0], raw.data());
        ::_exit(122);
    }
    ~CliProcess() {
        Kill();
        if (reader_.joinable()) reader_.join();
    }
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    bool Started() const { return pid_ > 0 && running_; }
    pid_t Pid() const { return pid_; }

    // Traced: runs to the entry of the next system call. False once the process has ended.
    bool NextSyscall() {
        while (running_) {
            if (::ptrace(PTRACE_SYSCALL, pid_, nullptr, reinterpret_cast<void*>(pending_)) != 0)
                return false;
            pending_ = 0;
            if (!WaitStop()) return false;
            if (stopSignal_ != (SIGTRAP | 0x80)) {
                if (stopSignal_ != SIGTRAP) pending_ = stopSignal_;  // hand real signals on
                continue;
            }
            __ptrace_syscall_info info{};
            if (::ptrace(PTRACE_GET_SYSCALL_INFO, pid_, reinterpret_cast<void*>(sizeof info),
                         &info) <= 0)
                return false;
            if (info.op != PTRACE_SYSCALL_INFO_ENTRY) continue;
            number_ = static_cast<long>(info.entry.nr);
            for (std::size_t i = 0; i < 6; ++i) args_[i] = info.entry.args[i];
            return true;
        }
        return false;
    }
    long Syscall() const { return number_; }
    std::uint64_t Arg(std::size_t i) const { return args_[i]; }

    // Traced: lets the process go on untraced from where it is held.
    void Release() {
        if (running_ && traced_) ::ptrace(PTRACE_DETACH, pid_, nullptr, nullptr);
        traced_ = false;
    }
    void Kill() {
        if (!running_ || pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        running_ = false;
        exitCode_ = -SIGKILL;
    }
    // Waits for the end (releasing a traced process first): the exit code, or minus the
    // signal that ended it.
    int Wait() {
        Release();
        while (running_) {
            int status = 0;
            if (::waitpid(pid_, &status, 0) < 0) break;
            if (WIFEXITED(status) || WIFSIGNALED(status)) {
                running_ = false;
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            }
        }
        return exitCode_;
    }
    // True once the process has ended, without waiting.
    bool Ended() {
        if (!running_) return true;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_ &&
            (WIFEXITED(status) || WIFSIGNALED(status))) {
            running_ = false;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        }
        return !running_;
    }
    // The system call the (untraced, running) process is blocked in, -1 when none is known.
    long BlockedIn() const {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/syscall");
        long number = -1;
        return (in >> number) ? number : -1;
    }
    // What the process wrote, once it has ended.
    const std::string& Output() {
        Wait();
        if (reader_.joinable()) reader_.join();
        return output_;
    }

private:
    bool WaitStop() {
        int status = 0;
        if (::waitpid(pid_, &status, 0) < 0 || !WIFSTOPPED(status)) {
            if (WIFEXITED(status) || WIFSIGNALED(status)) {
                running_ = false;
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            }
            return false;
        }
        stopSignal_ = WSTOPSIG(status);
        if (!optionsSet_) {
            ::ptrace(PTRACE_SETOPTIONS, pid_, nullptr,
                     reinterpret_cast<void*>(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL));
            optionsSet_ = true;
        }
        return true;
    }

    pid_t pid_ = -1;
    bool traced_;
    bool running_ = false;
    bool optionsSet_ = false;
    int stopSignal_ = 0;
    long pending_ = 0;
    int exitCode_ = -1;
    long number_ = -1;
    std::array<std::uint64_t, 6> args_{};
    std::thread reader_;
    std::string output_;
};

// Whether a system call about to run may change a file: an open for writing or creating, a
// rename, an unlink, or the lock taken before a replacement.
inline bool ChangesFiles(long number, std::uint64_t arg1, std::uint64_t arg2) {
    switch (number) {
#ifdef SYS_open
    case SYS_open: return (arg1 & (O_WRONLY | O_RDWR | O_CREAT)) != 0;
#endif
    case SYS_openat: return (arg2 & (O_WRONLY | O_RDWR | O_CREAT)) != 0;
#ifdef SYS_rename
    case SYS_rename:
#endif
    case SYS_renameat:
    case SYS_renameat2:
#ifdef SYS_unlink
    case SYS_unlink:
#endif
    case SYS_unlinkat:
    case SYS_flock: return true;
    default: return false;
    }
}

}  // namespace clitest
