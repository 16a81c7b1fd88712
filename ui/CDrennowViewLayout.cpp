// The main view's layout and painting, at the places the shared layout gives.
#include <QPainter>
#include <QResizeEvent>

#include "ui/CButtonEx.h"
#include "ui/CDrennowView.h"
#include "ui/CListCtrlBlue.h"
#include "ui/CListCtrlResult.h"
#include "ui/CStaticLink.h"
#include "ui/ViewControls.h"
#include "ui/res/Strings.h"
#include "ui/Index.h"
#include "ui/shared/ViewLayout.h"

namespace {

using ui::shared::Part;
using ui::shared::RowPart;

QColor ColourOf(ui::shared::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

void Place(QWidget* widget, const ui::shared::Place& place) {
    widget->setGeometry(place.x, place.y, place.width, place.height);
}

// A box as the GDI fills it (right and bottom edges excluded).
QRect RectOf(const ui::shared::Box& box) {
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

}  // namespace

void CDrennowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (created_) Layout(event->size().width(), event->size().height());
}

void CDrennowView::Layout(int cx, int cy) {
    ui::shared::PlaceEach(
        cx, cy, markerRow_,
        [this](Part part, ui::shared::Place at) { Place(PartWidget(part), at); },
        [this](RowPart part, int row, ui::shared::Place at) { Place(RowWidget(part, row), at); });
}

QWidget* CDrennowView::PartWidget(Part part) const {
    switch (part) {
    case Part::StepOption: return stepLabels_[0];
    case Part::StepScan: return stepLabels_[1];
    case Part::StepRepair: return stepLabels_[2];
    case Part::Caption: return caption_;
    case Part::OptionButton: return optionButton_;
    case Part::HelpButton: return helpButton_;
    case Part::SectionList: return sectionList_;
    case Part::SelectAllBox: return selectAllBox_;
    case Part::SelectAllLabel: return selectAllLabel_;
    case Part::ScanButton: return scanButton_;
    case Part::StatusBand: return statusBand_;
    case Part::ProgressPanel: return progressPanel_;
    case Part::FoundCount: return foundCount_;
    case Part::PauseButton: return pauseButton_;
    case Part::CancelScanButton: return cancelScanButton_;
    case Part::StatusArrow: return statusArrow_;
    case Part::StatusLabel: return statusLabel_;
    case Part::ProblemList: return problemList_;
    case Part::RepairAllButton: return repairAllButton_;
    case Part::CancelResultButton: return cancelResultButton_;
    case Part::ResultCount: return resultCount_;
    case Part::SectionMarker: return sectionMarker_;
    case Part::RepairLogList: return repairLog_;
    case Part::ReturnButton: return returnButton_;
    case Part::Count: break;
    }
    return nullptr;
}

QWidget* CDrennowView::RowWidget(RowPart part, int row) const {
    switch (part) {
    case RowPart::Counter: return counters_.at(ui::Index(row));
    case RowPart::Name: return names_.at(ui::Index(row));
    case RowPart::CountLink: return countLinks_.at(ui::Index(row));
    case RowPart::SectionLink: return sectionLinks_.at(ui::Index(row));
    }
    return nullptr;
}

void CDrennowView::PlaceSectionMarker() {
    Place(sectionMarker_, ui::shared::SectionMarkerPlace(markerRow_));
}

void CDrennowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ui::shared::Backdrop backdrop = ui::shared::BackdropOf(width(), height(), currentStep_);
    const QColor blue = ColourOf(ui::shared::kBlue);
    painter.fillRect(RectOf(backdrop.body), ColourOf(ui::shared::kWhite));
    painter.fillRect(RectOf(backdrop.header), blue);

    painter.setPen(QPen(blue, 0));
    QPoint outline[5];
    for (std::size_t i = 0; i < backdrop.outline.size(); ++i)
        outline[i] = QPoint(backdrop.outline[i].x, backdrop.outline[i].y);
    painter.drawPolyline(outline, 5);
    painter.drawLine(backdrop.ruleFrom.x, backdrop.ruleFrom.y, backdrop.ruleTo.x,
                     backdrop.ruleTo.y);

    painter.setFont(largeFont_);
    painter.setPen(ColourOf(ui::shared::kWhite));
    painter.drawText(QPoint(backdrop.title.x, backdrop.title.y + painter.fontMetrics().ascent()),
                     ui::text::kHeaderTitle);

    if (!sidePicture_.isNull()) {
        painter.drawPixmap(backdrop.sidePicture.x, backdrop.sidePicture.y, sidePicture_);
        if (backdrop.stepMarked && !stepMarker_.isNull())
            painter.drawPixmap(backdrop.stepMarker.x, backdrop.stepMarker.y, stepMarker_);
    }

    painter.setFont(smallFont_);
    painter.setPen(ColourOf(ui::shared::kBlackText));
    painter.drawText(QPoint(backdrop.f1Hint.x, backdrop.f1Hint.y + painter.fontMetrics().ascent()),
                     ui::text::kF1Hint);

    if (backdrop.lightPanel) painter.fillRect(RectOf(backdrop.panel), ColourOf(ui::shared::kLight));
}
