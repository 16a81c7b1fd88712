#include "ui/CListCtrlBlue.h"

#include <QKeyEvent>
#include <algorithm>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "engine/ScanSession.h"
#include "ui/AnsiText.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"
#include "ui/Index.h"
#include "ui/KeyboardFocus.h"

namespace {

const QColor kBackgroundColour(CListCtrlBlue::kBackground[0], CListCtrlBlue::kBackground[1],
                               CListCtrlBlue::kBackground[2]);

// Padding between a row's picture and its text, as the list view leaves it.
constexpr int kLabelPadding = 2;

}  // namespace

CListCtrlBlue::CListCtrlBlue(QWidget* parent) : QAbstractScrollArea(parent) {
    // Rows are never selected by the mouse; the keyboard reaches the list with Tab.
    setFocusPolicy(Qt::TabFocus);
    setFont(ui::DialogFont());
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Base, kBackgroundColour);
    viewport()->setPalette(colours);
    viewport()->setAutoFillBackground(false);
}

void CListCtrlBlue::Fill(platform::Services* services) {
    for (auto& image : images_) image = QPixmap();
    rows_.clear();
    const QPixmap strip = ui::LoadBitmap(ui::res::kBmpSectionBoxes);
    if (strip.isNull()) {
        UpdateScrollRange();
        viewport()->update();
        return;
    }
    // Black is the image list's mask colour: it never shows.
    for (int i = 0; i < 3; ++i) {
        QPixmap cell = strip.copy(i * kImageWidth, 0, kImageWidth, kImageHeight);
        cell.setMask(cell.createMaskFromColor(Qt::black));
        images_[ui::Index(i)] = cell;
    }
    // The engine names the rows and says which drive each drive row scans.
    const engine::SectionRows rows =
        services ? engine::BuildSectionRows(*services) : engine::BuildSectionRows({});
    for (const engine::SectionRow& row : rows) InsertRow(row);
    UpdateScrollRange();
    viewport()->update();
}

void CListCtrlBlue::InsertRow(const engine::SectionRow& row) {
    rows_.push_back({row, ui::shared::SectionImage(true)});
    rows_.back().row.selected = true;
}

void CListCtrlBlue::SetRowImage(int row, int image) {
    if (row < 0 || row >= RowCount() || image < 0 || image > ui::shared::kSectionImageGreyed)
        return;
    rows_[ui::Index(row)].image = image;
    viewport()->update(ItemRect(row, Part::Icon));
}

bool CListCtrlBlue::Selected(int row) const {
    return row >= 0 && row < RowCount() && rows_[ui::Index(row)].row.selected;
}

void CListCtrlBlue::SetSelected(int row, bool selected) {
    if (row >= 0 && row < RowCount()) rows_[ui::Index(row)].row.selected = selected;
}

void CListCtrlBlue::ChooseAll(bool chosen) {
    for (int row = 0; row < RowCount(); ++row) {
        SetRowImage(row, ui::shared::SectionImage(chosen));
        SetSelected(row, chosen);
    }
}

engine::SectionRows CListCtrlBlue::Rows() const {
    engine::SectionRows rows;
    for (const Row& row : rows_) rows.push_back(row.row);
    return rows;
}

int CListCtrlBlue::ItemHeight() const {
    // The taller of text and picture, and one pixel, as the list view sizes its rows.
    return std::max(fontMetrics().height(), kImageHeight) + 1;
}

int CListCtrlBlue::RowsPerColumn() const {
    return std::max(1, viewport()->height() / ItemHeight());
}

QRect CListCtrlBlue::ItemRect(int row, Part part) const {
    if (row < 0 || row >= RowCount()) return {};
    const int perColumn = RowsPerColumn();
    const int x = (row / perColumn - horizontalScrollBar()->value()) * kColumnWidth;
    const int y = (row % perColumn) * ItemHeight();
    switch (part) {
    case Part::Bounds: return QRect(x, y, kColumnWidth, ItemHeight());
    case Part::Icon: return QRect(x, y, kImageWidth, ItemHeight());
    case Part::Label: return QRect(x + kImageWidth, y, kColumnWidth - kImageWidth, ItemHeight());
    }
    return {};
}

void CListCtrlBlue::UpdateScrollRange() {
    const int perColumn = RowsPerColumn();
    const int columns = (RowCount() + perColumn - 1) / perColumn;
    const int visible = std::max(1, viewport()->width() / kColumnWidth);
    horizontalScrollBar()->setRange(0, std::max(0, columns - visible));
    horizontalScrollBar()->setPageStep(visible);
    horizontalScrollBar()->setSingleStep(1);
}

void CListCtrlBlue::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CListCtrlBlue::scrollContentsBy(int, int) { viewport()->update(); }

void CListCtrlBlue::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackgroundColour);
    painter.setFont(font());
    painter.setPen(Qt::black);
    for (int row = 0; row < RowCount(); ++row) {
        const QRect icon = ItemRect(row, Part::Icon);
        if (!icon.intersects(viewport()->rect())) continue;
        const QPixmap& image = images_[ui::Index(rows_[ui::Index(row)].image)];
        if (!image.isNull())
            painter.drawPixmap(icon.x(), icon.y() + (icon.height() - kImageHeight) / 2, image);
        const QRect label = ItemRect(row, Part::Label).adjusted(kLabelPadding, 0, 0, 0);
        const QString text = ui::FromAnsi(rows_[ui::Index(row)].row.label);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        if (row == focusRow_ && hasFocus()) {
            // The dotted focus rectangle around the label, as a list view draws it.
            const int width = painter.fontMetrics().horizontalAdvance(text) + 2 * kLabelPadding;
            QRect focus = ItemRect(row, Part::Label);
            focus.setWidth(std::min(width, focus.width()));
            painter.save();
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(focus.adjusted(0, 2, -1, -3));
            painter.restore();
        }
    }
}

void CListCtrlBlue::ToggleRow(int row) {
    const bool chosen = !Selected(row);
    SetRowImage(row, ui::shared::SectionImage(chosen));
    SetSelected(row, chosen);
}

// The focus rectangle comes and goes with the focus.
void CListCtrlBlue::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CListCtrlBlue::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CListCtrlBlue::keyPressEvent(QKeyEvent* event) {
    using ui::shared::KeyAction;
    const KeyAction action =
        ui::shared::SectionListKey(ui::ListKeyOf(event->key()), focusRow_, RowCount());
    switch (action.kind) {
    case KeyAction::PassOn: return QAbstractScrollArea::keyPressEvent(event);
    case KeyAction::Swallow: return;
    case KeyAction::Switch:
        ToggleRow(action.row);
        SendSummary();
        return;
    case KeyAction::MoveTo:
        focusRow_ = action.row;
        viewport()->update();
        return;
    }
}

void CListCtrlBlue::mousePressEvent(QMouseEvent* event) {
    // Only the left button chooses; a right click does nothing at all. The click is never
    // passed on, so rows are never selected or focused.
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    const int x = point.x(), y = point.y();
    for (int row = 0; row < RowCount(); ++row) {
        const QRect icon = ItemRect(row, Part::Icon);
        const ui::shared::Box cell{icon.x(), icon.y(), icon.x() + icon.width(),
                                   icon.y() + icon.height()};
        if (ui::shared::HitsSectionBox(cell, x, y)) {
            ToggleRow(row);
            break;
        }
    }
    SendSummary();
}

// The second press of a double-click is not a new choice: the box toggles once.
void CListCtrlBlue::mouseDoubleClickEvent(QMouseEvent*) {}
void CListCtrlBlue::mouseReleaseEvent(QMouseEvent*) {}
void CListCtrlBlue::mouseMoveEvent(QMouseEvent*) {}

void CListCtrlBlue::SendSummary() {
    if (summaryTarget_) summaryTarget_(engine::SelectionSummary(Rows()));
}
