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
    const ui::shared::ViewLayout layout(cx, cy);
    const Part steps[3] = {Part::StepOption, Part::StepScan, Part::StepRepair};
    for (int i = 0; i < 3; ++i) Place(stepLabels_[ui::Index(i)], layout.At(steps[i]));
    Place(caption_, layout.At(Part::Caption));
    Place(optionButton_, layout.At(Part::OptionButton));
    Place(helpButton_, layout.At(Part::HelpButton));

    Place(sectionList_, layout.At(Part::SectionList));
    Place(selectAllBox_, layout.At(Part::SelectAllBox));
    Place(selectAllLabel_, layout.At(Part::SelectAllLabel));
    Place(scanButton_, layout.At(Part::ScanButton));

    Place(statusBand_, layout.At(Part::StatusBand));
    Place(progressPanel_, layout.At(Part::ProgressPanel));
    Place(foundCount_, layout.At(Part::FoundCount));
    Place(pauseButton_, layout.At(Part::PauseButton));
    Place(cancelScanButton_, layout.At(Part::CancelScanButton));
    Place(statusArrow_, layout.At(Part::StatusArrow));
    Place(statusLabel_, layout.At(Part::StatusLabel));
    for (int row = 0; row < kRows; ++row) {
        Place(counters_[ui::Index(row)], layout.AtRow(RowPart::Counter, row));
        Place(names_[ui::Index(row)], layout.AtRow(RowPart::Name, row));
    }

    Place(problemList_, layout.At(Part::ProblemList));
    Place(repairAllButton_, layout.At(Part::RepairAllButton));
    Place(cancelResultButton_, layout.At(Part::CancelResultButton));
    Place(resultCount_, layout.At(Part::ResultCount));
    PlaceSectionMarker();
    for (int row = 0; row < kRows; ++row) {
        Place(countLinks_[ui::Index(row)], layout.AtRow(RowPart::CountLink, row));
        Place(sectionLinks_[ui::Index(row)], layout.AtRow(RowPart::SectionLink, row));
    }

    Place(repairLog_, layout.At(Part::RepairLogList));
    Place(returnButton_, layout.At(Part::ReturnButton));
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
