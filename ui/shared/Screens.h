#pragma once
// The main view's screens and commands as both desktop programs show them: the step each
// screen marks, its caption, the button Enter presses, whether the window may close, which
// commands may run while a scan's loop is on the stack, the Pause button's face and the
// select-all box.
#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

namespace ui::shared {

struct ScreenFacts {
    int step = 0;              // the step column's current step (1 to 3); 0 for no screen
    const char* caption = "";  // the gradient caption above the content area
    int defaultButton = 0;     // the control Enter presses; 0 for none
    bool closeEnabled = true;  // the frame's close box (off while a scan runs)
};

constexpr ScreenFacts FactsOf(engine::Screen screen) {
    switch (screen) {
    case engine::Screen::Choose: return {1, text::kCaptionChoose, res::kScanButton, true};
    case engine::Screen::Scanning: return {2, text::kCaptionScanning, res::kPauseButton, false};
    case engine::Screen::Results: return {3, text::kCaptionResults, res::kRepairAllButton, true};
    // The repair log follows the results and keeps their step, "Repair".
    case engine::Screen::RepairLog: return {3, text::kCaptionRepairLog, res::kReturnButton, true};
    case engine::Screen::None: break;
    }
    return {};
}

// While a scan runs its loop is on the stack and hands events on: only Pause, Cancel, the
// two menus and the help commands may run then; the others (a dialog that writes, another
// prefix, a new scan or repair) are greyed in the menus and ignored.
constexpr bool CommandAllowed(bool scanning, int command) {
    if (!scanning) return true;
    switch (command) {
    case res::kPauseButton:
    case res::kCancelScanButton:
    case res::kOptionButton:
    case res::kHelpButton:
    case res::kCmdUserManual:
    case res::kCmdAbout:
    case res::kCmdHomePage: return true;
    default: return false;
    }
}

// A button's text and its three pictures (normal, mouse over, pressed).
struct ButtonFace {
    const char* text;
    int normal, over, pressed;
};

// The Pause button's face: Resume while the scan is paused, Pause otherwise.
constexpr ButtonFace PauseButtonFace(bool paused) {
    if (paused)
        return {text::kResume, res::kBmpResumeNormal, res::kBmpResumeOver, res::kBmpResumePressed};
    return {text::kPause, res::kBmpPauseNormal, res::kBmpPauseOver, res::kBmpPausePressed};
}

// The select-all box's picture: ticked for every row, empty for none, greyed for some.
constexpr int SelectAllPicture(engine::Selection selection) {
    switch (selection) {
    case engine::Selection::All: return res::kBmpBoxTicked;
    case engine::Selection::None: return res::kBmpBoxEmpty;
    case engine::Selection::Some: break;
    }
    return res::kBmpBoxGreyed;
}

// What a click on the select-all box does: every row ticked unticks them all; any other
// choice ticks them all.
constexpr bool SelectAllTicks(engine::Selection selection) {
    return selection != engine::Selection::All;
}

}  // namespace ui::shared
