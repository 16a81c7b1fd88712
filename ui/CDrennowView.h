#pragma once
// The main view: the blue header with the Option and Help buttons, the step column, the
// framed content area and its four screens (section choice, scan progress, results, repair
// log). Every control is created once and only shown, hidden, moved and drawn; what the
// screens show and what the commands do is the shared logic's (ui/shared/ViewLogic), which
// owns the scan session and asks the view, its face, for the controls.
#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <span>

#include "engine/ScanSession.h"
#include "platform/Services.h"
#include "ui/GuiHost.h"
#include "ui/HelpCommands.h"
#include "ui/Index.h"
#include "ui/shared/ResultRows.h"
#include "ui/shared/Screens.h"
#include "ui/shared/ViewLogic.h"

class CButtonEx;
class CListCtrlBlue;
class CListCtrlResult;
class CStaticLink;
class QLabel;
class QMenu;

namespace ui {
class StaticText;
class StaticPicture;
class GreyRect;

// What the view asks of the program around it; each may be empty (nothing happens, or the
// desktop's own handler opens addresses).
struct ViewLinks {
    UrlOpener openUrl;                          // help commands, the dialogs' F1
    std::function<void(bool)> setCloseEnabled;  // the frame's close box, off while a scan runs
    std::function<void()> choosePrefix;         // Option > Choose Prefix...
};
}  // namespace ui

class CDrennowView : public QWidget, private ui::shared::ViewFace {
    Q_OBJECT
public:
    static constexpr int kRows = engine::kSectionCount;
    // Width of the scan progress block, which is centred in the content area.
    static constexpr int kProgressBlockWidth = 593;

    explicit CDrennowView(platform::Services& services, ui::ViewLinks links = {},
                          QWidget* parent = nullptr);

    // The commands, screens and menus, as the shared logic has them.
    ui::shared::ViewLogic& Logic() { return logic_; }
    // 1 section choice, 2 scan progress, 3 results, 4 repair log.
    void ShowScreen(engine::Screen screen) { logic_.ShowScreen(screen); }
    // Marks a row of the result screen (from 0, one per section) and lists its section's
    // problems.
    void ShowSectionProblems(int row) { logic_.ShowSectionProblems(row); }
    // A problem row's "Ignore This Entry" (false) or "Ignore This Key" (true).
    void IgnoreProblem(int row, bool wholeKey) { logic_.IgnoreProblem(row, wholeKey); }
    // The command handler of the buttons and menus (ids of ui/res/ResourceIds.h).
    void OnCommand(int id) { logic_.OnCommand(id); }

    engine::Screen Screen() const { return logic_.Screen(); }
    int CurrentStep() const { return logic_.CurrentStep(); }
    // How many of the section list's rows are chosen, as the scan will count them.
    engine::Selection SelectionSummary() const { return logic_.SelectionSummary(); }

    // Controls with an id of their own (buttons, lists, the select-all box); null otherwise.
    QWidget* Control(int id) const;
    CButtonEx* Button(int id) const;
    CListCtrlBlue* SectionList() const { return sectionList_; }
    CListCtrlResult* ProblemList() const { return problemList_; }
    CListCtrlResult* RepairLogList() const { return repairLog_; }
    ui::StaticPicture* SelectAllBox() const { return selectAllBox_; }
    ui::StaticPicture* SectionMarker() const { return sectionMarker_; }
    int MarkerRow() const { return logic_.MarkerRow(); }
    QLabel* StepLabel(int step) const;
    QLabel* CaptionLabel() const;
    QLabel* StatusLabel() const;
    QLabel* FoundCountLabel() const;
    QLabel* ResultCountLabel() const;
    QLabel* SectionCounter(int row) const;
    QLabel* SectionNameLabel(int row) const;
    QWidget* StatusBand() const;
    QWidget* ProgressPanel() const;
    CStaticLink* CountLink(int row) const { return countLinks_.at(ui::Index(row)); }
    CStaticLink* SectionLink(int row) const { return sectionLinks_.at(ui::Index(row)); }

    engine::ScanSession& Session() { return logic_.Session(); }
    const engine::ScanSession& Session() const { return logic_.Session(); }
    // Whether command `id` may run now (not while a scan runs, for most).
    bool CommandAllowed(int id) const { return logic_.CommandAllowed(id); }
    ui::GuiHost& Host() { return host_; }

    // The popup menu of the Option button (11001) or the Help button (11002), as shown.
    std::unique_ptr<QMenu> BuildPopupMenu(int buttonId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void CreateFrameControls();
    void CreateSectionChoice();
    void CreateScanProgress();
    void CreateResults();
    void CreateRepairLog();
    void SetKeyboardOrder();
    void UpdateAccelerators();
    // The button Enter presses on the screen shown; null when none.
    CButtonEx* DefaultButton() const;
    CButtonEx* AddButton(int id, const char* text, quint16 normal, quint16 over, quint16 pressed);
    void Layout(int cx, int cy);
    // Beside the result screen's row whose problems the list shows.
    void PlaceSectionMarker();

    // What the logic asks of the controls.
    void ShowScreenControls(engine::Screen screen, const ui::shared::ScreenFacts& facts) override;
    void SetCloseEnabled(bool enabled) override;
    void SetPauseFace(const ui::shared::ButtonFace& face, bool withText) override;
    void ShowResultRows(const std::vector<ui::shared::ResultRow>& rows) override;
    void SetResultCount(const std::string& text) override;
    void ShowProblems(int row, engine::ProblemList* problems, bool keepScroll) override;
    void ShowRepairLog(engine::ProblemList* repaired) override;
    void ClearProblemLists() override;
    engine::SectionRows SectionRows() const override;
    void ChooseAllRows(bool chosen) override;
    void SetSelectAllPicture(int picture) override;
    int RunPopupMenu(int buttonId, std::span<const ui::shared::MenuItem> items) override;
    void RunDialog(ui::shared::Dialog dialog) override;
    void OpenAddress(ui::shared::Address address) override;
    void ChoosePrefix() override;

    // A popup menu of these items, each action holding its command.
    std::unique_ptr<QMenu> BuildMenu(std::span<const ui::shared::MenuItem> items);

    platform::Services& services_;
    ui::ViewLinks links_;
    ui::GuiHost host_;
    ui::shared::ViewLogic logic_;

    bool created_ = false;
    int currentStep_ = 1;  // the step the step column marks
    int markerRow_ = 0;    // the result screen's row the marker stands beside

    QFont largeFont_, smallFont_, boldFont_, systemFont_;
    QPixmap sidePicture_, stepMarker_;

    // Frame controls.
    std::array<ui::StaticText*, 3> stepLabels_{};
    ui::StaticText* caption_ = nullptr;
    CButtonEx* optionButton_ = nullptr;
    CButtonEx* helpButton_ = nullptr;
    // Screen 1.
    CListCtrlBlue* sectionList_ = nullptr;
    ui::StaticText* selectAllLabel_ = nullptr;
    CButtonEx* scanButton_ = nullptr;
    ui::StaticPicture* selectAllBox_ = nullptr;
    // Screen 2.
    std::array<ui::StaticText*, kRows> counters_{};
    std::array<ui::StaticText*, kRows> names_{};
    ui::GreyRect* statusBand_ = nullptr;
    ui::GreyRect* progressPanel_ = nullptr;
    ui::StaticText* foundCount_ = nullptr;
    CButtonEx* pauseButton_ = nullptr;
    CButtonEx* cancelScanButton_ = nullptr;
    ui::StaticPicture* statusArrow_ = nullptr;
    ui::StaticText* statusLabel_ = nullptr;
    // Screen 3.
    CListCtrlResult* problemList_ = nullptr;
    CButtonEx* repairAllButton_ = nullptr;
    CButtonEx* cancelResultButton_ = nullptr;
    ui::StaticText* resultCount_ = nullptr;
    std::array<CStaticLink*, kRows> countLinks_{};
    std::array<CStaticLink*, kRows> sectionLinks_{};
    ui::StaticPicture* sectionMarker_ = nullptr;
    // Screen 4.
    CListCtrlResult* repairLog_ = nullptr;
    CButtonEx* returnButton_ = nullptr;

    // Each button's Alt key.
    std::vector<std::pair<CButtonEx*, int>> accelerators_;
    // What each screen shows, besides the frame controls.
    std::array<std::vector<QWidget*>, 4> screenControls_;
};
