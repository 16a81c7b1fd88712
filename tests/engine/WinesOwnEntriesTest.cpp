// A scan passes over the values the prefix's Wine installation writes into every prefix, and
// still reports the same kinds of value written by anyone else.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "engine/ScanSession.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/InstallationFolder.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/ScanResultsBuilder.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Hive;

constexpr const char* kNtFonts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr const char* k9xFonts = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";

using Found = std::multiset<std::pair<int, std::string>>;  // section, shown value name

Found Scan(const std::string& prefixDir, std::optional<platform::wine::InstallationPlace> place) {
    platform::Status status;
    auto services = platform::wine::OpenPrefix(prefixDir, status, std::move(place));
    EXPECT_TRUE(services) << status.message;
    if (!services) return {};
    enginetest::ScriptHost host;
    engine::ScanSession session(*services, host);
    session.SetPumpInterval(std::chrono::milliseconds(0));
    engine::SectionRows rows = engine::BuildSectionRows(*services);
    for (engine::SectionRow& row : rows) row.selected = false;
    for (int section : {3, 5, 13}) rows[static_cast<std::size_t>(section - 1)].selected = true;
    session.Scan(rows);
    Found found;
    for (int section : {3, 5, 13}) {
        const engine::TextList& texts =
            fixtures::RecordTexts(session.Results().Section(section).problems);
        for (std::size_t i = 0; i + 3 < texts.size(); i += 4) found.insert({section, texts[i + 1]});
    }
    return found;
}

TEST(WinesOwnEntries, AreNotReportedWhileOthersLikeThemAre) {
    fixtures::TestPrefix prefix;
    // What Wine itself writes (per the installation below)...
    prefix.SetString(Hive::System, kNtFonts, "Courier", "coure.fon");
    prefix.SetString(Hive::System, kNtFonts, "MS Serif", "serife.fon");
    prefix.SetString(Hive::System, k9xFonts, "Small Fonts", "smalle.fon");
    prefix.SetString(Hive::System, "Software\\Microsoft\\DirectMusic", "GMFilePath",
                     "C:\\windows\\system32\\drivers\\gm.dls");
    prefix.SetString(Hive::System,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wordpad.exe", "",
                     "C:\\Program Files\\Windows NT\\wordpad.exe");
    // ...and what installers wrote for files that are missing.
    prefix.SetString(Hive::System, kNtFonts, "Gone Sans (TrueType)", "gonesans.ttf");
    prefix.SetString(Hive::System, k9xFonts, "Gone Bitmap", "smalle.fon");
    prefix.SetString(Hive::System, "Software\\Synth Vendor", "GMFilePath",
                     "C:\\Program Files\\Synth\\gm.dls");
    prefix.SetString(Hive::System,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe", "",
                     "C:\\Program Files\\Windows NT\\gone.exe");
    prefix.WriteHives();

    const fs::path root = fs::path(prefix.Dir()) / "wine-install";
    fixtures::MakeInstallationFolder(root);
    // Section 13 sees the App Paths values too.
    const Found installerOnes = {{3, "@"},
                                 {5, "\"Gone Sans (TrueType)\""},
                                 {5, "\"Gone Bitmap\""},
                                 {13, "\"GMFilePath\""},
                                 {13, "@"}};
    Found all = installerOnes;
    for (const auto& own : Found{{5, "\"Courier\""},
                                 {5, "\"MS Serif\""},
                                 {5, "\"Small Fonts\""},
                                 {3, "@"},
                                 {13, "\"GMFilePath\""},
                                 {13, "@"}})
        all.insert(own);

    EXPECT_EQ(Scan(prefix.Dir(),
                   platform::wine::InstallationPlace{
                       (root / "share" / "wine").string(),
                       (root / "lib" / "wine" / "x86_64-unix" / "win32u.so").string()}),
              installerOnes);
    // Without an installation everything is judged as before.
    EXPECT_EQ(Scan(prefix.Dir(), std::nullopt), all);
}

}  // namespace
