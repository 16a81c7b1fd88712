#pragma once
// The main view: the blue header with the Option and Help buttons, the step column, the
// framed content area and its four screens (section choice, scan progress, results, repair
// log). Every control is created once and only shown, hidden and moved. The view owns the
// scan session and dispatches the commands of its buttons and popup menus.
#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>

#include "engine/ScanSession.h"
#include "platform/Services.h"
#include "ui/GuiHost.h"
#include "ui/HelpCommands.h"
#include "ui/Index.h"
#include "ui/shared/ResultRows.h"
#include "ui/shared/Screens.h"

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

class CDrennowView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = engine::kSectionCount;
    // Width of the scan progress block, which is centred in the content area.
    static constexpr int kProgressBlockWidth = 593;

    explicit CDrennowView(platform::Services& services, ui::ViewLinks links = {},
                          QWidget* parent = nullptr);

    // 1 section choice, 2 scan progress, 3 results, 4 repair log.
    void ShowScreen(engine::Screen screen);
    // Marks a row of the result screen (from 0, one per section) and lists its section's
    // problems.
    void ShowSectionProblems(int row);
    // A problem row's "Ignore This Entry" (false) or "Ignore This Key" (true): onto the ignore
    // list, and every problem it covers off the results and their counts.
    void IgnoreProblem(int row, bool wholeKey);
    // The command handler of the buttons and menus (ids of ui/res/ResourceIds.h).
    void OnCommand(int id);
    // The section list's summary after a click: the select-all box shows it.
    void OnSelectionSummary(engine::Selection summary);

    engine::Screen Screen() const { return screen_; }
    int CurrentStep() const { return currentStep_; }
    // How many of the section list's rows are chosen, as the scan will count them.
    engine::Selection SelectionSummary() const;

    // Controls with an id of their own (buttons, lists, the select-all box); null otherwise.
    QWidget* Control(int id) const;
    CButtonEx* Button(int id) const;
    CListCtrlBlue* SectionList() const { return sectionList_; }
    CListCtrlResult* ProblemList() const { return problemList_; }
    CListCtrlResult* RepairLogList() const { return repairLog_; }
    ui::StaticPicture* SelectAllBox() const { return selectAllBox_; }
    ui::StaticPicture* SectionMarker() const { return sectionMarker_; }
    int MarkerRow() const { return markerRow_; }
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

    engine::ScanSession& Session() { return session_; }
    const engine::ScanSession& Session() const { return session_; }
    // Whether command `id` may run now. While a scan runs its loop is on the stack and hands
    // events on: only Pause, Cancel, the two menus and the help commands may run then; the
    // others (a dialog that writes, another prefix, a new scan or repair) are greyed in the
    // menus and ignored.
    bool CommandAllowed(int id) const;
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
    void SetCloseEnabled(bool enabled);
    void ResetResultRows();
    // The result screen's section rows and its problem count.
    void ShowResultRows(const std::vector<ui::shared::ResultRow>& rows);
    void OnScanState(engine::ScanEvent event);
    // The Pause button's pictures, and its text when `withText` (a new scan keeps the text).
    void ShowPauseFace(const ui::shared::ButtonFace& face, bool withText);
    void ToggleSelectAll();
    void ShowSelectionPicture(engine::Selection selection);
    void RunPopupMenu(int buttonId);
    void RunCleanRestore();
    void RunIERestore();
    void RunIgnoredEntries();
    // The result screen's counts and lists after problems left the results.
    void RefreshResultCounts();

    platform::Services& services_;
    ui::ViewLinks links_;
    ui::GuiHost host_;
    engine::ScanSession session_;

    bool created_ = false;
    engine::Screen screen_ = engine::Screen::None;
    int currentStep_ = 1;
    int markerRow_ = 0;  // the result screen's row the marker points at

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
