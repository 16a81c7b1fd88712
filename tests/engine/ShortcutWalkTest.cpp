// The walk over the chosen drives for shortcuts whose target is gone.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/CRegistryFixer.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/ScanResultsBuilder.h"

using fixtures::TestPrefix;
namespace fs = std::filesystem;

namespace {

class ShortcutWalk : public ::testing::Test {
protected:
    // `caching`: as inside a scan, where listings are kept and folders are read through open
    // descriptors.
    void Walk(std::vector<std::string> drives, bool caching = false) {
        services_ = prefix_.Open();
        ASSERT_TRUE(services_);
        services_->SetDirectoryCaching(caching);
        fixer_ = std::make_unique<engine::CRegistryFixer>(*services_, host_);
        fixer_->SetPumpInterval(std::chrono::milliseconds(0));
        work_ = std::move(drives);
        fixer_->Prepare(
            {0,
             14,
             &work_,
             &result_,
             &total_,
             nullptr,
             {&host_.currentKey, &host_.sectionName, &host_.counters[13], &host_.foundCount}});
        fixer_->ShortcutWalk();
    }
    // The shortcut paths of the records, in order.
    std::vector<std::string> Reported() const {
        std::vector<std::string> paths;
        for (const engine::Problem& problem : result_.problems)
            paths.push_back(problem.key.substr(1, problem.key.size() - 2));
        return paths;
    }

    TestPrefix prefix_;
    std::unique_ptr<platform::Services> services_;
    enginetest::ScriptHost host_;
    std::unique_ptr<engine::CRegistryFixer> fixer_;
    engine::TextList work_;
    engine::SectionResult result_;
    int total_ = 0;
};

const char* kGone = "C:\\Program Files\\Gone\\gone.exe";

}  // namespace

TEST_F(ShortcutWalk, ReportsDeadShortcutsOnly) {
    prefix_.CreateFile("C:\\windows\\notepad.exe", "MZ");
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\Gone App.lnk", kGone);
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\Notepad.lnk", "C:\\windows\\notepad.exe");
    platform::shelllink::ShellLinkRecipe folder;
    folder.targetIsFolder = true;
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\Windows.lnk", "C:\\windows", folder);
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\No Dot.lnk", "C:\\gone folder", folder);
    prefix_.CreateFile("C:\\users\\Public\\Desktop\\Broken.lnk", "not a shortcut");
    Walk({"C:"});
    ASSERT_EQ(result_.Count(), 1);
    EXPECT_EQ(fixtures::RecordTexts(result_.problems),
              (engine::TextList{"[C:\\users\\Public\\Desktop\\Gone App.lnk]", "@",
                                "\"C:\\\\Program Files\\\\Gone\\\\gone.exe\"", "0"}));
    EXPECT_EQ(host_.sectionName.Text(), "Valid Shortcut");
    EXPECT_EQ(host_.foundCount.Text(), "1 problem(s) found");
    EXPECT_EQ(host_.counters[13].Text(), "1");
    // Resolving never rewrites a shortcut file.
    platform::shelllink::ShellLinkRecipe wanted;
    wanted.target = kGone;
    const auto expected = platform::shelllink::WriteShellLink(wanted);
    std::ifstream in(prefix_.HostPath("C:\\users\\Public\\Desktop\\Gone App.lnk"),
                     std::ios::binary);
    const std::vector<std::uint8_t> actual((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    EXPECT_EQ(actual, expected);
}

// A Unix program's shortcut names a host path, which Wine opens on the host, not below C:\.
TEST_F(ShortcutWalk, UnixTargetsAreJudgedOnTheHost) {
    prefix_.CreateFile("C:\\windows\\notepad.exe", "MZ");
    prefix_.CreateShortcut("C:\\u\\host.lnk", prefix_.HostPath("C:\\windows\\notepad.exe"));
    prefix_.CreateShortcut("C:\\u\\gone.lnk", "/windows/notepad.exe");
    Walk({"C:"});
    EXPECT_EQ(Reported(), (std::vector<std::string>{"C:\\u\\gone.lnk"}));
}

TEST_F(ShortcutWalk, OnlyNamesEndingInLnkInAnyCase) {
    prefix_.CreateShortcut("C:\\a\\UPPER.LNK", kGone);
    prefix_.CreateShortcut("C:\\a\\other.lnk.txt", kGone);
    prefix_.CreateShortcut("C:\\a\\other.url", kGone);
    Walk({"C:"});
    EXPECT_EQ(Reported(), std::vector<std::string>{"C:\\a\\UPPER.LNK"});
}

TEST_F(ShortcutWalk, TargetsWithEnvironmentReferencesAreExpanded) {
    prefix_.CreateFile("C:\\windows\\notepad.exe", "MZ");
    platform::shelllink::ShellLinkRecipe raw;
    raw.withIdList = false;
    prefix_.CreateShortcut("C:\\e\\here.lnk", "%SystemRoot%\\notepad.exe", raw);
    prefix_.CreateShortcut("C:\\e\\gone.lnk", "%SystemRoot%\\gone.exe", raw);
    Walk({"C:"});
    EXPECT_EQ(fixtures::RecordTexts(result_.problems),
              (engine::TextList{"[C:\\e\\gone.lnk]", "@", "\"C:\\\\windows\\\\gone.exe\"", "0"}));
}

TEST_F(ShortcutWalk, ExcludedFoldersAreNeverEntered) {
    for (const char* folder :
         {"C:\\RECYCLER", "C:\\Recycled", "C:\\_restore", "C:\\System Volume Information",
          "C:\\windows\\security", "C:\\windows\\system32\\sysbckup", "C:\\winnt\\a\\Sysbackup"})
        prefix_.CreateShortcut(std::string(folder) + "\\dead.lnk", kGone);
    prefix_.CreateShortcut("C:\\users\\security\\dead.lnk", kGone);
    prefix_.CreateShortcut("C:\\recycle\\dead.lnk", kGone);
    Walk({"C:"});
    EXPECT_EQ(Reported(),
              (std::vector<std::string>{"C:\\recycle\\dead.lnk", "C:\\users\\security\\dead.lnk"}));
}

TEST_F(ShortcutWalk, DrivesAreWalkedTogetherLevelByLevel) {
    prefix_.AddDrive('d', "../drive_d");
    prefix_.CreateShortcut("C:\\sub\\c2.lnk", kGone);
    prefix_.CreateShortcut("D:\\sub\\d2.lnk", kGone);
    prefix_.CreateShortcut("C:\\c1.lnk", kGone);
    prefix_.CreateShortcut("D:\\d1.lnk", kGone);
    Walk({"C:", "D:"});
    EXPECT_EQ(Reported(), (std::vector<std::string>{"C:\\c1.lnk", "D:\\d1.lnk", "C:\\sub\\c2.lnk",
                                                    "D:\\sub\\d2.lnk"}));
    const auto& keys = host_.currentKey.History();
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[0], "C:");
    EXPECT_EQ(keys[1], "D:");
}

TEST_F(ShortcutWalk, EachPhysicalFolderIsSearchedOnce) {
    // As in a Wine prefix: Desktop, Documents and Downloads all link to one home folder,
    // which also links back to the drive.
    const fs::path home = fs::path(prefix_.Dir()) / "home";
    fs::create_directories(home);
    prefix_.CreateShortcut("C:\\users\\u\\placeholder.lnk", "C:\\windows");
    for (const char* name : {"Desktop", "Documents", "Downloads"})
        fs::create_directory_symlink(home, prefix_.HostPath(std::string("C:\\users\\u\\") + name));
    fs::create_directory_symlink(fs::path(prefix_.Dir()) / "drive_c", home / "loop");
    prefix_.CreateShortcut("C:\\users\\u\\Desktop\\dead.lnk", kGone);
    Walk({"C:"});
    EXPECT_EQ(result_.Count(), 1);
    ASSERT_EQ(Reported().size(), 1u);
    EXPECT_EQ(Reported()[0], "C:\\users\\u\\Desktop\\dead.lnk");
}

TEST_F(ShortcutWalk, CancelStopsAtOnce) {
    for (int i = 0; i < 5; ++i)
        prefix_.CreateShortcut("C:\\many\\dead" + std::to_string(i) + ".lnk", kGone);
    host_.At(1, [this] { fixer_->CancelRequest(); });
    Walk({"C:"});
    EXPECT_EQ(host_.states, std::vector<engine::ScanEvent>{engine::ScanEvent::Cancelled});
    EXPECT_EQ(fixer_->GetRunState(), engine::RunState::Idle);
    EXPECT_LE(result_.Count(), 1);
}

TEST_F(ShortcutWalk, PauseWaitsInsideTheWalk) {
    prefix_.CreateShortcut("C:\\p\\dead.lnk", kGone);
    host_.At(1, [this] { fixer_->PauseRequest(); });
    host_.At(3, [this] { fixer_->ResumeRequest(); });
    Walk({"C:"});
    EXPECT_EQ(host_.states, (std::vector<engine::ScanEvent>{engine::ScanEvent::Paused,
                                                            engine::ScanEvent::Resumed}));
    EXPECT_EQ(result_.Count(), 1);
}

TEST_F(ShortcutWalk, EveryFolderReadIsFollowedByAPoll) {
    // Empty folders have no entries to poll between: without a poll per folder read, a tree
    // of them keeps the window waiting for the whole tree.
    for (int i = 0; i < 12; ++i) prefix_.CreateFolder("C:\\empty\\f" + std::to_string(i));
    std::vector<std::size_t> enteredAtPump;
    for (int pump = 1; pump <= 40; ++pump)
        host_.At(pump, [&] { enteredAtPump.push_back(host_.currentKey.History().size()); });
    Walk({"C:\\empty"});
    ASSERT_EQ(host_.currentKey.History().size(), 13u);
    enteredAtPump.push_back(host_.currentKey.History().size());
    for (std::size_t i = 1; i < enteredAtPump.size(); ++i)
        EXPECT_LE(enteredAtPump[i] - enteredAtPump[i - 1], 1u) << "between pumps " << i;
}

TEST_F(ShortcutWalk, PauseAndCancelActWhileALargeFolderIsRead) {
    // One folder of many entries is one search: reading and ordering it must poll too, or a
    // click waits for the whole folder. Pump 1 and 2 come while C:\big is read, so the pause
    // asked at pump 2 holds the walk before any folder was shown.
    const fs::path big = prefix_.HostPath("C:\\big");
    for (int i = 0; i < 300; ++i) fs::create_directories(big / ("f" + std::to_string(i)));
    prefix_.CreateShortcut("C:\\big\\f299\\dead.lnk", kGone);
    struct Row {
        bool cancel;
        std::vector<engine::ScanEvent> states;
        std::vector<std::string> reported;
    };
    for (const Row& row :
         {Row{false,
              {engine::ScanEvent::Paused, engine::ScanEvent::Resumed},
              {"C:\\big\\f299\\dead.lnk"}},
          Row{true, {engine::ScanEvent::Paused, engine::ScanEvent::Cancelled}, {}}}) {
        SCOPED_TRACE(row.cancel ? "cancel" : "resume");
        host_ = {};
        result_ = {};
        total_ = 0;
        std::size_t shownWhenPaused = 99;
        host_.At(2, [this] { fixer_->PauseRequest(); });
        host_.At(3, [&] {
            shownWhenPaused = host_.currentKey.History().size();
            if (row.cancel) fixer_->CancelRequest();
            else fixer_->ResumeRequest();
        });
        Walk({"C:\\big"}, true);
        EXPECT_EQ(shownWhenPaused, 0u);
        EXPECT_EQ(host_.states, row.states);
        EXPECT_EQ(Reported(), row.reported);
        if (row.cancel) {
            // The search given up is no answer about the folder: it is read again later.
            EXPECT_EQ(work_, engine::TextList{"C:\\big"});
            EXPECT_TRUE(services_->FindFirstFileA("C:\\big\\*.*"));
        }
    }
}

TEST_F(ShortcutWalk, InsideAScanLinkedAndLoopingFoldersAreEnteredOnceEach) {
    const fs::path home = fs::path(prefix_.Dir()) / "home";
    fs::create_directories(home / "Pictures");
    prefix_.CreateFolder("C:\\users\\u");
    for (const char* name : {"Desktop", "Documents", "Downloads"})
        fs::create_directory_symlink(home, prefix_.HostPath(std::string("C:\\users\\u\\") + name));
    fs::create_directory_symlink("..", home / "Pictures" / "up");  // Pictures/up -> home
    fs::create_directory_symlink(fs::path(prefix_.Dir()) / "drive_c", home / "drive");
    prefix_.CreateShortcut("C:\\users\\u\\Desktop\\dead.lnk", kGone);
    prefix_.CreateShortcut("C:\\users\\u\\Desktop\\Pictures\\dead.lnk", kGone);
    Walk({"C:"}, true);
    EXPECT_EQ(Reported(), (std::vector<std::string>{"C:\\users\\u\\Desktop\\dead.lnk",
                                                    "C:\\users\\u\\Desktop\\Pictures\\dead.lnk"}));
    // Every folder shown was entered, once; the other ways into home never were.
    const auto& shown = host_.currentKey.History();
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), shown.size());
    for (const auto& folder : shown) {
        EXPECT_EQ(folder.find("\\Documents"), std::string::npos) << folder;
        EXPECT_EQ(folder.find("\\Downloads"), std::string::npos) << folder;
        EXPECT_EQ(folder.find("\\up"), std::string::npos) << folder;
        EXPECT_EQ(folder.find("\\drive"), std::string::npos) << folder;
    }
}

TEST_F(ShortcutWalk, AFolderIsEnteredThroughThePathQueuedFirst) {
    // "C:\b" links to "C:\a\real": queued a level earlier, so its path is the one walked.
    prefix_.CreateShortcut("C:\\a\\real\\dead.lnk", kGone);
    fs::create_directory_symlink("a/real", prefix_.HostPath("C:\\b"));
    for (bool caching : {false, true}) {
        result_ = {};
        total_ = 0;
        Walk({"C:"}, caching);
        EXPECT_EQ(Reported(), std::vector<std::string>{"C:\\b\\dead.lnk"}) << caching;
    }
}

TEST_F(ShortcutWalk, InsideAScanShortcutFilesThatAreLinksAreReadThroughThem) {
    prefix_.CreateFile("C:\\windows\\notepad.exe", "MZ");
    prefix_.CreateShortcut("C:\\store\\gone.lnk", kGone);
    prefix_.CreateShortcut("C:\\store\\fine.lnk", "C:\\windows\\notepad.exe");
    // Shortcut files that are links to the ones in store: read through the link.
    prefix_.CreateFolder("C:\\desk");
    fs::create_symlink("../store/gone.lnk", prefix_.HostPath("C:\\desk\\a.lnk").c_str());
    fs::create_symlink("../store/fine.lnk", prefix_.HostPath("C:\\desk\\b.lnk").c_str());
    fs::create_symlink("../store/none.lnk", prefix_.HostPath("C:\\desk\\c.lnk").c_str());
    Walk({"C:"}, true);
    EXPECT_EQ(Reported(), (std::vector<std::string>{"C:\\desk\\a.lnk", "C:\\store\\gone.lnk"}));
}

TEST_F(ShortcutWalk, NamesWithoutAnExactAnsiFormArePassedOver) {
    // "Ā" has the "A" form "A" (a look-alike) and Cyrillic letters become "?": judged through
    // that form, the first would report (and a repair delete) A.lnk once more in its name.
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\A.lnk", kGone);
    prefix_.CreateShortcut("C:\\users\\Public\\Desktop\\\xc4\x80.lnk", kGone);
    prefix_.CreateShortcut(
        "C:\\users\\Public\\Desktop\\\xd0\xaf\xd1\x80\xd0\xbb\xd1\x8b\xd0\xba.lnk", kGone);
    prefix_.CreateShortcut("C:\\users\\Public\\\xd0\xaf\\Inside.lnk", kGone);
    for (bool caching : {false, true}) {
        result_ = {};
        Walk({"C:"}, caching);
        EXPECT_EQ(Reported(), (std::vector<std::string>{"C:\\users\\Public\\Desktop\\A.lnk"}))
            << "caching " << caching;
    }
}
