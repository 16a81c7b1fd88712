#include "ui/win32/CDrennowView.h"

#include <shellapi.h>

#include <string>

#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"
#include "ui/win32/CDialogAbout.h"
#include "ui/win32/CDialogCleanRestore.h"
#include "ui/win32/CDialogIERestore.h"
#include "ui/win32/CDialogIgnoredEntries.h"
#include "ui/win32/Manual.h"
#include "ui/win32/OwnedWindow.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Colours.h"
#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

using ui::shared::Part;
using ui::shared::RowPart;

constexpr const wchar_t* kViewClass = L"NorlixDrennowView";
// The id of labels that send no commands.
constexpr int kNoId = 0xFFFF;
// Every control: the grey rectangles stay behind the labels on them.
constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kText = kChild | SS_NOPREFIX;

OwnedFont MakeFont(const ui::shared::FontSpec& font) {
    return OwnedFont(::CreateFontW(font.height, font.averageWidth, 0, 0, font.weight, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
}

void Show(HWND control, bool shown) {
    if (control) ::ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

std::size_t Index(int i) { return static_cast<std::size_t>(i); }
std::size_t Index(Part part) { return static_cast<std::size_t>(part); }
std::size_t Index(RowPart part) { return static_cast<std::size_t>(part); }

}  // namespace

CDrennowView::CDrennowView(CMainFrame& frame, platform::Services& services)
    : frame_(frame), services_(services), host_(frame.Window()),
      largeFont_(MakeFont(ui::shared::kLargeFont)), smallFont_(MakeFont(ui::shared::kSmallFont)),
      boldFont_(MakeFont(ui::shared::kBoldFont)), sidePicture_(LoadPicture(res::kBmpSidePicture)),
      stepMarker_(LoadPicture(res::kBmpStepMarker)),
      whiteBrush_(::CreateSolidBrush(ColourOf(ui::shared::kWhite))) {}

CDrennowView::~CDrennowView() {
    frame_.showsWaitCursor = nullptr;
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
}

bool CDrennowView::Create() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterOwnedClass<CDrennowView>(kViewClass);
    // The dialog manager's Tab goes through the view's controls.
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kViewClass, L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                frame_.Window(), nullptr, instance, this);
    if (!window_) return false;
    CreateControls();
    logic_ = std::make_unique<ui::shared::ViewLogic>(services_, host_, *this, false);
    host_.SetPreTranslate([this](MSG& message) { return PreTranslate(message); });
    frame_.showsWaitCursor = [this] { return host_.ShowsWaitCursor(); };
    auto setter = [](HWND label) {
        return [label](const std::string& text) {
            ::SetWindowTextW(label, Wide(text.c_str()).c_str());
        };
    };
    host_.SetLabels(setter(parts_[Index(Part::Caption)]), setter(parts_[Index(Part::StatusLabel)]),
                    setter(parts_[Index(Part::FoundCount)]));
    for (int row = 0; row < kRows; ++row)
        host_.SetSectionCounter(row + 1, setter(RowWindow(RowPart::Counter, row)));
    logic_->Start();
    frame_.SetView(window_);
    return true;
}

// ---- Creation ----------------------------------------------------------------------------

HWND CDrennowView::AddControl(Part part, const wchar_t* windowClass, const char* text, DWORD style,
                              int id, HFONT font) {
    HWND control = ::CreateWindowExW(0, windowClass, Wide(text).c_str(), style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    if (font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    parts_[Index(part)] = control;
    return control;
}

HWND CDrennowView::AddRowControl(RowPart part, int row, const char* text, DWORD style, int id) {
    HWND control = ::CreateWindowExW(0, L"STATIC", Wide(text).c_str(), style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(smallFont_.get()), TRUE);
    rows_[Index(part)][Index(row)] = control;
    return control;
}

CButtonEx* CDrennowView::AddButton(Part part, int id, const char* text, int normal, int over,
                                   int pressed) {
    HWND window =
        AddControl(part, L"BUTTON", text, kChild | WS_TABSTOP | BS_OWNERDRAW, id, nullptr);
    auto button = std::make_unique<CButtonEx>(window);
    button->bitmapMode = true;
    button->SetBitmaps(normal, over, pressed);
    buttons_.push_back(std::move(button));
    return buttons_.back().get();
}

// Made in the order Tab goes through them (a window's children take the keyboard in their
// order): the screen's list, links and buttons, then the header's buttons.
void CDrennowView::CreateControls() {
    // Screen 1.
    sectionList_.Create(window_, res::kSectionList);
    parts_[Index(Part::SectionList)] = sectionList_.Window();
    sectionList_.Fill(&services_);
    sectionList_.SetSummaryTarget([this](engine::Selection) {
        if (logic_) logic_->OnSelectionChanged();
    });
    AddButton(Part::ScanButton, res::kScanButton, text::kButtonScan, res::kBmpScanNormal,
              res::kBmpScanOver, res::kBmpScanPressed);
    selectAllBox_ = std::make_unique<StaticPicture>(AddControl(
        Part::SelectAllBox, L"STATIC", "", kChild | SS_NOTIFY, res::kSelectAllBox, nullptr));
    AddControl(Part::SelectAllLabel, L"STATIC", text::kSelectAll, kText, kNoId, smallFont_.get());

    // Screen 2: the grey rectangles go behind the labels on them.
    AddButton(Part::PauseButton, res::kPauseButton, text::kPauseAtStart, res::kBmpPauseNormal,
              res::kBmpPauseOver, res::kBmpPausePressed);
    AddButton(Part::CancelScanButton, res::kCancelScanButton, text::kButtonCancel,
              res::kBmpCancelNormal, res::kBmpCancelOver, res::kBmpCancelPressed);
    for (int row = 0; row < kRows; ++row) {
        AddRowControl(RowPart::Counter, row, "0", kText | SS_RIGHT, kNoId);
        AddRowControl(RowPart::Name, row, engine::SectionByNumber(row + 1).rowName,
                      kText | SS_LEFTNOWORDWRAP, kNoId);
    }
    const std::string found = std::string("0") + text::kProblemsFoundSuffix;
    AddControl(Part::FoundCount, L"STATIC", found.c_str(), kText | SS_CENTER, kNoId, nullptr);
    statusArrow_ = std::make_unique<StaticPicture>(AddControl(
        Part::StatusArrow, L"STATIC", "", kChild | SS_NOTIFY, res::kStatusArrow, nullptr));
    statusArrow_->SetPicture(res::kBmpStatusArrow);
    AddControl(Part::StatusLabel, L"STATIC", text::kScanStatus, kText | SS_LEFTNOWORDWRAP, kNoId,
               smallFont_.get());
    for (Part grey : {Part::StatusBand, Part::ProgressPanel})
        ::SetWindowPos(AddControl(grey, L"STATIC", "", kChild | SS_GRAYRECT, kNoId, nullptr),
                       HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Screen 3.
    for (int row = 0; row < kRows; ++row) {
        countLinks_[Index(row)] = std::make_unique<CStaticLink>(
            AddRowControl(RowPart::CountLink, row, "0", kText | SS_RIGHT, kNoId));
        sectionLinks_[Index(row)] = std::make_unique<CStaticLink>(
            AddRowControl(RowPart::SectionLink, row, engine::SectionByNumber(row + 1).rowName,
                          kText | SS_NOTIFY | SS_RIGHT, res::kFirstSectionLink + row));
    }
    problemList_.Create(window_, res::kProblemList);
    parts_[Index(Part::ProblemList)] = problemList_.Window();
    problemList_.SetIgnoreHandler([this](int row, bool wholeKey) {
        if (logic_) logic_->IgnoreProblem(row, wholeKey);
    });
    AddButton(Part::RepairAllButton, res::kRepairAllButton, text::kButtonRepairAll,
              res::kBmpRepairAllNormal, res::kBmpRepairAllOver, res::kBmpRepairAllPressed);
    AddButton(Part::CancelResultButton, res::kCancelResultButton, text::kButtonCancel,
              res::kBmpCancelNormal, res::kBmpCancelOver, res::kBmpCancelPressed);
    AddControl(Part::ResultCount, L"STATIC", found.c_str(), kText | SS_LEFTNOWORDWRAP, kNoId,
               nullptr);
    sectionMarker_ = std::make_unique<StaticPicture>(
        AddControl(Part::SectionMarker, L"STATIC", "", kChild | SS_NOTIFY, kNoId, nullptr));
    sectionMarker_->SetPicture(res::kBmpSectionMarker);

    // Screen 4.
    repairLog_.Create(window_, res::kRepairLogList);
    parts_[Index(Part::RepairLogList)] = repairLog_.Window();
    repairLog_.SetRepairLogMode(true);
    AddButton(Part::ReturnButton, res::kReturnButton, text::kButtonReturn, res::kBmpReturnNormal,
              res::kBmpReturnOver, res::kBmpReturnPressed);

    // Every screen.
    AddButton(Part::OptionButton, res::kOptionButton, text::kButtonOption, res::kBmpOptionNormal,
              res::kBmpOptionOver, res::kBmpOptionPressed);
    AddButton(Part::HelpButton, res::kHelpButton, text::kButtonHelp, res::kBmpHelpNormal,
              res::kBmpHelpOver, res::kBmpHelpPressed);
    const Part steps[3] = {Part::StepOption, Part::StepScan, Part::StepRepair};
    const char* stepTexts[3] = {text::kStepOption, text::kStepScan, text::kStepRepair};
    for (std::size_t i = 0; i < 3; ++i)
        AddControl(steps[i], L"STATIC", stepTexts[i], kText | SS_RIGHT, kNoId, boldFont_.get());
    AddControl(Part::Caption, L"STATIC", text::kCaptionChoose, kText | SS_CENTER, kNoId,
               boldFont_.get());

    for (auto& link : countLinks_) link->SetFontStyle(smallFont_.get(), 0, 2);
    for (auto& link : sectionLinks_) link->SetFontStyle(smallFont_.get(), 0, 2);
    RECT client{};
    ::GetClientRect(window_, &client);
    Layout(client.right, client.bottom);
}

bool CDrennowView::SeeThrough(HWND control) const {
    if (control == parts_[Index(Part::SectionMarker)]) return true;
    for (RowPart part : {RowPart::CountLink, RowPart::SectionLink})
        for (HWND row : rows_[Index(part)])
            if (control == row) return true;
    return false;
}

HWND CDrennowView::PartWindow(Part part) const { return parts_[Index(part)]; }

HWND CDrennowView::RowWindow(RowPart part, int row) const {
    if (row < 0 || row >= kRows) return nullptr;
    return rows_[Index(part)][Index(row)];
}

CButtonEx* CDrennowView::Button(int id) const {
    for (const auto& button : buttons_)
        if (::GetDlgCtrlID(button->Window()) == id) return button.get();
    return nullptr;
}

HWND CDrennowView::DefaultButton() const {
    const CButtonEx* button = Button(ui::shared::FactsOf(screen_).defaultButton);
    return button && ::IsWindowVisible(button->Window()) ? button->Window() : nullptr;
}

// ---- What the logic asks -----------------------------------------------------------------

void CDrennowView::ShowScreenControls(engine::Screen screen, const ui::shared::ScreenFacts& facts) {
    screen_ = screen;
    ui::shared::ShowEach(
        screen, [this](Part part, bool shown) { Show(PartWindow(part), shown); },
        [this](RowPart part, int row, bool shown) { Show(RowWindow(part, row), shown); });
    if (facts.step) {
        step_ = facts.step;
        ::SetWindowTextW(parts_[Index(Part::Caption)], Wide(facts.caption).c_str());
    }
    // The keyboard starts on the screen's default button.
    if (HWND button = DefaultButton(); button && ::IsWindowVisible(window_)) ::SetFocus(button);
    ::InvalidateRect(window_, nullptr, TRUE);
}

void CDrennowView::SetPauseFace(const ui::shared::ButtonFace& face, bool withText) {
    CButtonEx* pause = Button(res::kPauseButton);
    if (withText) ::SetWindowTextW(pause->Window(), Wide(face.text).c_str());
    pause->SetBitmaps(face.normal, face.over, face.pressed);
}

void CDrennowView::ShowResultRows(const std::vector<ui::shared::ResultRow>& rows) {
    for (int row = 0; row < kRows && Index(row) < rows.size(); ++row) {
        const ui::shared::ResultRow& shown = rows[Index(row)];
        const COLORREF colour =
            ColourOf(shown.linked ? ui::shared::kBlackText : ui::shared::kGreyText);
        CStaticLink& count = *countLinks_[Index(row)];
        CStaticLink& link = *sectionLinks_[Index(row)];
        ::SetWindowTextW(count.Window(), std::to_wstring(shown.count).c_str());
        count.SetColor(colour);
        link.SetColor(colour);
        link.SetFontStyle(smallFont_.get(), shown.linked ? 1 : 0, 2);
        link.linkActive = shown.linked;
        // Only a row with problems is reached with Tab.
        constexpr DWORD kTabStop = WS_TABSTOP;
        const auto style = static_cast<DWORD>(::GetWindowLongW(link.Window(), GWL_STYLE));
        ::SetWindowLongW(link.Window(), GWL_STYLE,
                         static_cast<LONG>(shown.linked ? style | kTabStop : style & ~kTabStop));
        ::InvalidateRect(count.Window(), nullptr, TRUE);
    }
}

void CDrennowView::SetResultCount(const std::string& text) {
    ::SetWindowTextW(parts_[Index(Part::ResultCount)], Wide(text.c_str()).c_str());
}

void CDrennowView::ShowProblems(int row, engine::ProblemList* problems, bool keepScroll) {
    const ui::shared::Place place = ui::shared::SectionMarkerPlace(row);
    ::MoveWindow(parts_[Index(Part::SectionMarker)], place.x, place.y, place.width, place.height,
                 TRUE);
    const int top = problemList_.TopRow();
    problemList_.Fill(problems);
    if (keepScroll) problemList_.SetTopRow(top);
}

void CDrennowView::ShowRepairLog(engine::ProblemList* repaired) { repairLog_.Fill(repaired); }

void CDrennowView::ClearProblemLists() {
    problemList_.DeleteAllItems();
    repairLog_.DeleteAllItems();
}

engine::SectionRows CDrennowView::SectionRows() const { return sectionList_.Rows(); }

void CDrennowView::ChooseAllRows(bool chosen) { sectionList_.ChooseAll(chosen); }

void CDrennowView::SetSelectAllPicture(int picture) { selectAllBox_->SetPicture(picture); }

int CDrennowView::RunPopupMenu(int buttonId, std::span<const ui::shared::MenuItem> items) {
    const CButtonEx* button = Button(buttonId);
    HMENU menu = ::CreatePopupMenu();
    if (!button || !menu) return 0;
    for (const ui::shared::MenuItem& item : items) {
        if (item.command == 0) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        ::AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.command),
                      Wide(item.text).c_str());
    }
    // Under the button, left-aligned with it.
    RECT place{};
    ::GetWindowRect(button->Window(), &place);
    const BOOL chosen =
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                         place.left, place.bottom, 0, window_, nullptr);
    ::DestroyMenu(menu);
    return chosen;
}

void CDrennowView::RunDialog(ui::shared::Dialog dialog) {
    switch (dialog) {
    case ui::shared::Dialog::About: CDialogAbout().Run(frame_.Window()); return;
    case ui::shared::Dialog::CleanRestore:
        CDialogCleanRestore(services_, host_).Run(frame_.Window());
        return;
    case ui::shared::Dialog::IERestore:
        CDialogIERestore(services_, host_).Run(frame_.Window());
        return;
    case ui::shared::Dialog::IgnoredEntries:
        CDialogIgnoredEntries(services_, host_).Run(frame_.Window());
        return;
    }
}

void CDrennowView::OpenAddress(ui::shared::Address address) {
    if (address == ui::shared::Address::UserManual) {
        OpenManual(frame_.Window());
        return;
    }
    // With no browser nothing happens.
    ::ShellExecuteW(nullptr, L"open", Wide(text::kWebSite).c_str(), nullptr, nullptr, SW_HIDE);
}

void CDrennowView::ShowMachineWarning() {
    if (const std::string warning = services_.Warning(); !warning.empty())
        host_.MessageBox(warning, "", engine::Icon::Warning);
}

// ---- Messages ----------------------------------------------------------------------------

LRESULT CDrennowView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (logic_) Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    // The paint covers the whole client area.
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const auto control = reinterpret_cast<HWND>(lParam);
        if (SeeThrough(control)) PaintBackdropUnder(control, dc);
        ::SetTextColor(dc, ColourOf(ui::shared::kStaticText));
        ::SetBkMode(dc, TRANSPARENT);
        if (!SeeThrough(control)) return reinterpret_cast<LRESULT>(whiteBrush_.get());
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    case WM_COMMAND:
        // Only a plain click (a button's or a notifying static's) is a command.
        if (HIWORD(wParam) == 0 && logic_) logic_->OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (sectionList_.OnNotify(header, &result) || problemList_.OnNotify(header, &result) ||
            repairLog_.OnNotify(header, &result))
            return result;
        break;
    }
    case WM_SETFOCUS:
        if (HWND button = DefaultButton()) ::SetFocus(button);
        return 0;
    default: break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace ui::win32
