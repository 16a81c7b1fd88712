// drennow-cli meeting a disk that fills up at every point of its writes, a prefix it may not
// write, and another Drennow writing the same prefix: the files stay as they were (or become
// what the other wrote), and the user is told.
#include <fmt/format.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/CliProcess.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

namespace fs = std::filesystem;
using clitest::ChildOptions;
using clitest::CliProcess;
using fixtures::Hive;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kBackupFolder = "C:\\Program Files\\Norlix Drennow\\backup";
constexpr const char* kBackup = repairtest::kBackupWindowsPath;

int CountBlocks(const std::string& backup) {
    int blocks = 0;
    for (std::size_t at = backup.find("\n>>"); at != std::string::npos;
         at = backup.find("\n>>", at + 1))
        ++blocks;
    return blocks + (backup.rfind(">>", 0) == 0 ? 1 : 0);
}

class WriteFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CliProcess::Built()) GTEST_SKIP() << "drennow-cli is not built";
        for (Hive hive : {Hive::System, Hive::User}) {
            prefix.SetString(hive, kRun, "Dead", "c:\\gone\\dead.exe");
            for (int i = 0; i < 40; ++i)
                prefix.SetString(hive, "Software\\Filler\\Key" + std::to_string(i), "Value",
                                 std::string(40, 'x'));
        }
        prefix.CreateFolder(kBackupFolder);
        prefix.WriteHives();
    }
    std::vector<std::string> With(std::vector<std::string> args) {
        args.insert(args.begin(), {"--prefix", prefix.Dir()});
        return args;
    }
    std::string System() { return repairtest::ReadBytes(prefix.HivePath(Hive::System)); }
    std::string User() { return repairtest::ReadBytes(prefix.HivePath(Hive::User)); }
    std::string Backup() { return repairtest::ReadBytes(prefix.HostPath(kBackup)); }
    bool TempsLeft() {
        for (const fs::path& dir :
             {fs::path(prefix.Dir()), fs::path(prefix.HostPath(kBackupFolder))})
            for (const auto& entry : fs::directory_iterator(dir))
                if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
        return false;
    }

    fixtures::TestPrefix prefix;
};

// A limit on the size of any file the process writes makes every write past it fail, as a
// full disk would. Tried at every size up to the largest file a repair writes.
TEST_F(WriteFaultTest, DiskFullAtAnySizeLeavesTheFilesAsTheyWereAndSaysSo) {
    // An earlier backup, which every refused repair must leave exactly as it is.
    repairtest::WriteBytes(prefix.HostPath(kBackup),
                           repairtest::Crlf("\n>>   1/2/2026  3:4:5  >>1\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\Old]\n"
                                            "\"Name\"=\"c:\\\\old.exe\"\n\n"));
    const std::string system = System(), user = User(), backup = Backup();
    const std::size_t largest = std::max(system.size(), user.size());
    int faults = 0;
    for (std::size_t limit = 0; limit < largest; limit += 97) {
        CliProcess run(With({"repair", "--sections", "8", "--yes", "--backup"}),
                       ChildOptions{.fileSizeLimit = limit});
        const int code = run.Wait();
        const std::string& out = run.Output();
        ++faults;
        EXPECT_EQ(code, 3) << "limit " << limit << ": " << out;
        EXPECT_EQ(System(), system) << "limit " << limit;
        EXPECT_EQ(User(), user) << "limit " << limit;
        EXPECT_FALSE(TempsLeft()) << "limit " << limit;
        EXPECT_NE(out.find("the file would be larger than this program may write"),
                  std::string::npos)
            << out;
        // The backup is written before anything is deleted; when the commit then failed, its
        // block was taken out again.
        EXPECT_EQ(Backup(), backup) << "limit " << limit;
        if (out.find("registry changes could not be saved") != std::string::npos) {
            EXPECT_NE(out.find("nothing was changed"), std::string::npos) << out;
        }
        if (HasFailure()) break;
    }
    std::cout << faults << " disk-full faults injected\n";
    // And with room enough, the same repair goes through.
    CliProcess run(With({"repair", "--sections", "8", "--yes", "--backup"}), ChildOptions{});
    EXPECT_EQ(run.Wait(), 0) << run.Output();
    EXPECT_NE(System(), system);
}

// Run as a user who may not write the prefix folder (root may write anywhere). The folder is
// that user's own, so only its mode forbids the writes.
TEST_F(WriteFaultTest, UnwritablePrefixRefusesEveryWriteAndChangesNothing) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(prefix.Dir().c_str(), 65534, 65534), 0);
    }
    ::chmod(prefix.Dir().c_str(), 0555);
    // The backup folder stays writable, so the repair gets as far as its commit.
    ::chmod(prefix.HostPath(kBackupFolder).c_str(), 0777);
    const std::string system = System(), user = User();

    CliProcess repair(With({"repair", "--sections", "8", "--yes", "--backup"}),
                      ChildOptions{.unprivileged = true});
    EXPECT_EQ(repair.Wait(), 3);
    EXPECT_NE(repair.Output().find("Cannot write in " + prefix.Dir()), std::string::npos)
        << repair.Output();
    CliProcess browser(With({"browser", "--start-page", "http://example.org/"}),
                       ChildOptions{.unprivileged = true});
    EXPECT_EQ(browser.Wait(), 3);
    EXPECT_NE(browser.Output().find("Cannot write in"), std::string::npos) << browser.Output();

    // Nothing writable at all: the backup fails first and nothing is deleted.
    ::chmod(prefix.HostPath(kBackupFolder).c_str(), 0755);
    fs::remove(prefix.HostPath(kBackup));
    CliProcess noBackup(With({"repair", "--sections", "8", "--yes", "--backup"}),
                        ChildOptions{.unprivileged = true});
    EXPECT_EQ(noBackup.Wait(), 3);
    EXPECT_NE(noBackup.Output().find("access to the folder is denied"), std::string::npos)
        << noBackup.Output();
    ::chmod(prefix.Dir().c_str(), 0700);
    EXPECT_EQ(System(), system);
    EXPECT_EQ(User(), user);
    EXPECT_FALSE(TempsLeft());
}

// Owner, group and mode of every file and folder below `root`, with the size and time of
// change: what a refused write must leave as it was.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) != 0) continue;
        files[entry.path().string()] =
            fmt::format("{}:{} {:o} {} {}.{}", st.st_uid, st.st_gid, st.st_mode, st.st_size,
                        st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    }
    return files;
}

std::string Ownership(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "missing";
    return fmt::format("{}:{} {:o}", st.st_uid, st.st_gid, st.st_mode & 07777);
}

// As Wine does, Drennow writes nothing to a prefix whose folder is another user's: root
// through sudo included. Reading it stays allowed.
TEST_F(WriteFaultTest, AnotherUsersPrefixIsScannedButEveryWriteIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving the prefix to another user needs root";
    repairtest::WriteBytes(prefix.HostPath(kBackup),
                           repairtest::Crlf("\n>>   1/2/2026  3:4:5  >>1\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\Old]\n"
                                            "\"Name\"=\"c:\\\\old.exe\"\n\n"));
    for (const auto& entry : fs::recursive_directory_iterator(prefix.Dir()))
        ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(prefix.Dir().c_str(), 65534, 65534), 0);
    const passwd* nobody = ::getpwuid(65534);
    ASSERT_NE(nobody, nullptr);
    const std::string owner = nobody->pw_name;
    const auto before = Snapshot(prefix.Dir());

    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string said;
    } cases[] = {
        {{"scan", "--sections", "8"}, 1, "This prefix belongs to " + owner + ", not to root"},
        {{"repair", "--sections", "8", "--yes", "--backup"},
         3,
         "Nothing has been repaired: The prefix\n    " + prefix.Dir() +
             "\nis not owned by you: it belongs to " + owner},
        // Not asked either: without --yes and without a terminal it is refused all the same.
        {{"repair", "--sections", "8"}, 3, "wine: '" + prefix.Dir() + "' is not owned by you"},
        {{"backups", "restore", "1"}, 3, "Nothing has been restored: The prefix"},
        {{"backups", "delete", "1"}, 3, "Run Drennow as " + owner},
        {{"browser", "--start-page", "http://example.org/"}, 3, "sudo -u " + owner},
    };
    for (const auto& c : cases) {
        CliProcess run(With(c.args), ChildOptions{});
        EXPECT_EQ(run.Wait(), c.exitCode) << c.args[0] << ": " << run.Output();
        EXPECT_NE(run.Output().find(c.said), std::string::npos) << run.Output();
    }
    EXPECT_EQ(Snapshot(prefix.Dir()), before);
}

// Where Drennow may write, what it replaces keeps its owner, group and mode, and what it
// makes is its folder's owner's: root repairing its own prefix gives nothing away to itself.
TEST_F(WriteFaultTest, WritesKeepEveryOwnerGroupAndMode) {
    if (::geteuid() != 0) GTEST_SKIP() << "files of other owners need root";
    const std::string programs = prefix.HostPath("C:\\Program Files");
    fs::remove_all(programs + "/Norlix Drennow");
    ASSERT_EQ(::chown(programs.c_str(), 65534, 65534), 0);
    const std::string system = prefix.HivePath(Hive::System), user = prefix.HivePath(Hive::User);
    ASSERT_EQ(::chown(system.c_str(), 0, 65534), 0);
    ASSERT_EQ(::chmod(system.c_str(), 0640), 0);
    ASSERT_EQ(::chown(user.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(user.c_str(), 0604), 0);

    CliProcess repair(With({"repair", "--sections", "8", "--yes", "--backup"}), ChildOptions{});
    ASSERT_EQ(repair.Wait(), 0) << repair.Output();
    ASSERT_EQ(System().find("Dead"), std::string::npos);
    EXPECT_EQ(Ownership(system), "0:65534 640");
    EXPECT_EQ(Ownership(user), "65534:65534 604");
    const std::string backup = prefix.HostPath(kBackup);
    for (const std::string& made : {programs + "/Norlix Drennow", prefix.HostPath(kBackupFolder)})
        EXPECT_TRUE(Ownership(made).starts_with("65534:65534 ")) << made << Ownership(made);
    EXPECT_TRUE(Ownership(backup).starts_with("65534:65534 ")) << Ownership(backup);

    // Replaced again (its block deleted), the backup file keeps what it was given since.
    ASSERT_EQ(::chown(backup.c_str(), 65534, 0), 0);
    ASSERT_EQ(::chmod(backup.c_str(), 0620), 0);
    CliProcess remove(With({"backups", "delete", "1"}), ChildOptions{});
    ASSERT_EQ(remove.Wait(), 0) << remove.Output();
    EXPECT_EQ(Backup().find("Dead"), std::string::npos);
    EXPECT_EQ(Ownership(backup), "65534:0 620");
}

// A killed writer's temporary file stays until the next write in its folder, which removes
// it when its writer no longer runs; files of a live process and Wine's own stay.
TEST_F(WriteFaultTest, NextWriteRemovesOnlyTheTemporaryFilesOfDeadDrennows) {
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    const std::string live = std::to_string(::getpid());
    struct Leftover {
        std::string name;
        bool kept;
    };
    const std::vector<Leftover> leftovers = {
        {".drennow-" + std::to_string(dead) + "-17.tmp", false},
        {".drennow-" + live + "-18.tmp", true},
        {"reg" + std::to_string(dead) + "0001.tmp", true},  // as Wine's server names its own
        {"backup.txt.tmp-Ab12Cd", true},
        {".drennow-" + std::to_string(dead) + "-17.tmp.orig", true},
        {".drennow-x-17.tmp", true},
    };
    const std::vector<fs::path> folders = {prefix.Dir(), prefix.HostPath(kBackupFolder)};
    for (const fs::path& folder : folders)
        for (const Leftover& file : leftovers)
            repairtest::WriteBytes((folder / file.name).string(), "x");

    CliProcess run(With({"repair", "--sections", "8", "--yes", "--backup"}), ChildOptions{});
    ASSERT_EQ(run.Wait(), 0) << run.Output();
    for (const fs::path& folder : folders)
        for (const Leftover& file : leftovers)
            EXPECT_EQ(fs::exists(folder / file.name), file.kept) << folder / file.name;
}

// Holds `first` at the entry of its first exclusive create (the temporary file of its first
// replacement), then starts `second` and lets it run until it has ended or waits for the
// folder lock, and lets `first` go on.
std::unique_ptr<CliProcess> Interleave(CliProcess& first, const std::vector<std::string>& second) {
    while (first.NextSyscall())
        if (first.Syscall() == SYS_openat && (first.Arg(2) & O_EXCL)) break;
    EXPECT_EQ(first.Syscall(), SYS_openat);
    auto process = std::make_unique<CliProcess>(second, ChildOptions{});
    while (!process->Ended() && process->BlockedIn() != SYS_flock)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    first.Release();
    return process;
}

TEST_F(WriteFaultTest, SecondDrennowCannotCommitOverTheFirstsChangesAndSaysSo) {
    CliProcess repair(With({"repair", "--sections", "8", "--yes", "--no-backup"}),
                      ChildOptions{.traced = true});
    const auto browser =
        Interleave(repair, With({"browser", "--start-page", "http://second.example/"}));
    EXPECT_EQ(repair.Wait(), 0) << repair.Output();
    // The browser settings were read before the repair's commit; writing them now would
    // throw the repair away.
    EXPECT_EQ(browser->Wait(), 3);
    EXPECT_NE(browser->Output().find("was changed by another program since Drennow read it; "
                                     "nothing was written"),
              std::string::npos)
        << browser->Output();
    EXPECT_EQ(User().find("Dead"), std::string::npos);
    EXPECT_EQ(User().find("second.example"), std::string::npos);

    // Run again on what is there now, it succeeds and keeps the repair.
    CliProcess again(With({"browser", "--start-page", "http://second.example/"}), ChildOptions{});
    EXPECT_EQ(again.Wait(), 0) << again.Output();
    EXPECT_NE(User().find("second.example"), std::string::npos);
    EXPECT_EQ(User().find("Dead"), std::string::npos);
}

TEST_F(WriteFaultTest, TwoDrennowsBackingUpAtOnceKeepTheBackupOfTheRepairMade) {
    CliProcess first(With({"repair", "--sections", "8", "--yes", "--backup"}),
                     ChildOptions{.traced = true});
    const auto second = Interleave(first, With({"repair", "--sections", "8", "--yes", "--backup"}));
    const int firstCode = first.Wait(), secondCode = second->Wait();
    // One of them repaired; the other found the hives changed under it, said so, and took its
    // own block out of the file again, leaving the first's.
    EXPECT_EQ((firstCode == 0) + (secondCode == 0), 1) << first.Output() << "\n---\n"
                                                       << second->Output();
    EXPECT_EQ(CountBlocks(Backup()), 1) << Backup();
    EXPECT_NE(Backup().find("\"Dead\""), std::string::npos) << Backup();
    EXPECT_EQ(System().find("Dead"), std::string::npos);
}

}  // namespace
