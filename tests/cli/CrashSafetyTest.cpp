// drennow-cli killed with SIGKILL before every system call of its writes, and run out of disk:
// each hive and the backup file must still parse and be either the old file or the new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wine/TempFiles.h"
#include "platform/wine/WinePrefix.h"
#include "tests/cli/CliProcess.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

namespace fs = std::filesystem;
using clitest::ChildOptions;
using clitest::CliProcess;
using fixtures::Hive;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kBackup = repairtest::kBackupWindowsPath;

// A file's content with what differs between two runs that write the same thing masked:
// the keys' modification times and the backup header's date and time.
std::string Masked(const std::string& text) {
    std::string out;
    for (std::size_t start = 0, end; start < text.size(); start = end) {
        end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string_view line(text.data() + start, end - start);
        if (line.starts_with("#time=")) continue;
        if (const std::size_t close = line.rfind("] ");
            line.starts_with("[") && close != std::string_view::npos) {
            out.append(line.substr(0, close + 1)).append("\n");
        } else if (const std::size_t second = line.find(">>", 2);
                   line.starts_with(">>") && second != std::string_view::npos) {
            out.append(">>T").append(line.substr(second));
        } else {
            out.append(line);
        }
    }
    return out;
}

// The files a repair, a restore or a backup deletion may rewrite, keyed by host path.
class Snapshot {
public:
    explicit Snapshot(const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            files_[path] =
                fs::exists(path) ? std::optional(repairtest::ReadBytes(path)) : std::nullopt;
    }
    void Restore() const {
        for (const auto& [path, text] : files_) {
            if (text) repairtest::WriteBytes(path, *text);
            else fs::remove(path);
        }
    }
    const std::map<std::string, std::optional<std::string>>& Files() const { return files_; }

private:
    std::map<std::string, std::optional<std::string>> files_;
};

class CrashSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CliProcess::Built()) GTEST_SKIP() << "drennow-cli is not built";
        // Dead entries in both registry hives, so a repair replaces two files; enough other
        // keys that a hive is larger than the backup block.
        for (Hive hive : {Hive::System, Hive::User}) {
            prefix.SetString(hive, kRun, "Dead", "c:\\gone\\dead.exe");
            prefix.SetString(hive, kRun, "Also Dead", "C:\\Gone\\Other.EXE /quiet");
            for (int i = 0; i < 60; ++i)
                prefix.SetString(hive, "Software\\Filler\\Key" + std::to_string(i), "Value",
                                 std::string(40, 'x'));
        }
        // An earlier backup, to restore into both hives and which a rewrite must keep.
        prefix.CreateFile(kBackup,
                          "\r\n>>   1/2/2026  3:4:5  >>2\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Old]\r\n"
                          "\"Name\"=\"c:\\\\old.exe\"\r\n\r\n"
                          "[HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"
                          "\"Name\"=dword:00000007\r\n\r\n");
        prefix.WriteHives();
        paths = {prefix.HivePath(Hive::System), prefix.HivePath(Hive::User),
                 prefix.HivePath(Hive::UserDefault), prefix.HostPath(kBackup)};
    }
    std::vector<std::string> With(std::vector<std::string> args) {
        args.insert(args.begin(), {"--prefix", prefix.Dir()});
        return args;
    }
    // Every file is whole and parses: the prefix opens with all its hives.
    ::testing::AssertionResult Opens() {
        platform::Status status;
        if (!platform::wine::OpenPrefix(prefix.Dir(), status))
            return ::testing::AssertionFailure() << status.message;
        return ::testing::AssertionSuccess();
    }
    // Each file is either exactly what it was or what an uninterrupted run wrote.
    ::testing::AssertionResult OldOrNew(const Snapshot& before, const Snapshot& after) {
        for (const auto& [path, old] : before.Files()) {
            const auto& done = after.Files().at(path);
            const bool exists = fs::exists(path);
            if (!exists) {
                if (old || done) return ::testing::AssertionFailure() << path << " is missing";
                continue;
            }
            const std::string now = repairtest::ReadBytes(path);
            if (old && now == *old) continue;
            if (done && Masked(now) == Masked(*done)) continue;
            return ::testing::AssertionFailure() << path << " is neither old nor new:\n" << now;
        }
        return ::testing::AssertionSuccess();
    }
    // Temporary files a killed writer left in the prefix and the backup folder (the next
    // write would remove them; removed here so each kill point starts from the same files).
    int LeftoverTemps() {
        int count = 0;
        for (const fs::path& dir : {fs::path(prefix.Dir()), fs::path(paths[3]).parent_path()})
            for (const auto& entry : fs::directory_iterator(dir))
                if (const std::string name = entry.path().filename().string();
                    platform::wine::TempFileOwner(name) != 0) {
                    fs::remove(entry.path());
                    ++count;
                } else {
                    // Any other temporary name could be taken for one of Wine's.
                    EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
                }
        return count;
    }

    // Runs `args` once through to learn its system calls, then again once per system call
    // from the first that may change a file, killed just before it. Returns the kill points.
    int KillAtEverySyscall(const std::vector<std::string>& args) {
        const Snapshot before(paths);
        int first = -1, total = 0;
        {
            CliProcess run(With(args), ChildOptions{.traced = true});
            for (; run.NextSyscall(); ++total)
                if (first < 0 && clitest::ChangesFiles(run.Syscall(), run.Arg(1), run.Arg(2)))
                    first = total;
            EXPECT_EQ(run.Wait(), 0) << run.Output();
        }
        const Snapshot after(paths);
        EXPECT_NE(after.Files(), before.Files()) << "the run changed nothing";
        EXPECT_GE(first, 0);
        int points = 0;
        for (int killAt = std::max(first, 0); killAt < total; ++killAt) {
            before.Restore();
            CliProcess run(With(args), ChildOptions{.traced = true});
            for (int n = 0; n <= killAt && run.NextSyscall(); ++n) {
            }
            run.Kill();
            ++points;
            EXPECT_TRUE(Opens()) << "killed before system call " << killAt;
            EXPECT_TRUE(OldOrNew(before, after)) << "killed before system call " << killAt;
            temps += LeftoverTemps();
            if (HasFailure()) break;
        }
        before.Restore();
        return points;
    }

    fixtures::TestPrefix prefix;
    std::vector<std::string> paths;
    int temps = 0;
};

TEST_F(CrashSafetyTest, KilledAnywhereInRepairBackupAndCommitLeavesOldOrNewFiles) {
    const int points = KillAtEverySyscall({"repair", "--sections", "8", "--yes", "--backup"});
    EXPECT_GT(points, 20);
    RecordProperty("kill_points", points);
    std::cout << "repair: " << points << " kill points, " << temps << " temporary files left\n";
}

TEST_F(CrashSafetyTest, KilledAnywhereInRestoreOrBackupDeletionLeavesOldOrNewFiles) {
    const int restore = KillAtEverySyscall({"backups", "restore", "1"});
    const int deletion = KillAtEverySyscall({"backups", "delete", "1"});
    EXPECT_GT(restore, 10);
    EXPECT_GT(deletion, 5);
    std::cout << "restore: " << restore << " kill points; backup deletion: " << deletion
              << " kill points; " << temps << " temporary files left\n";
}

}  // namespace
