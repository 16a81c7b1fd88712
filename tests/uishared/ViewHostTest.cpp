// The desktop programs' engine host: the progress labels hand on only their latest texts,
// when the host shows them; the wait depth stays balanced; the events reach the view.
#include <gtest/gtest.h>

#include "tests/uishared/ViewFakes.h"

namespace {

using uisharedtest::FakeHost;

TEST(ViewHost, LabelsHandOnTheirLatestTextOnceWhenShown) {
    FakeHost host;
    std::vector<std::string> names, counters;
    host.SetLabels([&](const std::string& t) { names.push_back(t); }, nullptr, nullptr);
    host.SetSectionCounter(14, [&](const std::string& t) { counters.push_back(t); });
    host.SetSectionCounter(15, [&](const std::string& t) { counters.push_back("15: " + t); });
    ASSERT_NE(host.SectionNameLabel(), nullptr);
    ASSERT_NE(host.SectionCounterLabel(14), nullptr);
    EXPECT_EQ(host.SectionCounterLabel(0), nullptr);
    EXPECT_EQ(host.SectionCounterLabel(15), nullptr);
    EXPECT_EQ(host.SectionCounterLabel(1), nullptr);

    host.SectionNameLabel()->SetText("first");
    host.SectionNameLabel()->SetText("Caf\xe9");  // Windows-1252, handed on as it is
    host.SectionCounterLabel(14)->SetText("3");
    EXPECT_TRUE(names.empty());
    host.Pump();
    EXPECT_EQ(names, std::vector<std::string>{"Caf\xe9"});
    EXPECT_EQ(counters, std::vector<std::string>{"3"});
    // A text shown is not handed over again: the control keeps what the view set since.
    host.ShowLabels();
    EXPECT_EQ(names.size(), 1u);
    // A message box, a screen and a scan state show the labels first.
    host.SectionNameLabel()->SetText("box");
    host.MessageBox("a", "Information", engine::Buttons::Ok);
    host.SectionNameLabel()->SetText("screen");
    host.ShowScreen(engine::Screen::Results);
    host.SectionNameLabel()->SetText("paused");
    host.OnScanState(engine::ScanEvent::Paused);
    EXPECT_EQ(names, (std::vector<std::string>{"Caf\xe9", "box", "screen", "paused"}));
}

TEST(ViewHost, WaitCursorBalancedNeverBelowZeroAndEndedWithTheHost) {
    int cursorsUp = 0;
    {
        FakeHost host(&cursorsUp);
        host.BeginWaitCursor();
        host.EndWaitCursor();
        host.EndWaitCursor();  // a scan-state message with no Pause before it
        EXPECT_EQ(host.WaitDepth(), 0);
        EXPECT_EQ(cursorsUp, 0);
        host.BeginWaitCursor();
        host.BeginWaitCursor();
        EXPECT_EQ(host.WaitDepth(), 2);
        EXPECT_EQ(cursorsUp, 2);
    }
    // Left up (a Pause pressed between walks): the host's end takes them down.
    EXPECT_EQ(cursorsUp, 0);
}

TEST(ViewHost, ScreensStatesResetsAndAnswersReachTheView) {
    FakeHost host;
    std::vector<engine::Screen> screens;
    std::vector<engine::ScanEvent> states;
    int resets = 0;
    host.onShowScreen = [&](engine::Screen s) { screens.push_back(s); };
    host.onScanState = [&](engine::ScanEvent s) { states.push_back(s); };
    host.onResultsReset = [&] { ++resets; };
    host.ShowScreen(engine::Screen::Scanning);
    host.OnScanState(engine::ScanEvent::Paused);
    host.OnResultsReset();
    EXPECT_EQ(screens, std::vector<engine::Screen>{engine::Screen::Scanning});
    EXPECT_EQ(states, std::vector<engine::ScanEvent>{engine::ScanEvent::Paused});
    EXPECT_EQ(resets, 1);
    host.answers = {engine::Answer::No};
    EXPECT_EQ(host.MessageBox("q", "Information", engine::Buttons::YesNo), engine::Answer::No);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "q");
}

}  // namespace
