// The breadth-first registry walk: visiting order, polls, records, cancel and pause.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/CRegistryFixer.h"
#include "engine/RootNames.h"
#include "tests/engine/ScriptHost.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/ScanResultsBuilder.h"

using fixtures::Hive;
using fixtures::TestPrefix;

namespace {

// Calls `onText` every time its text is set.
class HookLabel final : public engine::Label {
public:
    std::function<void(const std::string&)> onText;
    std::vector<std::string> history;
    void SetText(const std::string& text) override {
        history.push_back(text);
        if (onText) onText(text);
    }
};

class KeyWalker : public ::testing::Test {
protected:
    void Open() {
        services_ = prefix_.Open();
        ASSERT_TRUE(services_);
        fixer_ = std::make_unique<engine::CRegistryFixer>(*services_, host_);
        fixer_->SetPumpInterval(std::chrono::milliseconds(0));
    }
    // Prepares section `section` under `root` with the given start keys and walks.
    void Walk(platform::HKEY root, int section, std::vector<std::string> startKeys) {
        work_ = std::move(startKeys);
        fixer_->Prepare({root,
                         section,
                         &work_,
                         &result_,
                         &total_,
                         nullptr,
                         {&key_, &host_.sectionName, &host_.counters[0], &host_.foundCount}});
        fixer_->Walk();
    }

    TestPrefix prefix_;
    std::unique_ptr<platform::Services> services_;
    enginetest::ScriptHost host_;
    std::unique_ptr<engine::CRegistryFixer> fixer_;
    engine::TextList work_;
    engine::SectionResult result_;
    int total_ = 0;
    HookLabel key_;
};

}  // namespace

TEST_F(KeyWalker, VisitsBreadthFirstInEnumerationOrder) {
    prefix_.SetString(Hive::System, "Software\\Walk\\b", "v", "x");
    prefix_.SetString(Hive::System, "Software\\Walk\\A\\C", "v", "x");
    prefix_.SetString(Hive::System, "Software\\Walk\\A", "v", "x");
    prefix_.SetString(Hive::System, "Software\\Other", "v", "x");
    Open();
    Walk(platform::HKEY_LOCAL_MACHINE, 4,
         {"Software\\Walk", "Software\\Missing", "Software\\Other"});
    EXPECT_EQ(key_.history,
              (std::vector<std::string>{"Software\\Walk", "Software\\Other", "Software\\Walk\\A",
                                        "Software\\Walk\\b", "Software\\Walk\\A\\C"}));
    EXPECT_EQ(host_.sectionName.Text(), "Device Drivers");
    EXPECT_EQ(fixer_->GetRunState(), engine::RunState::Idle);
    EXPECT_EQ(result_.Count(), 0);
    EXPECT_TRUE(host_.states.empty());
}

TEST_F(KeyWalker, PollsAfterEveryRegistryCall) {
    prefix_.SetString(Hive::System, "Software\\P\\one", "", "");
    prefix_.SetString(Hive::System, "Software\\P\\two", "", "");
    prefix_.SetString(Hive::System, "Software\\P", "a", "1");
    prefix_.SetString(Hive::System, "Software\\P", "b", "2");
    prefix_.SetString(Hive::System, "Software\\P", "c", "3");
    Open();
    Walk(platform::HKEY_LOCAL_MACHINE, 4, {"Software\\P"});
    // P: count query 1, subkey calls 2 + 1 ending, after the loop 1, values 3 = 8.
    // Each child: 1 + 1 + 1 + its one value 1 = 4.
    EXPECT_EQ(host_.pumps, 8 + 4 + 4);
}

TEST_F(KeyWalker, EmptyWorkListShowsOnlyTheSectionName) {
    Open();
    Walk(platform::HKEY_LOCAL_MACHINE, 11, {});
    EXPECT_EQ(host_.sectionName.History(), std::vector<std::string>{"Configuration Files"});
    EXPECT_TRUE(key_.history.empty());
    EXPECT_EQ(host_.pumps, 0);
    EXPECT_EQ(fixer_->GetRunState(), engine::RunState::Idle);
}

TEST_F(KeyWalker, RecordsFourTextsPerProblemWithCounters) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    prefix_.SetString(Hive::User, key, "", "C:\\gone\\default.dir");
    prefix_.SetString(Hive::User, key, "Cache", "C:\\gone\\cache.dir");
    prefix_.SetString(Hive::User, key, "Fine", "C:\\windows");
    prefix_.SetBinary(Hive::User, key, "Raw", {'C', ':', '\\', 'g', '.', 'x', 0});
    prefix_.SetString(Hive::User, key, "zEmpty", "");
    Open();
    Walk(platform::HKEY_CURRENT_USER, 1, {key});
    const std::string keyText = "[HKEY_CURRENT_USER\\" + key + "]";
    EXPECT_EQ(
        fixtures::RecordTexts(result_.problems),
        (engine::TextList{keyText, "@", "\"C:\\\\gone\\\\default.dir\"", "0", keyText, "\"Cache\"",
                          "\"C:\\\\gone\\\\cache.dir\"", "0", keyText, "\"zEmpty\"", "\"\"", "0"}));
    EXPECT_EQ(result_.Count(), 3);
    EXPECT_EQ(total_, 3);
    EXPECT_EQ(host_.foundCount.Text(), "3 problem(s) found");
    EXPECT_EQ(host_.counters[0].History(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(KeyWalker, ProblemsCarryTheStoredNamesAndDataOutsideTheCodePageIsNotJudged) {
    const std::string key = "Software\\Repro";
    prefix_.CreateFile("C:\\T\xc5\x8dol\\x.exe", "x");
    prefix_.SetString(Hive::User, key, "Tool", "C:\\windows");
    prefix_.SetString(Hive::User, key, "T\xc5\x8dol", "C:\\Gone\\tool.exe");
    prefix_.SetString(Hive::User, key, "\xd0\x9f\xd1\x80\xd0\xbe", "C:\\Gone\\prog.exe");
    // Exists under its exact name; its best-fit spelling C:\Tool\x.exe does not.
    prefix_.SetString(Hive::User, key, "Valid", "C:\\T\xc5\x8dol\\x.exe");
    Open();
    Walk(platform::HKEY_CURRENT_USER, 13, {key});
    ASSERT_EQ(result_.Count(), 2);
    EXPECT_EQ(result_.problems[0].exact.name, u"T\u014dol");
    EXPECT_EQ(result_.problems[1].exact.name, u"\u041f\u0440\u043e");
    for (const engine::Problem& problem : result_.problems) {
        EXPECT_EQ(problem.exact.root, platform::HKEY_CURRENT_USER);
        EXPECT_EQ(problem.exact.subKey, u"Software\\Repro");
    }
    EXPECT_EQ(result_.problems[1].exact.text, u"C:\\Gone\\prog.exe");
}

TEST_F(KeyWalker, ValueTooLargeForTheBuffersIsSkippedNotJudgedOnStaleBuffers) {
    const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    prefix_.CreateFile("C:\\windows\\Fonts\\heresans.ttf", "font");
    prefix_.SetString(Hive::System, key, "Here Sans (TrueType)", "heresans.ttf");
    prefix_.SetString(Hive::System, key, "Huge", std::string(200001, 'x'));
    prefix_.SetString(Hive::System, key, std::string(10001, 'n'), "gone.ttf");
    prefix_.SetString(Hive::System, key, "Zed (TrueType)", "gonezed.ttf");
    Open();
    Walk(platform::HKEY_LOCAL_MACHINE, 5, {key});
    // Only the real problem after them: neither oversized value, nor the fine value before
    // them judged again with empty data.
    ASSERT_EQ(result_.Count(), 1);
    EXPECT_EQ(result_.problems[0].name, "\"Zed (TrueType)\"");
    EXPECT_EQ(result_.problems[0].value, "\"gonezed.ttf\"");
}

TEST_F(KeyWalker, CancelClosesTheWalkAtOnce) {
    prefix_.SetString(Hive::System, "Software\\Deep\\A\\B\\C", "x", "C:\\gone\\x.dir");
    prefix_.SetString(Hive::System, "Software\\Deep\\A", "x", "C:\\gone\\x.dir");
    Open();
    key_.onText = [this](const std::string& text) {
        if (text == "Software\\Deep\\A") fixer_->CancelRequest();
    };
    Walk(platform::HKEY_LOCAL_MACHINE, 1, {"Software\\Deep"});
    EXPECT_EQ(host_.states, std::vector<engine::ScanEvent>{engine::ScanEvent::Cancelled});
    EXPECT_EQ(fixer_->GetRunState(), engine::RunState::Idle);
    EXPECT_EQ(result_.Count(), 0);  // A's value was never judged
    EXPECT_EQ(key_.history.back(), "Software\\Deep\\A");
}

TEST_F(KeyWalker, RunStateIsCheckedAtEveryPollEvenWhenPumpingIsThrottled) {
    prefix_.SetString(Hive::System, "Software\\T\\A", "x", "C:\\gone\\x.dir");
    prefix_.SetString(Hive::System, "Software\\T\\B", "x", "C:\\gone\\x.dir");
    Open();
    fixer_->SetPumpInterval(std::chrono::hours(1));
    key_.onText = [this](const std::string& text) {
        if (text == "Software\\T\\A") fixer_->CancelRequest();
    };
    Walk(platform::HKEY_LOCAL_MACHINE, 1, {"Software\\T"});
    EXPECT_LE(host_.pumps, 1);
    EXPECT_EQ(result_.Count(), 0);
    EXPECT_EQ(host_.states, std::vector<engine::ScanEvent>{engine::ScanEvent::Cancelled});
}

TEST_F(KeyWalker, PauseHoldsTheWalkUntilResume) {
    prefix_.SetString(Hive::System, "Software\\W\\A", "x", "C:\\gone\\a.dir");
    prefix_.SetString(Hive::System, "Software\\W\\B", "x", "C:\\gone\\b.dir");
    Open();
    std::size_t keysAtPause = 0;
    host_.At(2, [&] { fixer_->PauseRequest(); });
    host_.At(3, [&] { keysAtPause = key_.history.size(); });
    host_.At(6, [&] {
        EXPECT_EQ(fixer_->GetRunState(), engine::RunState::Paused);
        EXPECT_EQ(key_.history.size(), keysAtPause);  // nothing visited while paused
        fixer_->ResumeRequest();
    });
    Walk(platform::HKEY_LOCAL_MACHINE, 1, {"Software\\W"});
    EXPECT_EQ(host_.states, (std::vector<engine::ScanEvent>{engine::ScanEvent::Paused,
                                                            engine::ScanEvent::Resumed}));
    EXPECT_EQ(host_.slept, 400u);   // each pump while paused (3 to 6) is followed by 100 ms
    EXPECT_EQ(result_.Count(), 2);  // the walk went on from the same place
    EXPECT_EQ(key_.history,
              (std::vector<std::string>{"Software\\W", "Software\\W\\A", "Software\\W\\B"}));
}

TEST_F(KeyWalker, CancelWhilePausedEndsTheWaitAtOnce) {
    prefix_.SetString(Hive::System, "Software\\W\\A", "x", "C:\\gone\\a.dir");
    Open();
    host_.At(1, [&] { fixer_->PauseRequest(); });
    host_.At(3, [&] { fixer_->CancelRequest(); });
    Walk(platform::HKEY_LOCAL_MACHINE, 1, {"Software\\W"});
    EXPECT_EQ(host_.states, (std::vector<engine::ScanEvent>{engine::ScanEvent::Paused,
                                                            engine::ScanEvent::Cancelled}));
    EXPECT_EQ(result_.Count(), 0);
}

TEST_F(KeyWalker, RootNames) {
    EXPECT_EQ(engine::RootPrefix(platform::HKEY_CLASSES_ROOT), "HKEY_CLASSES_ROOT\\");
    EXPECT_EQ(engine::RootPrefix(platform::HKEY_USERS), "HKEY_USERS\\");
    EXPECT_EQ(engine::RootPrefix(platform::HKEY_DYN_DATA), "HKEY_DYN_DATA\\");
    EXPECT_EQ(engine::RootPrefix(platform::HKEY_CURRENT_CONFIG), "");
    EXPECT_EQ(engine::RootPrefix(0), "");
    // Every name reads back as its root, and only when spelt exactly.
    for (platform::HKEY root :
         {platform::HKEY_CLASSES_ROOT, platform::HKEY_CURRENT_USER, platform::HKEY_LOCAL_MACHINE,
          platform::HKEY_USERS, platform::HKEY_PERFORMANCE_DATA, platform::HKEY_DYN_DATA})
        EXPECT_EQ(engine::RootFromName(engine::RootName(root)), root);
    EXPECT_EQ(engine::RootFromName("hkey_users"), 0u);
    EXPECT_EQ(engine::RootFromName(""), 0u);
}

TEST_F(KeyWalker, ThrottledPumpingStillPumpsAsTimePasses) {
    for (int k = 0; k < 12; ++k)
        prefix_.SetString(Hive::System, "Software\\Slow\\K" + std::to_string(k), "x", "y");
    Open();
    fixer_->SetPumpInterval(std::chrono::milliseconds(1));
    // Each key takes 3 ms: with a 1 ms interval every key's polls hand events on once.
    key_.onText = [](const std::string&) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(3);
        while (std::chrono::steady_clock::now() < until) {
        }
    };
    Walk(platform::HKEY_LOCAL_MACHINE, 4, {"Software\\Slow"});
    EXPECT_GE(host_.pumps, 12);
    EXPECT_LE(host_.pumps, 20);  // far fewer than the polls: the clock decides
    EXPECT_EQ(key_.history.size(), 13u);
}
