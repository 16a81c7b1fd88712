#include "ui/CDrennowView.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QShortcut>

#include <iterator>
#include <utility>

#include "ui/CButtonEx.h"
#include "ui/CListCtrlBlue.h"
#include "ui/CListCtrlResult.h"
#include "ui/AnsiText.h"
#include "ui/CStaticLink.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/ViewControls.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"
#include "ui/Index.h"
#include "ui/shared/Screens.h"

namespace res = ui::res;
namespace text = ui::text;

namespace {

const QColor kGreyText(128, 128, 128);

}  // namespace

CDrennowView::CDrennowView(platform::Services& services, ui::ViewLinks links, QWidget* parent)
    : QWidget(parent), services_(services), links_(std::move(links)), host_(this),
      // Option > Choose Prefix... is offered: the program picks its prefix.
      logic_(services, host_, *this, true), largeFont_(ui::UiFont(22, 400, 8)),
      smallFont_(ui::UiFont(15, 400, 5)), boldFont_(ui::UiFont(17, 700, 7)),
      // Labels given no font of their own show in the system font.
      systemFont_(ui::UiFont(16, 700, 7)), sidePicture_(ui::LoadBitmap(res::kBmpSidePicture)),
      stepMarker_(ui::LoadBitmap(res::kBmpStepMarker)) {
    // The view paints its whole surface itself: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    CreateControls();
    host_.SetLabels(ui::LabelSetter(caption_), ui::LabelSetter(statusLabel_),
                    ui::LabelSetter(foundCount_));
    for (int row = 0; row < kRows; ++row)
        host_.SetSectionCounter(row + 1, ui::LabelSetter(counters_[ui::Index(row)]));
    SetKeyboardOrder();
    logic_.Start();
    created_ = true;
    Layout(width(), height());
}

void CDrennowView::SetKeyboardOrder() {
    // The accelerators the button faces underline. Pause and Resume take theirs from the
    // button's text ("&Pause", "&Resume"); hidden buttons do not answer theirs.
    accelerators_ = {{optionButton_, Qt::Key_O},       {helpButton_, Qt::Key_H},
                     {scanButton_, Qt::Key_S},         {pauseButton_, Qt::Key_P},
                     {cancelScanButton_, Qt::Key_C},   {repairAllButton_, Qt::Key_A},
                     {cancelResultButton_, Qt::Key_C}, {returnButton_, Qt::Key_R}};
    // Tab goes through the screen's lists, links and buttons, then the header's buttons.
    std::vector<QWidget*> order = {sectionList_, scanButton_, pauseButton_, cancelScanButton_};
    order.insert(order.end(), sectionLinks_.begin(), sectionLinks_.end());
    order.insert(order.end(), {problemList_, repairAllButton_, cancelResultButton_, repairLog_,
                               returnButton_, optionButton_, helpButton_});
    // Qt leaves a widget that takes no focus out of the order: the links take it for now, and
    // only while they are active later on.
    for (CStaticLink* link : sectionLinks_) link->setFocusPolicy(Qt::TabFocus);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    for (CStaticLink* link : sectionLinks_) link->SetLinkActive(link->LinkActive());
}

void CDrennowView::UpdateAccelerators() {
    // Only the buttons shown hold their keys: two buttons with one key would make Qt only
    // move the focus.
    for (const auto& [button, key] : accelerators_)
        button->setShortcut(button->isVisibleTo(this)
                                ? QKeySequence(Qt::ALT | static_cast<Qt::Key>(key))
                                : QKeySequence());
}

CButtonEx* CDrennowView::DefaultButton() const {
    return Button(ui::shared::FactsOf(logic_.Screen()).defaultButton);
}

void CDrennowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window opens with the keyboard on the screen's default button.
    if (CButtonEx* button = DefaultButton(); button && !focusWidget()) button->setFocus();
}

void CDrennowView::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button (which takes it itself) or else the screen's default
    // button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (CButtonEx* button = DefaultButton(); button && button->isVisible()) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

// ---- Creation ----------------------------------------------------------------------------

CButtonEx* CDrennowView::AddButton(int id, const char* label, quint16 normal, quint16 over,
                                   quint16 pressed) {
    auto* button = new CButtonEx(this);
    button->setObjectName(QString::number(id));
    button->setText(label);
    button->bitmapMode = true;
    button->SetBitmaps(normal, over, pressed);
    connect(button, &CButtonEx::clicked, this, [this, id] { OnCommand(id); });
    return button;
}

// Which controls show is decided by ShowScreen, which runs right after.
void CDrennowView::CreateControls() {
    CreateFrameControls();
    CreateSectionChoice();
    CreateScanProgress();
    CreateResults();
    CreateRepairLog();
}

void CDrennowView::CreateFrameControls() {
    const char* steps[3] = {text::kStepOption, text::kStepScan, text::kStepRepair};
    for (int i = 0; i < 3; ++i) {
        stepLabels_[ui::Index(i)] =
            new ui::StaticText(steps[ui::Index(i)], Qt::AlignRight, true, this);
        stepLabels_[ui::Index(i)]->setFont(boldFont_);
    }
    caption_ = new ui::StaticText(text::kCaptionChoose, Qt::AlignHCenter, true, this);
    caption_->setFont(boldFont_);
    optionButton_ = AddButton(res::kOptionButton, text::kButtonOption, res::kBmpOptionNormal,
                              res::kBmpOptionOver, res::kBmpOptionPressed);
    helpButton_ = AddButton(res::kHelpButton, text::kButtonHelp, res::kBmpHelpNormal,
                            res::kBmpHelpOver, res::kBmpHelpPressed);
}

void CDrennowView::CreateSectionChoice() {
    sectionList_ = new CListCtrlBlue(this);
    sectionList_->setObjectName(QString::number(res::kSectionList));
    selectAllLabel_ = new ui::StaticText(text::kSelectAll, Qt::AlignLeft, true, this);
    selectAllLabel_->setFont(smallFont_);
    scanButton_ = AddButton(res::kScanButton, text::kButtonScan, res::kBmpScanNormal,
                            res::kBmpScanOver, res::kBmpScanPressed);
    selectAllBox_ = new ui::StaticPicture(this);
    selectAllBox_->setObjectName(QString::number(res::kSelectAllBox));
    connect(selectAllBox_, &ui::StaticPicture::clicked, this,
            [this] { OnCommand(res::kSelectAllBox); });
    // Alt+A ticks or unticks every row while the box shows.
    auto* selectAllKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_A), selectAllBox_);
    connect(selectAllKey, &QShortcut::activated, this, [this] { OnCommand(res::kSelectAllBox); });
    sectionList_->Fill(&services_);
    sectionList_->SetSummaryTarget([this](engine::Selection) { logic_.OnSelectionChanged(); });
}

void CDrennowView::CreateScanProgress() {
    for (int row = 0; row < kRows; ++row) {
        counters_[ui::Index(row)] = new ui::StaticText("0", Qt::AlignRight, true, this);
        counters_[ui::Index(row)]->setFont(smallFont_);
        names_[ui::Index(row)] = new ui::StaticText("", Qt::AlignLeft, false, this);
        names_[ui::Index(row)]->setFont(smallFont_);
    }
    statusBand_ = new ui::GreyRect(this);
    progressPanel_ = new ui::GreyRect(this);
    foundCount_ =
        new ui::StaticText(QString("0") + text::kProblemsFoundSuffix, Qt::AlignHCenter, true, this);
    foundCount_->setFont(systemFont_);
    pauseButton_ = AddButton(res::kPauseButton, text::kPauseAtStart, res::kBmpPauseNormal,
                             res::kBmpPauseOver, res::kBmpPausePressed);
    cancelScanButton_ =
        AddButton(res::kCancelScanButton, text::kButtonCancel, res::kBmpCancelNormal,
                  res::kBmpCancelOver, res::kBmpCancelPressed);
    statusArrow_ = new ui::StaticPicture(this);
    statusArrow_->setObjectName(QString::number(res::kStatusArrow));
    statusLabel_ = new ui::StaticText(text::kScanStatus, Qt::AlignLeft, false, this);
    statusLabel_->setFont(smallFont_);
    // The labels that lie on the two grey rectangles stay in front of them.
    statusBand_->lower();
    progressPanel_->lower();
    for (int row = 0; row < kRows; ++row)
        names_[ui::Index(row)]->setText(engine::SectionByNumber(row + 1).rowName);
    statusArrow_->SetBitmap(res::kBmpStatusArrow);
}

void CDrennowView::CreateResults() {
    problemList_ = new CListCtrlResult(this);
    problemList_->setObjectName(QString::number(res::kProblemList));
    problemList_->SetIgnoreHandler(
        [this](int row, bool wholeKey) { logic_.IgnoreProblem(row, wholeKey); });
    repairAllButton_ =
        AddButton(res::kRepairAllButton, text::kButtonRepairAll, res::kBmpRepairAllNormal,
                  res::kBmpRepairAllOver, res::kBmpRepairAllPressed);
    cancelResultButton_ =
        AddButton(res::kCancelResultButton, text::kButtonCancel, res::kBmpCancelNormal,
                  res::kBmpCancelOver, res::kBmpCancelPressed);
    resultCount_ =
        new ui::StaticText(QString("0") + text::kProblemsFoundSuffix, Qt::AlignLeft, false, this);
    resultCount_->setFont(systemFont_);
    for (int row = 0; row < kRows; ++row) {
        auto* count = new CStaticLink(this);
        count->setText("0");
        count->SetFontStyle(&smallFont_, 0, 2);
        auto* link = new CStaticLink(this);
        const int id = res::kFirstSectionLink + row;
        link->setObjectName(QString::number(id));
        link->SetNotify(true);
        link->SetFontStyle(&smallFont_, 0, 2);
        connect(link, &CStaticLink::clicked, this, [this, id] { OnCommand(id); });
        countLinks_[ui::Index(row)] = count;
        sectionLinks_[ui::Index(row)] = link;
    }
    sectionMarker_ = new ui::StaticPicture(this);
    for (int row = 0; row < kRows; ++row)
        sectionLinks_[ui::Index(row)]->setText(engine::SectionByNumber(row + 1).rowName);
    sectionMarker_->SetBitmap(res::kBmpSectionMarker);
}

void CDrennowView::CreateRepairLog() {
    repairLog_ = new CListCtrlResult(this);
    repairLog_->setObjectName(QString::number(res::kRepairLogList));
    returnButton_ = AddButton(res::kReturnButton, text::kButtonReturn, res::kBmpReturnNormal,
                              res::kBmpReturnOver, res::kBmpReturnPressed);
    repairLog_->SetRepairLogMode(true);
}

// ---- Screens -----------------------------------------------------------------------------

void CDrennowView::ShowScreenControls(engine::Screen screen, const ui::shared::ScreenFacts& facts) {
    ui::shared::ShowEach(
        screen, [this](ui::shared::Part part, bool shown) { PartWidget(part)->setVisible(shown); },
        [this](ui::shared::RowPart part, int row, bool shown) {
            RowWidget(part, row)->setVisible(shown);
        });
    currentStep_ = logic_.CurrentStep();
    if (facts.step) caption_->setText(facts.caption);
    UpdateAccelerators();
    // The keyboard starts on the screen's default button.
    if (CButtonEx* button = Button(facts.defaultButton); button && isVisible()) button->setFocus();
    update();
}

void CDrennowView::SetCloseEnabled(bool enabled) {
    if (links_.setCloseEnabled) links_.setCloseEnabled(enabled);
}

void CDrennowView::ShowResultRows(const std::vector<ui::shared::ResultRow>& rows) {
    for (int row = 0; row < kRows; ++row) {
        const ui::shared::ResultRow& shown = rows[ui::Index(row)];
        const QColor colour = shown.linked ? QColor(Qt::black) : kGreyText;
        countLinks_[ui::Index(row)]->setText(QString::number(shown.count));
        countLinks_[ui::Index(row)]->SetColor(colour);
        sectionLinks_[ui::Index(row)]->SetFontStyle(&smallFont_, shown.linked ? 1 : 0, 2);
        sectionLinks_[ui::Index(row)]->SetColor(colour);
        sectionLinks_[ui::Index(row)]->SetLinkActive(shown.linked);
    }
}

void CDrennowView::SetResultCount(const std::string& text) {
    resultCount_->setText(ui::FromAnsi(text));
}

void CDrennowView::ShowProblems(int row, engine::ProblemList* problems, bool keepScroll) {
    const int scrolled = problemList_->verticalScrollBar()->value();
    markerRow_ = row;
    PlaceSectionMarker();
    problemList_->Fill(problems);
    if (keepScroll) problemList_->verticalScrollBar()->setValue(scrolled);
    update();
}

void CDrennowView::ShowRepairLog(engine::ProblemList* repaired) { repairLog_->Fill(repaired); }

void CDrennowView::ClearProblemLists() {
    problemList_->DeleteAllItems();
    repairLog_->DeleteAllItems();
}

// ---- Section choice ----------------------------------------------------------------------

engine::SectionRows CDrennowView::SectionRows() const { return sectionList_->Rows(); }

void CDrennowView::ChooseAllRows(bool chosen) { sectionList_->ChooseAll(chosen); }

void CDrennowView::SetSelectAllPicture(int picture) { selectAllBox_->SetBitmap(picture); }

void CDrennowView::SetPauseFace(const ui::shared::ButtonFace& face, bool withText) {
    if (withText) pauseButton_->setText(face.text);
    pauseButton_->SetBitmaps(static_cast<quint16>(face.normal), static_cast<quint16>(face.over),
                             static_cast<quint16>(face.pressed));
}

// ---- Access ------------------------------------------------------------------------------

QWidget* CDrennowView::Control(int id) const {
    switch (id) {
    case res::kSectionList: return sectionList_;
    case res::kSelectAllBox: return selectAllBox_;
    case res::kStatusArrow: return statusArrow_;
    case res::kProblemList: return problemList_;
    case res::kRepairLogList: return repairLog_;
    default: break;
    }
    if (id >= res::kFirstSectionLink && id < res::kFirstSectionLink + kRows)
        return sectionLinks_[ui::Index(id - res::kFirstSectionLink)];
    return Button(id);
}

CButtonEx* CDrennowView::Button(int id) const {
    switch (id) {
    case res::kOptionButton: return optionButton_;
    case res::kHelpButton: return helpButton_;
    case res::kScanButton: return scanButton_;
    case res::kPauseButton: return pauseButton_;
    case res::kCancelScanButton: return cancelScanButton_;
    case res::kRepairAllButton: return repairAllButton_;
    case res::kCancelResultButton: return cancelResultButton_;
    case res::kReturnButton: return returnButton_;
    default: return nullptr;
    }
}

QLabel* CDrennowView::StepLabel(int step) const { return stepLabels_.at(ui::Index(step - 1)); }
QLabel* CDrennowView::CaptionLabel() const { return caption_; }
QLabel* CDrennowView::StatusLabel() const { return statusLabel_; }
QLabel* CDrennowView::FoundCountLabel() const { return foundCount_; }
QLabel* CDrennowView::ResultCountLabel() const { return resultCount_; }
QLabel* CDrennowView::SectionCounter(int row) const { return counters_.at(ui::Index(row)); }
QLabel* CDrennowView::SectionNameLabel(int row) const { return names_.at(ui::Index(row)); }
QWidget* CDrennowView::StatusBand() const { return statusBand_; }
QWidget* CDrennowView::ProgressPanel() const { return progressPanel_; }
