// The benchmarks' prefix generator on small prefixes, checked with the real backend and scan:
// the same seed gives the same prefix, the dead references are the asked share and are the
// ones a scan reports, nothing else is reported, and an existing prefix keeps what it held.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "bench/generator/PrefixGenerator.h"
#include "engine/ScanSession.h"
#include "platform/wine/WinePrefix.h"
#include "platform/wine/registry/HiveModel.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace {

namespace fs = std::filesystem;
using bench::generator::GeneratePrefix;
using bench::generator::GeneratorOptions;
using bench::generator::GeneratorReport;
using bench::generator::HiveFile;

GeneratorOptions Small(std::uint64_t seed, double deadShare) {
    GeneratorOptions options;
    options.seed = seed;
    options.systemKeys = 1600;
    options.systemValues = 8000;
    options.userKeys = 200;
    options.userValues = 1000;
    options.files = 1200;
    options.shortcuts = 150;
    options.deadShare = deadShare;
    options.recordDead = true;
    return options;
}

// A fresh empty folder, removed at the end.
class Folder {
public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "drennow-gen-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file of the prefix by relative path, with its content (links by their target).
std::map<std::string, std::string> Snapshot(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string relative = fs::relative(it->path(), dir).string();
        if (it->is_symlink()) files[relative] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file()) files[relative] = Read(it->path());
    }
    return files;
}

// A scan of the chosen sections (1 to 14; 14 is every fixed drive) with the real backend.
engine::ScanResults Scan(const std::string& dir, const std::vector<int>& sections) {
    platform::Status status;
    auto services = platform::wine::OpenPrefix(dir, status);
    if (!services) throw std::runtime_error(status.message);
    enginetest::ScriptHost host;
    engine::ScanSession session(*services, host);
    session.SetPumpInterval(std::chrono::milliseconds(0));
    engine::SectionRows rows = engine::BuildSectionRows(*services);
    for (int section : sections) {
        if (section <= 13) rows[static_cast<std::size_t>(section - 1)].selected = true;
        else
            for (std::size_t row = engine::kFirstDriveRow; row < rows.size(); ++row)
                rows[row].selected = true;
    }
    session.Scan(rows);
    return session.Results();
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST(Generator, SameSeedSameBytesOtherSeedOtherContent) {
    Folder a, b, c;
    const GeneratorReport ra = GeneratePrefix(a.Path(), Small(7, 0.05));
    GeneratePrefix(b.Path(), Small(7, 0.05));
    GeneratePrefix(c.Path(), Small(8, 0.05));
    const auto sa = Snapshot(a.Path()), sb = Snapshot(b.Path()), sc = Snapshot(c.Path());
    EXPECT_EQ(sa.size(), sb.size());
    EXPECT_TRUE(sa == sb);
    EXPECT_NE(sa.at("system.reg"), sc.at("system.reg"));
    // The sizes asked for, within a product's worth.
    EXPECT_NEAR(static_cast<double>(ra.systemKeys), 1600, 100);
    EXPECT_NEAR(static_cast<double>(ra.systemValues), 8000, 800);
    EXPECT_NEAR(static_cast<double>(ra.userValues), 1000, 200);
    EXPECT_EQ(ra.files, 1200u);
    EXPECT_EQ(ra.shortcuts, 150u);
    EXPECT_EQ(ra.systemBytes, sa.at("system.reg").size());
    // The reader takes every line and writes the untouched hive back byte for byte.
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
        platform::wine::registry::Hive hive;
        hive.path = name;
        hive.text = sa.at(name);
        std::string error;
        ASSERT_TRUE(platform::wine::registry::ParseHive(hive, error)) << error;
        EXPECT_TRUE(hive.problem.empty()) << hive.problem;
        EXPECT_TRUE(platform::wine::registry::SerializeHive(hive) == hive.text) << name;
    }
}

TEST(Generator, DeadReferencesAreTheAskedShare) {
    Folder dir;
    GeneratorOptions options = Small(3, 0.10);
    options.systemKeys = 4000;
    options.systemValues = 20000;
    const GeneratorReport report = GeneratePrefix(dir.Path(), options);
    ASSERT_GT(report.references, 3000u);
    const double share =
        static_cast<double>(report.deadReferences) / static_cast<double>(report.references);
    EXPECT_NEAR(share, 0.10, 0.02);
    EXPECT_EQ(report.dead.size(), report.deadReferences);
    Folder none;
    const GeneratorReport clean = GeneratePrefix(none.Path(), Small(3, 0.0));
    EXPECT_EQ(clean.deadReferences, 0u);
    EXPECT_EQ(clean.deadShortcuts, 0u);
}

TEST(Generator, WithoutDeadReferencesAScanOfEverySectionFindsNothing) {
    Folder dir;
    GeneratePrefix(dir.Path(), Small(11, 0.0));
    const engine::ScanResults results =
        Scan(dir.Path(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    for (int section = 1; section <= engine::kSectionCount; ++section)
        EXPECT_EQ(results.Section(section).Count(), 0)
            << section << ": "
            << (fixtures::RecordTexts(results.Section(section).problems).empty()
                    ? std::string()
                    : fixtures::RecordTexts(results.Section(section).problems)[0] + " " +
                          fixtures::RecordTexts(results.Section(section).problems)[2]);
}

TEST(Generator, TheScanReportsExactlyTheDeadFullPathsAndShortcuts) {
    Folder dir;
    const GeneratorReport report = GeneratePrefix(dir.Path(), Small(5, 0.05));
    // Section 13 judges every value under Software whose data is a full path.
    std::multiset<std::string> expected;
    for (const auto& dead : report.dead) {
        if (!dead.fullPathData || Lower(dead.keyPath).rfind("software\\", 0) != 0) continue;
        if (dead.hive == HiveFile::UserDefault) continue;
        const std::string root =
            dead.hive == HiveFile::System ? "hkey_local_machine\\" : "hkey_current_user\\";
        expected.insert(Lower("[" + root + dead.keyPath + "] ") +
                        (dead.valueName.empty() ? "@" : "\"" + Lower(dead.valueName) + "\""));
    }
    ASSERT_GT(expected.size(), 20u);
    const engine::ScanResults results = Scan(dir.Path(), {13, 14});
    std::multiset<std::string> found;
    const engine::TextList& list = fixtures::RecordTexts(results.Section(13).problems);
    for (std::size_t i = 0; i + 3 < list.size(); i += 4)
        found.insert(Lower(list[i] + " " + list[i + 1]));
    EXPECT_EQ(found, expected);

    std::set<std::string> shortcuts;
    const engine::TextList& lnk = fixtures::RecordTexts(results.Section(14).problems);
    for (std::size_t i = 0; i + 3 < lnk.size(); i += 4) shortcuts.insert(lnk[i]);
    std::set<std::string> deadShortcuts;
    for (const auto& path : report.deadShortcutFiles) deadShortcuts.insert("[" + path + "]");
    EXPECT_EQ(shortcuts, deadShortcuts);
    EXPECT_EQ(shortcuts.size(), report.deadShortcuts);
}

TEST(Generator, AnExistingPrefixKeepsItsValuesAndItsProfileStaysInside) {
    fixtures::TestPrefix prefix;
    const char* fonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    prefix.SetString(fixtures::Hive::System, fonts, "Old Font (TrueType)", "old.ttf");
    prefix.SetString(fixtures::Hive::User, "Software\\Mine", "kept", "yes");
    prefix.WriteHives();
    // wineboot links the profile's folders to the host's home; the generator must not follow.
    Folder outside;
    const std::string desktop = prefix.Dir() + "/drive_c/users/" + prefix.UserName() + "/Desktop";
    fs::create_directory_symlink(outside.Path(), desktop);

    const GeneratorReport report = GeneratePrefix(prefix.Dir(), Small(2, 0.0));
    EXPECT_EQ(report.userName, prefix.UserName());
    EXPECT_FALSE(fs::is_symlink(desktop));
    EXPECT_TRUE(fs::is_empty(outside.Path()));

    auto services = prefix.Open();
    auto value = [&services](platform::HKEY root, const char* path, const char* name) {
        platform::HKEY key = 0;
        if (services->RegOpenKeyExA(root, path, 0, platform::KEY_READ, &key) != 0)
            return std::string("<no key>");
        char data[128] = {};
        platform::DWORD length = sizeof data, type = 0;
        if (services->RegQueryValueExA(key, name, &type, reinterpret_cast<platform::BYTE*>(data),
                                       &length) != 0)
            return std::string("<no value>");
        return std::string(data);
    };
    EXPECT_EQ(value(platform::HKEY_LOCAL_MACHINE, fonts, "Old Font (TrueType)"), "old.ttf");
    EXPECT_EQ(value(platform::HKEY_LOCAL_MACHINE, fonts, "Generated Sans 0 (TrueType)"),
              "gensans00000.ttf");
    EXPECT_EQ(value(platform::HKEY_CURRENT_USER, "Software\\Mine", "kept"), "yes");
    EXPECT_TRUE(services->CanWrite().ok()) << services->CanWrite().message;
}

}  // namespace
