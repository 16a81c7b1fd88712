#include "ui/shared/ViewLogic.h"

#include "repair/RepairCommand.h"
#include "ui/res/ChoosePrefixStrings.h"
#include "ui/res/IgnoreStrings.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"
#include "ui/shared/IgnoredEntries.h"

namespace ui::shared {
namespace {

std::string CountText(int total) { return std::to_string(total) + text::kProblemsFoundSuffix; }

}  // namespace

ViewLogic::ViewLogic(platform::Services& services, ViewHost& host, ViewFace& face,
                     bool offersPrefixChoice)
    : services_(services), host_(host), face_(face), session_(services, host),
      offersPrefixChoice_(offersPrefixChoice) {
    host_.onShowScreen = [this](engine::Screen screen) { ShowScreen(screen); };
    host_.onScanState = [this](engine::ScanEvent event) { OnScanState(event); };
    host_.onResultsReset = [this] { OnResultsReset(); };
}

bool ViewLogic::CommandAllowed(int id) const {
    return ui::shared::CommandAllowed(session_.Scanning(), id);
}

void ViewLogic::OnCommand(int id) {
    if (!CommandAllowed(id)) return;
    switch (id) {
    case res::kScanButton: Scan(); return;
    case res::kSelectAllBox: ToggleSelectAll(); return;
    case res::kOptionButton:
    case res::kHelpButton: RunPopupMenu(id); return;
    case res::kPauseButton: session_.PauseCommand(); return;
    case res::kCancelScanButton: session_.CancelCommand(); return;
    case res::kRepairAllButton: RepairAll(); return;
    case res::kCancelResultButton:
    case res::kReturnButton: ShowScreen(engine::Screen::Choose); return;
    case res::kCmdCleanRestore: face_.RunDialog(Dialog::CleanRestore); return;
    case res::kCmdIERestore: face_.RunDialog(Dialog::IERestore); return;
    case res::kCmdIgnoredEntries: face_.RunDialog(Dialog::IgnoredEntries); return;
    case res::kCmdChoosePrefix:
        if (offersPrefixChoice_) face_.ChoosePrefix();
        return;
    case res::kCmdUserManual:
    case res::kCmdAbout:
    case res::kCmdHomePage: RunHelpCommand(id); return;
    default: break;
    }
    const int row = id - res::kFirstSectionLink;
    if (row >= 0 && row < engine::kSectionCount && session_.Results().Section(row + 1).Count() > 0)
        ShowSectionProblems(row);
}

void ViewLogic::Scan() {
    if (!ApplyIgnoreList(services_, session_, host_)) return;
    session_.Scan(face_.SectionRows());
    host_.ShowLabels();
}

void ViewLogic::RepairAll() {
    // Refused because Wine wrote the registry since the scan: the user may scan again with the
    // same sections at once.
    if (repair::RepairCommand(session_.Results(), session_.Repair(), services_, host_, true)
            .scanAgain)
        OnCommand(res::kScanButton);
}

std::vector<MenuItem> ViewLogic::MenuItems(int buttonId) const {
    std::vector<MenuItem> items;
    auto add = [this, &items](const char* label, int command) {
        items.push_back({label, command, CommandAllowed(command)});
    };
    const auto separator = [&items] { items.push_back({}); };
    if (buttonId == res::kOptionButton) {
        add(text::kMenuCleanRestore, res::kCmdCleanRestore);
        add(text::kMenuIgnoredEntries, res::kCmdIgnoredEntries);
        separator();
        add(text::kMenuIERestore, res::kCmdIERestore);
        if (offersPrefixChoice_) {
            separator();
            add(text::kMenuChoosePrefix, res::kCmdChoosePrefix);
        }
    } else if (buttonId == res::kHelpButton) {
        add(text::kMenuUserManual, res::kCmdUserManual);
        separator();
        add(text::kMenuAbout, res::kCmdAbout);
        add(text::kMenuHomePage, res::kCmdHomePage);
    }
    return items;
}

void ViewLogic::RunPopupMenu(int buttonId) {
    const std::vector<MenuItem> items = MenuItems(buttonId);
    // The chosen item runs once the menu is gone.
    if (const int command = face_.RunPopupMenu(buttonId, items); command != 0) OnCommand(command);
}

void ViewLogic::RunHelpCommand(int id) {
    switch (id) {
    case res::kCmdUserManual: face_.OpenAddress(Address::UserManual); return;
    case res::kCmdAbout: face_.RunDialog(Dialog::About); return;
    case res::kCmdHomePage: face_.OpenAddress(Address::HomePage); return;
    default: return;
    }
}

void ViewLogic::Start() {
    OnSelectionChanged();
    ShowScreen(engine::Screen::Choose);
}

void ViewLogic::ShowScreen(engine::Screen screen) {
    const ScreenFacts facts = FactsOf(screen);
    // The window cannot be closed while a scan runs.
    face_.SetCloseEnabled(facts.closeEnabled);
    screen_ = screen;
    if (facts.step) currentStep_ = facts.step;
    // The screen's controls show before they are filled: a list fills as it is shown.
    face_.ShowScreenControls(screen, facts);
    face_.ShowResultRows(std::vector<ResultRow>(static_cast<std::size_t>(engine::kSectionCount)));
    switch (screen) {
    case engine::Screen::Scanning: face_.SetPauseFace(PauseButtonFace(false), false); break;
    case engine::Screen::Results: ShowResults(false); break;
    case engine::Screen::RepairLog: face_.ShowRepairLog(&session_.Repair().repaired); break;
    case engine::Screen::Choose:
    case engine::Screen::None: break;
    }
}

void ViewLogic::ShowResults(bool keepScroll) {
    engine::ScanResults& results = session_.Results();
    face_.SetResultCount(CountText(results.total));
    face_.ShowResultRows(ResultRows(results));
    // The section shown stays, scrolled where it was, while it has problems left.
    const int row = RowToShow(results, keepScroll ? markerRow_ : -1);
    if (row < 0) {
        face_.ShowProblems(markerRow_, nullptr, false);
        return;
    }
    const bool sameRow = row == markerRow_;
    markerRow_ = row;
    face_.ShowProblems(row, &results.Section(row + 1).problems, keepScroll && sameRow);
}

void ViewLogic::ShowSectionProblems(int row) {
    if (row < 0 || row >= engine::kSectionCount) return;
    markerRow_ = row;
    face_.ShowProblems(row, &session_.Results().Section(row + 1).problems, false);
}

void ViewLogic::IgnoreProblem(int row, bool wholeKey) {
    engine::ScanResults& results = session_.Results();
    const engine::ProblemList& shown = results.Section(markerRow_ + 1).problems;
    if (row < 0 || static_cast<std::size_t>(row) >= shown.size()) return;
    const engine::IgnoreEntry entry =
        engine::EntryForProblem(shown[static_cast<std::size_t>(row)], wholeKey);
    if (!AddIgnoreEntry(services_, session_, host_, entry)) return;
    engine::DropCovered(results, entry);
    ShowResults(true);
}

void ViewLogic::OnScanState(engine::ScanEvent event) {
    if (event != engine::ScanEvent::Cancelled)
        face_.SetPauseFace(PauseButtonFace(event == engine::ScanEvent::Paused), true);
}

engine::Selection ViewLogic::SelectionSummary() const {
    return engine::SelectionSummary(face_.SectionRows());
}

void ViewLogic::OnSelectionChanged() {
    face_.SetSelectAllPicture(SelectAllPicture(SelectionSummary()));
}

void ViewLogic::ToggleSelectAll() {
    face_.ChooseAllRows(SelectAllTicks(SelectionSummary()));
    OnSelectionChanged();
}

}  // namespace ui::shared
