#pragma once
// The main view's behaviour as both desktop programs have it: the screens and what each
// shows, the commands of its buttons, links and popup menus, which of them may run while a
// scan's loop is on the stack, the select-all box, the result screen's rows and the ignore
// list's context menu. A face (Qt or Win32) creates, places and draws the controls, forwards
// their events here and does what `ViewFace` asks; it holds no rule of its own.
#include <span>
#include <string>
#include <vector>

#include "engine/Host.h"
#include "engine/ScanModel.h"
#include "engine/ScanSession.h"
#include "platform/Services.h"
#include "ui/shared/ResultRows.h"
#include "ui/shared/Screens.h"
#include "ui/shared/ViewHost.h"

namespace ui::shared {

// The modal windows a command opens.
enum class Dialog { CleanRestore, IERestore, IgnoredEntries, About };
// The addresses a help command opens with the desktop's own program.
enum class Address { UserManual, HomePage };

// A popup menu's line: a command, or a separator (command 0, no text).
struct MenuItem {
    const char* text = "";
    int command = 0;
    bool enabled = true;
};

// What the logic asks of the controls.
class ViewFace {
public:
    virtual ~ViewFace() = default;
    // Shows the frame controls and the controls of `screen`, hides the others, marks the
    // screen's step (the logic's CurrentStep(), already the new one) and caption and puts the
    // keyboard on its default button. The screen's rows and lists are filled after it.
    virtual void ShowScreenControls(engine::Screen screen, const ScreenFacts& facts) = 0;
    // The frame's close box (off while a scan runs).
    virtual void SetCloseEnabled(bool enabled) = 0;
    // The Pause button's pictures, and its text when `withText` (a new scan keeps the text).
    virtual void SetPauseFace(const ButtonFace& face, bool withText) = 0;
    // The result screen's section rows, and its "N problem(s) found" line.
    virtual void ShowResultRows(const std::vector<ResultRow>& rows) = 0;
    virtual void SetResultCount(const std::string& text) = 0;
    // Points the section marker at the result row and lists `problems` (null empties the
    // list); with `keepScroll` the list stays scrolled where it was.
    virtual void ShowProblems(int row, engine::ProblemList* problems, bool keepScroll) = 0;
    // Lists the repaired entries on the repair log screen.
    virtual void ShowRepairLog(engine::ProblemList* repaired) = 0;
    // The results were emptied: both problem lists drop their rows.
    virtual void ClearProblemLists() = 0;
    // The section list's rows as they stand, and ticking or unticking every one of them.
    virtual engine::SectionRows SectionRows() const = 0;
    virtual void ChooseAllRows(bool chosen) = 0;
    // The select-all box's picture (a picture id).
    virtual void SetSelectAllPicture(int picture) = 0;
    // Runs a popup menu under the Option (11001) or Help (11002) button; the chosen command,
    // or 0 when the menu was closed without one.
    virtual int RunPopupMenu(int buttonId, std::span<const MenuItem> items) = 0;
    // Runs a modal window; returns when it is closed.
    virtual void RunDialog(Dialog dialog) = 0;
    virtual void OpenAddress(Address address) = 0;
    // Option > Choose Prefix...
    virtual void ChoosePrefix() {}
};

class ViewLogic {
public:
    // Takes over the host's screen, scan-state and reset callbacks. Option > Choose Prefix...
    // is offered only where the program picks its prefix (Linux; on Windows the registry is
    // the machine's, under Wine the prefix Wine runs in).
    ViewLogic(platform::Services& services, ViewHost& host, ViewFace& face,
              bool offersPrefixChoice);

    // Once the face's controls exist: the select-all box shows the section list's choice and
    // the view opens on the section choice.
    void Start();

    // The command of a button, link or menu item (ids of ui/res/ResourceIds.h); ignored when
    // CommandAllowed says no.
    void OnCommand(int id);
    bool CommandAllowed(int id) const;
    // The items of the Option (11001) or Help (11002) button's menu, enabled as they may run.
    std::vector<MenuItem> MenuItems(int buttonId) const;

    // What the engine's host hands on.
    void ShowScreen(engine::Screen screen);
    void OnScanState(engine::ScanEvent event);
    void OnResultsReset() { face_.ClearProblemLists(); }

    // Lists the problems of a result row's section (from 0) and marks its row.
    void ShowSectionProblems(int row);
    // A problem row's "Ignore This Entry" (false) or "Ignore This Key" (true): onto the ignore
    // list, and every problem it covers off the results and their counts.
    void IgnoreProblem(int row, bool wholeKey);
    // After a click in the section list: the select-all box shows the new choice.
    void OnSelectionChanged();
    engine::Selection SelectionSummary() const;

    engine::Screen Screen() const { return screen_; }
    int CurrentStep() const { return currentStep_; }
    int MarkerRow() const { return markerRow_; }
    engine::ScanSession& Session() { return session_; }
    const engine::ScanSession& Session() const { return session_; }

private:
    void Scan();
    void RepairAll();
    void ToggleSelectAll();
    void RunPopupMenu(int buttonId);
    void RunHelpCommand(int id);
    // The result screen's rows and count, and the section whose problems the list shows.
    void ShowResults(bool keepScroll);

    platform::Services& services_;
    ViewHost& host_;
    ViewFace& face_;
    engine::ScanSession session_;
    engine::Screen screen_ = engine::Screen::None;
    int currentStep_ = 1;
    int markerRow_ = 0;  // the result screen's row the marker points at
    bool offersPrefixChoice_;
};

}  // namespace ui::shared
