// Hostile prefixes: hive lines of megabytes, a key with 100k subkeys, registry links that
// chain and loop, a drive_c with a folder loop and unreadable folders, shortcut files of zero
// bytes and of 100 MB. Each is built in a temporary folder and scanned by the real
// drennow-cli, which must give a clear result, stay within a memory bound and not crash.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "tests/cli/HostileRun.h"
#include "tests/fixtures/TestPrefix.h"
#include "platform/wine/WinePrefix.h"

namespace {

using fixtures::Hive;
using fixtures::TestPrefix;
using platform::Status;
namespace fs = std::filesystem;

// drennow-cli's peak memory on a small prefix is about 5 MiB in the release build. Under ASan
// the program alone (its debug image, shadow memory and quarantine) takes most of it and grows
// with the code, so there the limit is what `--version` takes plus a margin. Reading a 100 MB
// file whole would go over the limit, and in the release build so would 16 MiB of it. On a
// large hive memory stays within a small multiple of its size.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kSmallPrefixMarginKiB = 40 * 1024;
constexpr long kHivePeakFactor = 12;
#else
constexpr long kSmallPrefixMarginKiB = 16 * 1024;
constexpr long kHivePeakFactor = 4;
#endif

class HostilePrefix : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"/cli/drennow-cli", "/tests/drennow-peak-rss"})
            if (!fs::exists(std::string(DRENNOW_BINARY_DIR) + tool))
                GTEST_SKIP() << tool << " is not built";
        work_ = prefix_.Dir() + "/run";  // outside drive_c: the scan never sees it
        fs::create_directories(work_);
        ::chmod(work_.c_str(), 0777);
    }

    // The peak a small prefix may take.
    long SmallPrefixPeakKiB() {
#if defined(__SANITIZE_ADDRESS__)
        return clitest::CliMeasured(work_, {"--version"}).peakKiB + kSmallPrefixMarginKiB;
#else
        return kSmallPrefixMarginKiB;
#endif
    }

    clitest::MeasuredRun Scan(const std::string& sections, bool unprivileged = false) {
        return clitest::CliMeasured(
            work_, {"--prefix", prefix_.Dir(), "scan", "--sections", sections, "--json"},
            unprivileged);
    }

    // Adds raw hive text at the end of a hive file, for what the fixture's writer never
    // writes (links, damaged lines). Registry content set after this would rewrite the file.
    void AppendToHive(Hive hive, const std::string& text) {
        prefix_.WriteHives();
        std::ofstream(prefix_.HivePath(hive), std::ios::binary | std::ios::app) << text;
    }

    // The problems of one section of a JSON scan, as "key|name|value" lines.
    static std::vector<std::string> Problems(const clitest::MeasuredRun& run, int section) {
        std::vector<std::string> found;
        const auto doc = nlohmann::json::parse(run.out);
        for (const auto& p : doc["sections"][static_cast<std::size_t>(section - 1)]["problems"])
            found.push_back(p["key"].get<std::string>() + "|" + p["name"].get<std::string>() + "|" +
                            p["value"].get<std::string>());
        return found;
    }

    // Writes the hives and marks these keys (paths as the hive text spells them) as links,
    // the way Wine writes a link key.
    void MarkLinks(Hive hive, const std::vector<std::string>& keyLines) {
        prefix_.WriteHives();
        std::string text = prefix_.ReadHive(hive);
        for (const std::string& line : keyLines) {
            const std::size_t at = text.find("[" + line + "]");
            ASSERT_NE(at, std::string::npos) << line;
            text.insert(text.find('\n', at) + 1, "#link\n");
        }
        std::ofstream(prefix_.HivePath(hive), std::ios::binary | std::ios::trunc) << text;
    }

    TestPrefix prefix_;
    std::string work_;
};

// A problem as the JSON output names it: the key in brackets, the value name and text in
// the hive's quoting ("@" for a shortcut, which has no value name).
std::string Found(const std::string& key, const std::string& name, const std::string& value) {
    std::string quoted;
    for (char c : value) quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return "[" + key + "]|" + (name.empty() ? "@" : "\"" + name + "\"") + "|\"" + quoted + "\"";
}

// UTF-16LE bytes of a link target, as REG_LINK data holds it.
std::vector<std::uint8_t> LinkData(const std::string& target) {
    std::vector<std::uint8_t> bytes;
    for (char c : target) bytes.push_back(static_cast<std::uint8_t>(c)), bytes.push_back(0);
    return bytes;
}

// ---- Hive lines of megabytes ------------------------------------------------------------

TEST_F(HostilePrefix, HiveLinesOfMegabytesAreReadExactlyAndScanned) {
    const std::string huge = "C:\\gone\\" + std::string(4u << 20, 'x') + ".exe";
    std::vector<std::uint8_t> blob(3u << 20);
    for (std::size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    prefix_.SetString(Hive::User, "Software\\Hostile", "Huge", huge);
    prefix_.SetBinary(Hive::User, "Software\\Hostile", "Blob", blob);
    prefix_.SetString(Hive::User, "Software\\Hostile", "Dead", "C:\\Gone\\after-huge.exe");
    // A key name of a megabyte (Wine's server refuses names over 256 characters): it is no
    // key a walk can name, and the keys after it are still walked.
    const std::string longName(1u << 20, 'k');
    prefix_.SetString(Hive::User, "Software\\Hostile\\" + longName, "v", "C:\\Gone\\long.exe");
    prefix_.SetString(Hive::User, "Software\\Hostile\\zz", "Dead", "C:\\Gone\\after-long-key.exe");
    // A key line of three megabytes in a million components: far deeper than the 512 levels
    // any path can open, and deep enough to overflow the stack of anything that follows the
    // tree down level by level.
    std::string deep = "\n[Software\\\\Deep";
    for (int i = 0; i < 1000000; ++i) deep += "\\\\d";
    AppendToHive(Hive::User, deep + "] 1700000000\n\"v\"=\"C:\\\\Gone\\\\deep.exe\"\n");

    {
        auto services = prefix_.Open();
        platform::HKEY key = 0;
        ASSERT_EQ(services->RegOpenKeyExA(platform::HKEY_CURRENT_USER, "Software\\Hostile", 0,
                                          platform::KEY_READ, &key),
                  platform::ERROR_SUCCESS);
        std::string text(huge.size() + 1, '\0');
        platform::DWORD type = 0, length = static_cast<platform::DWORD>(text.size());
        auto* data = reinterpret_cast<platform::BYTE*>(text.data());
        ASSERT_EQ(services->RegQueryValueExA(key, "Huge", &type, data, &length),
                  platform::ERROR_SUCCESS);
        EXPECT_EQ(type, platform::REG_SZ);
        EXPECT_EQ(length, huge.size() + 1);
        EXPECT_TRUE(text.compare(0, huge.size(), huge) == 0);
        std::vector<std::uint8_t> bytes(blob.size() + 16);
        length = static_cast<platform::DWORD>(bytes.size());
        ASSERT_EQ(services->RegQueryValueExA(key, "Blob", &type, bytes.data(), &length),
                  platform::ERROR_SUCCESS);
        EXPECT_EQ(type, platform::REG_BINARY);
        bytes.resize(length);
        EXPECT_TRUE(bytes == blob);
        services->RegCloseKey(key);
    }

    const clitest::MeasuredRun run = Scan("13");
    ASSERT_EQ(run.exitCode, 1) << run.err;
    // The 4 MB value does not fit the walk's buffers: skipped, never judged on what fits.
    const std::string key = "HKEY_CURRENT_USER\\SOFTWARE\\Hostile";
    EXPECT_EQ(Problems(run, 13), (std::vector<std::string>{
                                     Found(key, "Dead", "C:\\Gone\\after-huge.exe"),
                                     Found(key + "\\zz", "Dead", "C:\\Gone\\after-long-key.exe")}));
    const auto hiveKiB = static_cast<long>(fs::file_size(prefix_.HivePath(Hive::User)) / 1024);
    RecordProperty("hive_kib", std::to_string(hiveKiB));
    RecordProperty("peak_kib", std::to_string(run.peakKiB));
    EXPECT_GT(run.peakKiB, 0);
    EXPECT_LT(run.peakKiB, SmallPrefixPeakKiB() + kHivePeakFactor * hiveKiB);
}

TEST_F(HostilePrefix, DamagedLineOfMegabytesIsNamedAndNothingIsWritten) {
    prefix_.SetString(Hive::User, "Software\\Hostile", "Dead", "C:\\Gone\\app.exe");
    AppendToHive(Hive::User, "\n[Software\\\\Damaged] 1700000000\n\"Broken\"=\"" +
                                 std::string(3u << 20, 'd') + "\n");
    const std::string before = prefix_.ReadHive(Hive::User);

    const clitest::MeasuredRun scan = Scan("13");
    ASSERT_EQ(scan.exitCode, 1) << scan.err;  // the damaged value aside, the hive reads
    EXPECT_EQ(Problems(scan, 13).size(), 1u);
    const auto hiveKiB = static_cast<long>(before.size() / 1024);
    RecordProperty("hive_kib", std::to_string(hiveKiB));
    RecordProperty("peak_kib", std::to_string(scan.peakKiB));
    EXPECT_LT(scan.peakKiB, SmallPrefixPeakKiB() + kHivePeakFactor * hiveKiB);

    const clitest::MeasuredRun repair = clitest::CliMeasured(
        work_, {"--prefix", prefix_.Dir(), "repair", "--sections", "13", "--no-backup", "--yes"});
    EXPECT_EQ(repair.exitCode, 3);
    EXPECT_NE((repair.out + repair.err).find("user.reg:"), std::string::npos) << repair.err;
    EXPECT_NE((repair.out + repair.err).find("malformed value data"), std::string::npos)
        << repair.err;
    EXPECT_TRUE(prefix_.ReadHive(Hive::User) == before);
}

// ---- A key with 100k subkeys ---------------------------------------------------------------

TEST_F(HostilePrefix, HundredThousandSubkeysAreWalkedAndTheDeadOnesFound) {
    prefix_.WriteHives();
    std::string text = "\n";
    for (int i = 0; i < 100000; ++i) {
        const std::string name = fmt::format("k{:06}", i);
        const bool dead = i % 1000 == 999;
        text += fmt::format(
            "[Software\\\\Many\\\\{}] 1700000000\n"
            "\"Path\"=\"C:\\\\{}\\\\{}.exe\"\n\n",
            name, dead ? "Gone" : "windows", dead ? name : "notepad");
    }
    prefix_.CreateFile("C:\\windows\\notepad.exe", "MZ");
    AppendToHive(Hive::User, text);

    const clitest::MeasuredRun run = Scan("13");
    ASSERT_EQ(run.exitCode, 1) << run.err;
    const std::vector<std::string> found = Problems(run, 13);
    ASSERT_EQ(found.size(), 100u);
    const std::string many = "HKEY_CURRENT_USER\\SOFTWARE\\Many\\";
    EXPECT_EQ(found.front(), Found(many + "k000999", "Path", "C:\\Gone\\k000999.exe"));
    EXPECT_EQ(found.back(), Found(many + "k099999", "Path", "C:\\Gone\\k099999.exe"));
    const auto hiveKiB = static_cast<long>(fs::file_size(prefix_.HivePath(Hive::User)) / 1024);
    RecordProperty("hive_kib", std::to_string(hiveKiB));
    RecordProperty("peak_kib", std::to_string(run.peakKiB));
    // 100k keys cost more than their text: each is a node of the tree and a path in the walk.
    EXPECT_LT(run.peakKiB, SmallPrefixPeakKiB() + 2 * kHivePeakFactor * hiveKiB);
}

// ---- Registry links ------------------------------------------------------------------------

// Wine's server follows a link inside a link's target at most 16 times; one more and the open
// fails as if the key were not there.
TEST_F(HostilePrefix, LinkChainsResolveUpToWinesNestingLimitAndFailPastIt) {
    prefix_.SetString(Hive::System, "Software\\Target\\Sub", "v", "reached");
    std::vector<std::string> links;
    for (const auto& [chain, length] : {std::pair{"Fits", 16}, std::pair{"TooLong", 17}}) {
        for (int i = 1; i <= length; ++i) {
            const std::string name = fmt::format("Software\\{}\\L{:02}", chain, i);
            const std::string next =
                i == length
                    ? std::string("\\Registry\\Machine\\Software\\Target")
                    : fmt::format("\\Registry\\Machine\\Software\\{}\\L{:02}", chain, i + 1);
            prefix_.SetRaw(Hive::System, name, "SymbolicLinkValue", platform::REG_LINK,
                           LinkData(next));
            links.push_back(fmt::format("Software\\\\{}\\\\L{:02}", chain, i));
        }
    }
    MarkLinks(Hive::System, links);
    Status status;
    auto services = platform::wine::OpenPrefix(prefix_.Dir(), status);
    ASSERT_TRUE(services) << status.message;
    const auto read = [&](const char* path) {
        platform::HKEY key = 0;
        const platform::LONG rc = services->RegOpenKeyExA(platform::HKEY_LOCAL_MACHINE, path, 0,
                                                          platform::KEY_READ, &key);
        if (rc != platform::ERROR_SUCCESS) return "error " + std::to_string(rc);
        char data[64] = {};
        platform::DWORD length = sizeof data;
        services->RegQueryValueExA(key, "v", nullptr, reinterpret_cast<platform::BYTE*>(data),
                                   &length);
        services->RegCloseKey(key);
        return std::string(data);
    };
    EXPECT_EQ(read("Software\\Fits\\L01\\Sub"), "reached");
    EXPECT_EQ(read("Software\\Fits\\L16\\Sub"), "reached");
    EXPECT_EQ(read("Software\\TooLong\\L02\\Sub"), "reached");  // 16 links from there
    EXPECT_EQ(read("Software\\TooLong\\L01\\Sub"), "error 2");
    EXPECT_EQ(read("Software\\TooLong\\L01"), "error 2");
}

TEST_F(HostilePrefix, LinkLoopsEndTheWalkAndEachKeyIsJudgedOnce) {
    prefix_.SetString(Hive::System, "Software\\Hostile", "Dead", "C:\\Gone\\looped.exe");
    // Two links back to an ancestor: walked blindly, every level would double the keys.
    for (const char* name : {"Software\\Hostile\\Back", "Software\\Hostile\\Up"})
        prefix_.SetRaw(Hive::System, name, "SymbolicLinkValue", platform::REG_LINK,
                       LinkData("\\Registry\\Machine\\Software"));
    prefix_.SetRaw(Hive::System, "Software\\Hostile\\Self", "SymbolicLinkValue", platform::REG_LINK,
                   LinkData("\\Registry\\Machine\\Software\\Hostile\\Self"));
    MarkLinks(Hive::System, {"Software\\\\Hostile\\\\Back", "Software\\\\Hostile\\\\Up",
                             "Software\\\\Hostile\\\\Self"});
    {
        Status status;
        auto services = platform::wine::OpenPrefix(prefix_.Dir(), status);
        ASSERT_TRUE(services) << status.message;
        const auto open = [&](const std::string& path) {
            platform::HKEY key = 0;
            const platform::LONG rc = services->RegOpenKeyExA(
                platform::HKEY_LOCAL_MACHINE, path.c_str(), 0, platform::KEY_READ, &key);
            if (rc == platform::ERROR_SUCCESS) services->RegCloseKey(key);
            return rc;
        };
        std::string around = "Software";
        for (int i = 0; i < 3; ++i) around += "\\Hostile\\Back";
        EXPECT_EQ(open(around + "\\Hostile"), platform::ERROR_SUCCESS);  // a loop is a path
        for (int i = 3; i < 200; ++i) around += "\\Hostile\\Up";
        EXPECT_EQ(open(around), platform::ERROR_FILE_NOT_FOUND);  // past 512 levels
        EXPECT_EQ(open("Software\\Hostile\\Self"), platform::ERROR_FILE_NOT_FOUND);
    }

    const clitest::MeasuredRun run = Scan("13");
    ASSERT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(Problems(run, 13),
              (std::vector<std::string>{
                  Found("HKEY_LOCAL_MACHINE\\SOFTWARE\\Hostile", "Dead", "C:\\Gone\\looped.exe")}));
    RecordProperty("peak_kib", std::to_string(run.peakKiB));
    EXPECT_LT(run.peakKiB, SmallPrefixPeakKiB());
}

// ---- drive_c with a folder loop and unreadable folders ---------------------------------------

TEST_F(HostilePrefix, ShortcutWalkEndsInFolderLoopsAndPassesUnreadableFolders) {
    prefix_.CreateShortcut("C:\\Loop\\Deep\\dead.lnk", "C:\\Gone\\in-loop.exe");
    prefix_.CreateShortcut("C:\\Locked\\dead.lnk", "C:\\Gone\\locked.exe");
    prefix_.CreateShortcut("C:\\Locked\\Inner\\dead.lnk", "C:\\Gone\\inner.exe");
    prefix_.CreateShortcut("C:\\unreadable.lnk", "C:\\Gone\\unreadable.exe");
    const std::string deep = prefix_.HostPath("C:\\Loop\\Deep");
    fs::create_directory_symlink("../..", deep + "/ToDrive");  // drive_c itself
    fs::create_directory_symlink("..", deep + "/ToLoop");
    fs::create_directory_symlink(deep, deep + "/ToSelf");

    // As a user who may read everything, all four are there (the loops are walked once).
    const clitest::MeasuredRun all = Scan("14");
    ASSERT_EQ(all.exitCode, 1) << all.err;
    EXPECT_EQ(Problems(all, 14).size(), 4u) << all.out;

    // Mode 0 keeps out the owner too, for when the tests do not run as root.
    ::chmod(prefix_.HostPath("C:\\Locked").c_str(), 0);
    ::chmod(prefix_.HostPath("C:\\unreadable.lnk").c_str(), 0);
    ::chmod(prefix_.Dir().c_str(), 0755);
    const clitest::MeasuredRun some = Scan("14", true);
    ::chmod(prefix_.HostPath("C:\\Locked").c_str(), 0755);  // so that the folder can be removed
    ASSERT_EQ(some.exitCode, 1) << some.err;
    EXPECT_EQ(
        Problems(some, 14),
        (std::vector<std::string>{Found("C:\\Loop\\Deep\\dead.lnk", "", "C:\\Gone\\in-loop.exe")}));
    RecordProperty("peak_kib", std::to_string(some.peakKiB));
    EXPECT_LT(some.peakKiB, SmallPrefixPeakKiB());
}

// ---- Shortcut files of zero bytes and of 100 MB -----------------------------------------------

TEST_F(HostilePrefix, EmptyAndHundredMegabyteShortcutsReadInBoundedMemory) {
    prefix_.CreateShortcut("C:\\small.lnk", "C:\\Gone\\small.exe");
    prefix_.CreateFile("C:\\empty.lnk");
    // A sound shortcut with 100 MB of zeros behind it: Wine reads its structures and stops at
    // the terminal block, so its target counts.
    prefix_.CreateShortcut("C:\\padded.lnk", "C:\\Gone\\padded.exe");
    prefix_.CreateFile("C:\\zeros.lnk");
    for (const char* name : {"C:\\padded.lnk", "C:\\zeros.lnk"})
        ASSERT_EQ(::truncate(prefix_.HostPath(name).c_str(), 100 << 20), 0);

    const clitest::MeasuredRun run = Scan("14");
    ASSERT_EQ(run.exitCode, 1) << run.err;
    // The empty file and the zeros are no shortcuts: Wine's shell link object fails to load
    // them and has no target to judge.
    EXPECT_EQ(Problems(run, 14),
              (std::vector<std::string>{Found("C:\\padded.lnk", "", "C:\\Gone\\padded.exe"),
                                        Found("C:\\small.lnk", "", "C:\\Gone\\small.exe")}));
    RecordProperty("peak_kib", std::to_string(run.peakKiB));
    EXPECT_LT(run.peakKiB, SmallPrefixPeakKiB());
}

}  // namespace
