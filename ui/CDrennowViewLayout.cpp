// The main view's layout and painting. Everything is anchored to the left edge or to the
// right and bottom edges, except the scan progress block, which is centred.
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

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlue(44, 109, 175);
const QColor kLight(223, 234, 245);

// The top of a result screen row: one row per section, 20 pixels apart.
constexpr int ResultRowTop(int row) { return 115 + 20 * row; }

}  // namespace

void CDrennowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (created_) Layout(event->size().width(), event->size().height());
}

void CDrennowView::Layout(int cx, int cy) {
    // Truncated toward zero, also when the view is narrower than the block.
    const int d = (cx - kProgressBlockWidth) / 2;

    stepLabels_[0]->setGeometry(20, 90, 132, 20);
    stepLabels_[1]->setGeometry(20, 125, 132, 20);
    stepLabels_[2]->setGeometry(20, 160, 132, 20);
    caption_->setGeometry(198, 70, cx - 233, 20);
    optionButton_->setGeometry(50, 6, 43, 38);
    helpButton_->setGeometry(115, 6, 43, 38);

    sectionList_->setGeometry(198, 102, cx - 233, cy - 157);
    selectAllBox_->setGeometry(210, cy - 49, 13, 13);
    selectAllLabel_->setGeometry(230, cy - 50, 100, 17);
    scanButton_->setGeometry(cx - 122, cy - 50, 87, 29);

    statusBand_->setGeometry(d + 198, 105, 360, 25);
    progressPanel_->setGeometry(d + 198, 145, 360, 190);
    foundCount_->setGeometry(d + 203, 147, 350, 20);
    pauseButton_->setGeometry(d + 374, 340, 87, 29);
    cancelScanButton_->setGeometry(d + 471, 340, 87, 29);
    statusArrow_->setGeometry(d + 203, 111, 14, 12);
    statusLabel_->setGeometry(d + 222, 109, 330, 20);
    // The counters stand in two columns, the first one the longer.
    constexpr int kPerColumn = (kRows + 1) / 2;
    for (int row = 0; row < kRows; ++row) {
        const int column = row < kPerColumn ? 0 : 180;
        const int y = 173 + 22 * (row % kPerColumn);
        // Room for six digits: the counters grow to the left, toward the panel's edge.
        counters_[ui::Index(row)]->setGeometry(d + 204 + column, y, 40, 22);
        names_[ui::Index(row)]->setGeometry(d + 248 + column, y, 120, 22);
    }

    problemList_->setGeometry(375, 105, cx - 414, cy - 163);
    repairAllButton_->setGeometry(cx - 219, cy - 50, 87, 29);
    cancelResultButton_->setGeometry(cx - 122, cy - 50, 87, 29);
    resultCount_->setGeometry(198, cy - 45, 150, 20);
    PlaceSectionMarker();
    for (int row = 0; row < kRows; ++row) {
        // Five-digit counts beside the longest name: the names keep 120 pixels.
        countLinks_[ui::Index(row)]->setGeometry(317, ResultRowTop(row), 43, 18);
        sectionLinks_[ui::Index(row)]->setGeometry(195, ResultRowTop(row), 120, 18);
    }

    repairLog_->setGeometry(200, 104, cx - 237, cy - 161);
    returnButton_->setGeometry(cx - 122, cy - 50, 87, 29);
}

void CDrennowView::PlaceSectionMarker() {
    sectionMarker_->setGeometry(363, ResultRowTop(markerRow_), 8, 15);
}

void CDrennowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int W = width();
    const int H = height();
    // Rectangles are filled as the GDI fills them: right and bottom edges excluded.
    painter.fillRect(QRect(QPoint(0, 50), QPoint(1999, 1999)), kWhite);
    painter.fillRect(QRect(QPoint(0, 0), QPoint(1999, 49)), kBlue);

    painter.setPen(QPen(kBlue, 0));
    const QPoint outline[5] = {{173, 60}, {W - 10, 60}, {W - 10, H - 15}, {173, H - 15}, {173, 60}};
    painter.drawPolyline(outline, 5);
    painter.drawLine(198, 92, W - 35, 92);

    painter.setFont(largeFont_);
    painter.setPen(kWhite);
    painter.drawText(QPoint(W - 160, 10 + painter.fontMetrics().ascent()), ui::text::kHeaderTitle);

    if (!sidePicture_.isNull()) {
        painter.drawPixmap(0, H - 200, sidePicture_);
        static constexpr int kMarkerY[3] = {90, 125, 160};
        if (currentStep_ >= 1 && currentStep_ <= 3 && !stepMarker_.isNull())
            painter.drawPixmap(162, kMarkerY[currentStep_ - 1], stepMarker_);
    }

    painter.setFont(smallFont_);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(40, H - 60 + painter.fontMetrics().ascent()), ui::text::kF1Hint);

    if (currentStep_ >= 3)
        painter.fillRect(QRect(QPoint(198, 102), QPoint(W - 36, H - 56)), kLight);
}
