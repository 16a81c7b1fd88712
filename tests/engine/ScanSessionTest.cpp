// The scan run: sections in order, drive rows, refusal, cancel, pause, and an end-to-end scan
// of a prefix with known problems in every section.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/ScanSession.h"
#include "tests/engine/KnownProblems.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/ScanResultsBuilder.h"

using fixtures::Hive;
using fixtures::TestPrefix;

namespace {

class ScanRun : public ::testing::Test {
protected:
    void Open() {
        services_ = prefix_.Open();
        ASSERT_TRUE(services_);
        session_ = std::make_unique<engine::ScanSession>(*services_, host_);
        session_->SetPumpInterval(std::chrono::milliseconds(0));
        rows_ = engine::BuildSectionRows(*services_);
    }
    void Choose(std::vector<std::size_t> chosen) {
        for (engine::SectionRow& row : rows_) row.selected = false;
        for (std::size_t row : chosen) rows_[row].selected = true;
    }
    void ChooseAll() {
        for (engine::SectionRow& row : rows_) row.selected = true;
    }
    engine::ScanOutcome Scan() { return session_->Scan(rows_); }
    engine::TextList Found(int section) {
        return fixtures::RecordTexts(session_->Results().Section(section).problems);
    }

    TestPrefix prefix_{enginetest::kKnownProblemsUser};
    std::unique_ptr<platform::Services> services_;
    enginetest::ScriptHost host_;
    std::unique_ptr<engine::ScanSession> session_;
    engine::SectionRows rows_;
};

using Records = std::vector<std::vector<std::string>>;

Records RecordsOf(const engine::TextList& found) {
    Records records;
    for (std::size_t i = 0; i + 3 < found.size(); i += 4)
        records.push_back({found[i], found[i + 1], found[i + 2], found[i + 3]});
    return records;
}

}  // namespace

TEST_F(ScanRun, SectionRowsListSectionsThenFixedDrives) {
    prefix_.AddDrive('d', "../drive_d");
    prefix_.AddDrive('e', "../drive_e");
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "e:", "cdrom");
    Open();
    ASSERT_EQ(rows_.size(), 15u);
    EXPECT_EQ(rows_[0].label, "Registry Integrity");
    EXPECT_EQ(rows_[12].label, "Valid Files Path");
    EXPECT_EQ(rows_[13].label, "Valid Shortcuts ( C:\\ )");
    EXPECT_EQ(rows_[14].label, "Valid Shortcuts ( D:\\ )");
    EXPECT_EQ(engine::SelectionSummary(rows_), engine::Selection::None);
    Choose({0});
    EXPECT_EQ(engine::SelectionSummary(rows_), engine::Selection::Some);
    ChooseAll();
    EXPECT_EQ(engine::SelectionSummary(rows_), engine::Selection::All);
}

TEST_F(ScanRun, NoRowChosenIsRefused) {
    Open();
    EXPECT_EQ(Scan(), engine::ScanOutcome::Refused);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, "Please select a section to scan before continuing!");
    EXPECT_EQ(host_.boxes[0].caption, "Information");
    EXPECT_EQ(host_.boxes[0].style, engine::Icon::Information);
    EXPECT_TRUE(host_.screens.empty());
    // No rows at all are no choice either.
    EXPECT_EQ(session_->Scan({}), engine::ScanOutcome::Refused);
    EXPECT_EQ(host_.boxes.size(), 2u);
    EXPECT_TRUE(host_.screens.empty());
}

TEST_F(ScanRun, NothingFound) {
    prefix_.SetString(Hive::System, "Hardware\\Description", "x", "C:\\gone\\x.sys");
    Open();
    Choose({3, 10});
    EXPECT_EQ(Scan(), engine::ScanOutcome::NothingFound);
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, "No Problems Detected!");
    EXPECT_EQ(host_.screens, (std::vector<int>{2, 1}));
    EXPECT_EQ(host_.foundCount.Text(), "0 problem(s) found");
    EXPECT_FALSE(session_->Continuing());
}

TEST_F(ScanRun, OnlyDriveRowsRunOnlyTheShortcutSearch) {
    enginetest::AddKnownProblems(prefix_);
    prefix_.AddDrive('e', "../drive_e");
    prefix_.CreateShortcut("E:\\dead.lnk", "E:\\gone.exe");
    Open();
    ASSERT_EQ(rows_.size(), 15u);  // C: and E:; D: is optical
    Choose({14});
    EXPECT_EQ(Scan(), engine::ScanOutcome::ProblemsFound);
    EXPECT_EQ(session_->Results().total, 1);
    EXPECT_EQ(Found(14), (engine::TextList{"[E:\\dead.lnk]", "@", "\"E:\\\\gone.exe\"", "0"}));
    EXPECT_EQ(host_.screens, (std::vector<int>{2, 3}));
}

TEST_F(ScanRun, CancelDuringSectionThreeDiscardsEverything) {
    enginetest::AddKnownProblems(prefix_);
    Open();
    ChooseAll();
    host_.sectionName.SetText("");
    bool cancelled = false;
    std::vector<std::string> sections;
    host_.At(1, [] {});
    // Cancel at the first pump after section 3's walk has shown its name.
    for (int n = 2; n < 2000; ++n)
        host_.At(n, [&, n] {
            if (!cancelled && host_.sectionName.Text() == "Software Locations") {
                cancelled = true;
                session_->CancelCommand();
            }
            (void)n;
        });
    EXPECT_EQ(Scan(), engine::ScanOutcome::Cancelled);
    EXPECT_TRUE(cancelled);
    const auto& shown = host_.sectionName.History();
    EXPECT_EQ(shown.back(), "Software Locations");
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Device Drivers"), 0);
    EXPECT_EQ(session_->Results().total, 0);
    for (int section = 1; section <= 14; ++section) {
        EXPECT_TRUE(Found(section).empty()) << section;
        EXPECT_EQ(host_.counters[static_cast<std::size_t>(section - 1)].Text(), "0") << section;
    }
    EXPECT_EQ(host_.foundCount.Text(), "0 problem(s) found");
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(host_.screens, (std::vector<int>{2, 1}));
    EXPECT_EQ(host_.states, std::vector<engine::ScanEvent>{engine::ScanEvent::Cancelled});
}

TEST_F(ScanRun, CancelBetweenTwoWalksIsNotLost) {
    enginetest::AddKnownProblems(prefix_);
    Open();
    Choose({0, 7});
    // Pump 1 is the scan's own pump after the reset, pump 2 the first section's: a Cancel
    // there comes before any walk has started.
    host_.At(2, [this] { session_->CancelCommand(); });
    EXPECT_EQ(Scan(), engine::ScanOutcome::Cancelled);
    EXPECT_EQ(session_->Results().total, 0);
}

TEST_F(ScanRun, PauseAndResumeThroughTheSession) {
    enginetest::AddKnownProblems(prefix_);
    Open();
    Choose({7});
    host_.At(4, [this] { session_->PauseCommand(); });
    host_.At(9, [this] {
        EXPECT_TRUE(session_->Paused());
        session_->PauseCommand();  // the button now reads "&Resume"
    });
    EXPECT_EQ(Scan(), engine::ScanOutcome::ProblemsFound);
    EXPECT_EQ(host_.states, (std::vector<engine::ScanEvent>{engine::ScanEvent::Paused,
                                                            engine::ScanEvent::Resumed}));
    EXPECT_FALSE(session_->Paused());
    EXPECT_EQ(host_.waitCursorBegun, 2);
    EXPECT_EQ(host_.waitCursorEnded, 2);
    EXPECT_EQ(session_->Results().Section(8).Count(), 2);
}

TEST_F(ScanRun, APauseNoWalkHasSeenWaitsForTheFirstWalkThatPolls) {
    // Sections 1 to 6 have no keys here: their walks open nothing and poll nothing.
    prefix_.SetDword(Hive::System, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
                     "C:\\gone.dll", 1);
    Open();
    ChooseAll();
    host_.At(1, [this] { session_->PauseCommand(); });
    // Resumes at the first pump that finds the walk paused.
    std::string pausedIn;
    std::function<void()> resume = [&] {
        if (!session_->Paused() && host_.pumps < 1000) {
            host_.At(host_.pumps + 1, resume);
            return;
        }
        pausedIn = host_.sectionName.Text();
        session_->PauseCommand();
    };
    host_.At(2, resume);
    EXPECT_EQ(Scan(), engine::ScanOutcome::ProblemsFound);
    EXPECT_EQ(host_.states, (std::vector<engine::ScanEvent>{engine::ScanEvent::Paused,
                                                            engine::ScanEvent::Resumed}));
    EXPECT_EQ(pausedIn, "Shared Programs");
}

TEST_F(ScanRun, PauseThenCancel) {
    enginetest::AddKnownProblems(prefix_);
    Open();
    Choose({7, 8});
    host_.At(4, [this] { session_->PauseCommand(); });
    host_.At(7, [this] { session_->CancelCommand(); });
    EXPECT_EQ(Scan(), engine::ScanOutcome::Cancelled);
    EXPECT_EQ(host_.states, (std::vector<engine::ScanEvent>{engine::ScanEvent::Paused,
                                                            engine::ScanEvent::Cancelled}));
    EXPECT_EQ(session_->Results().total, 0);
    EXPECT_EQ(host_.screens, (std::vector<int>{2, 1}));
}

TEST_F(ScanRun, EveryReportingSectionFindsItsKnownProblems) {
    enginetest::AddKnownProblems(prefix_);
    Open();
    ChooseAll();
    EXPECT_EQ(Scan(), engine::ScanOutcome::ProblemsFound);
    // Section, then the four texts, in the order they were found.
    const std::vector<std::pair<int, std::vector<std::string>>> expected = {
        {1,
         {"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
          "Folders]",
          "\"Common Templates\"", "\"C:\\\\ProgramData\\\\Templates.old\"", "0"}},
        {1,
         {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
          "Folders]",
          "\"Empty\"", "\"\"", "0"}},
        {1,
         {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
          "Folders]",
          "\"Old Fonts\"",
          "hex(2):37,00,83,00,121,00,115,00,116,00,101,00,109,00,82,00,111,00,111,00,116,00,37,00,"
          "92,00,70,00,111,00,110,00,116,00,115,00,32,00,79,00,108,00,100,00,92,00,120,00,46,00,"
          "102,00,111,00,110,00,00,00",
          "0"}},
        {1,
         {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
          "Folders]",
          "\"Cache\"", "\"C:\\\\users\\\\demo\\\\Temp\\\\cache.old\"", "0"}},
        {2,
         {"[HKEY_CLASSES_ROOT\\CLSID\\{0D0E0A0D-0000-4000-8000-000000000001}\\InprocServer32]", "@",
          "\"gonectl.dll\"", "0"}},
        {2,
         {"[HKEY_CLASSES_ROOT\\CLSID\\{0D0E0A0D-0000-4000-8000-000000000003}\\InprocServer32]", "@",
          "\"C:\\\\Program Files\\\\Gone\\\\gone.ocx\"", "0"}},
        {3,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe]",
          "@", "\"\\\"C:\\\\Program Files\\\\Gone App\\\\gone.exe\\\" /start\"", "0"}},
        {5,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]",
          "\"Gone Sans (TrueType)\"", "\"gonesans.ttf\"", "0"}},
        {5,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]",
          "\"Old Serif (TrueType)\"", "\"\"", "0"}},
        {6,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Help]", "\"gone.hlp\"",
          "\"C:\\\\windows\\\\help\"", "0"}},
        {6,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Html Help]", "\"gone.chm\"",
          "\"C:\\\\Program Files\\\\Gone\"", "0"}},
        {7,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs]",
          "\"C:\\\\Program Files\\\\Common Files\\\\gone.dll\"", "dword:00000001", "0"}},
        {8,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]",
          "\"Gone Agent\"", "\"C:\\\\Program Files\\\\Gone\\\\agent.exe /background\"", "0"}},
        {8,
         {"[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]", "\"Updater\"",
          "\"goneupd.exe\"", "0"}},
        {9,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders]",
          "\"C:\\\\Program Files\\\\Gone\\\\cache.dat\"", "dword:00000000", "0"}},
        {9,
         {"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gone App]",
          "\"UninstallString\"", "\"\\\"C:\\\\Program Files\\\\Gone\\\\unins000.exe\\\" /SILENT\"",
          "0"}},
        {10,
         {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\VirtualDeviceDrivers]",
          "\"VDD\"", "\"C:\\\\windows\\\\system32\\\\gonevdd.dll\"", "0"}},
        {12,
         {"[HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\.Current]", "@",
          "\"gone.wav\"", "0"}},
        {12,
         {"[HKEY_USERS\\.DEFAULT\\AppEvents\\Schemes\\Apps\\.Default\\SystemExit\\.Current]", "@",
          "\"C:\\\\windows\\\\media\\\\gone exit.wav\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone Vendor\\Gone App]", "\"Data\"",
          "\"C:\\\\Program Files\\\\Gone\\\\data.bin;C:\\\\x\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{0D0E0A0D-0000-4000-8000-000000000003}"
          "\\InprocServer32]",
          "@", "\"C:\\\\Program Files\\\\Gone\\\\gone.ocx\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{0D0E0A0D-0000-4000-8000-000000000003}"
          "\\LocalServer32]",
          "@", "\"C:\\\\Program Files\\\\Gone\\\\gone.exe\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]",
          "\"Gone Agent\"", "\"C:\\\\Program Files\\\\Gone\\\\agent.exe /background\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]",
          "\"Quoted Agent\"", "\"\\\"C:\\\\Program Files\\\\Gone\\\\agent.exe\\\"\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe]",
          "@", "\"\\\"C:\\\\Program Files\\\\Gone App\\\\gone.exe\\\" /start\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
          "Folders]",
          "\"Common Templates\"", "\"C:\\\\ProgramData\\\\Templates.old\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gone App]",
          "\"QuietUninstallString\"",
          "\"\\\"C:\\\\Program Files\\\\Gone\\\\unins000.exe\\\" /SILENT\"", "0"}},
        {13,
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gone App]",
          "\"UninstallString\"", "\"\\\"C:\\\\Program Files\\\\Gone\\\\unins000.exe\\\" /SILENT\"",
          "0"}},
        {13,
         {"[HKEY_CURRENT_USER\\SOFTWARE\\Gone Vendor]", "\"Last File\"",
          "\"\\\"C:\\\\users\\\\demo\\\\gone.txt\\\"\"", "0"}},
        {13,
         {"[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
          "Folders]",
          "\"Cache\"", "\"C:\\\\users\\\\demo\\\\Temp\\\\cache.old\"", "0"}},
        {14,
         {"[C:\\users\\demo\\Desktop\\OLD TOOL.LNK]", "@", "\"C:\\\\Tools\\\\oldtool.exe\"", "0"}},
        {14,
         {"[C:\\users\\Public\\Desktop\\Gone App.lnk]", "@",
          "\"C:\\\\Program Files\\\\Gone\\\\gone.exe\"", "0"}},
    };
    Records all;
    std::vector<int> sections;
    const auto& results = session_->Results();
    for (int section = 1; section <= 14; ++section) {
        const auto& s = results.Section(section);
        EXPECT_EQ(fixtures::RecordTexts(s.problems).size(),
                  4u * static_cast<std::size_t>(s.Count()))
            << section;
        for (auto& r : RecordsOf(fixtures::RecordTexts(s.problems))) {
            all.push_back(r);
            sections.push_back(section);
        }
    }
    ASSERT_EQ(all.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sections[i], expected[i].first) << i;
        EXPECT_EQ(all[i], expected[i].second) << i;
    }
    EXPECT_EQ(results.total, static_cast<int>(expected.size()));
    EXPECT_EQ(host_.foundCount.Text(), std::to_string(expected.size()) + " problem(s) found");
    EXPECT_EQ(host_.counters[12].Text(), "11");
    EXPECT_EQ(results.Section(4).Count(), 0);
    EXPECT_EQ(results.Section(11).Count(), 0);
    EXPECT_EQ(host_.screens, (std::vector<int>{2, 3}));
    EXPECT_TRUE(host_.boxes.empty());
}
