#pragma once
// The main view: a child window filling the frame above its status bar, with the blue header
// and its Option and Help buttons, the step column, the framed content area and its four
// screens. Every control is created once and only shown, hidden and moved, at the places the
// shared layout gives; the shared logic decides what each command does and which screen
// shows, and this class does what it asks of the controls.
#include "platform/Services.h"
#include "ui/shared/ViewLayout.h"
#include "ui/shared/ViewLogic.h"
#include "ui/win32/GuiHost.h"

#include <array>
#include <memory>
#include <vector>

#include "ui/win32/CButtonEx.h"
#include "ui/win32/CListCtrlBlue.h"
#include "ui/win32/CListCtrlResult.h"
#include "ui/win32/CMainFrame.h"
#include "ui/win32/CStaticLink.h"
#include "ui/win32/Handles.h"
#include "ui/win32/StaticPicture.h"

namespace ui::win32 {

class CDrennowView final : public ui::shared::ViewFace {
public:
    static constexpr int kRows = engine::kSectionCount;

    // The frame must be created; the services must outlive the view.
    CDrennowView(CMainFrame& frame, platform::Services& services);
    ~CDrennowView() override;
    CDrennowView(const CDrennowView&) = delete;
    CDrennowView& operator=(const CDrennowView&) = delete;

    // Creates the window and its controls and shows the section choice screen; false when the
    // window cannot be made.
    bool Create();
    HWND Window() const { return window_; }

    // The view's keyboard, for a message before it is dispatched (the program's loop and the
    // scan's pump call it): F1, the buttons' Alt keys, Enter, Tab. True when it was handled.
    bool PreTranslate(MSG& message);
    // What the machine says before anything is scanned (run without administrator rights:
    // entries under HKEY_LOCAL_MACHINE cannot be repaired), in a message box; nothing when it
    // says nothing.
    void ShowMachineWarning();

    ui::shared::ViewLogic& Logic() { return *logic_; }
    GuiHost& Host() { return host_; }
    // A control's window: each part and row part has one.
    HWND PartWindow(ui::shared::Part part) const;
    HWND RowWindow(ui::shared::RowPart part, int row) const;

    // ViewFace.
    void ShowScreenControls(engine::Screen screen, const ui::shared::ScreenFacts& facts) override;
    void SetCloseEnabled(bool enabled) override { frame_.SetCloseEnabled(enabled); }
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

private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window) { window_ = window; }
    void Detach() { window_ = nullptr; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // CDrennowView.cpp: creation.
    void CreateControls();
    HWND AddControl(ui::shared::Part part, const wchar_t* windowClass, const char* text,
                    DWORD style, int id, HFONT font);
    HWND AddRowControl(ui::shared::RowPart part, int row, const char* text, DWORD style, int id);
    CButtonEx* AddButton(ui::shared::Part part, int id, const char* text, int normal, int over,
                         int pressed);
    CButtonEx* Button(int id) const;
    // The button Enter presses on the screen shown; null when none shows.
    HWND DefaultButton() const;
    // The result screen's rows and marker show the view's painting behind them (they stand
    // on the pale panel's edge); the other labels stand on white.
    bool SeeThrough(HWND control) const;

    // CDrennowViewLayout.cpp: places and painting.
    void Layout(int cx, int cy);
    void Paint();
    void PaintBackdrop(HDC dc, int cx, int cy) const;
    // The view's painting behind a control, into the control's device context.
    void PaintBackdropUnder(HWND control, HDC dc) const;

    // CDrennowViewKeyboard.cpp.
    // The command of the visible button (or select-all box) whose Alt key this is; 0 if none.
    int AcceleratorCommand(WPARAM key) const;
    // Enter or Space on the focused control; true when it pressed something.
    bool PressFocused(WPARAM key);

    CMainFrame& frame_;
    platform::Services& services_;
    HWND window_ = nullptr;  // destroyed with the frame, or by the view's destructor
    GuiHost host_;
    std::unique_ptr<ui::shared::ViewLogic> logic_;
    engine::Screen screen_ = engine::Screen::None;
    int step_ = 1;

    OwnedFont largeFont_, smallFont_, boldFont_;
    OwnedBitmap sidePicture_, stepMarker_;
    OwnedBrush whiteBrush_;

    std::array<HWND, ui::shared::kPartCount> parts_{};
    std::array<std::array<HWND, kRows>, 4> rows_{};  // by RowPart
    std::vector<std::unique_ptr<CButtonEx>> buttons_;
    std::array<std::unique_ptr<CStaticLink>, kRows> countLinks_, sectionLinks_;
    std::unique_ptr<StaticPicture> selectAllBox_, statusArrow_, sectionMarker_;
    CListCtrlBlue sectionList_;
    CListCtrlResult problemList_, repairLog_;
};

}  // namespace ui::win32
