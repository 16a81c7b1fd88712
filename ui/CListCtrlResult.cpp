#include "ui/CListCtrlResult.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

#include "ui/AnsiText.h"
#include "ui/Fonts.h"
#include "ui/Index.h"
#include "ui/KeyboardFocus.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"

namespace {

using namespace ui::shared::result_row;

QColor Colour(ui::shared::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

CListCtrlResult::CListCtrlResult(QWidget* parent)
    : QAbstractScrollArea(parent), font_(ui::UiFont(15, 400, 5)),
      boxTicked_(ui::LoadBitmap(ui::res::kBmpBoxTicked)),
      boxEmpty_(ui::LoadBitmap(ui::res::kBmpBoxEmpty)),
      greenTick_(ui::LoadBitmap(ui::res::kBmpGreenTick)),
      redCross_(ui::LoadBitmap(ui::res::kBmpRedCross)) {
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void CListCtrlResult::SetRepairLogMode(bool on) {
    repairLogMode_ = on;
    viewport()->update();
}

void CListCtrlResult::SetMarkRepaired(bool on) {
    markRepaired_ = on;
    viewport()->update();
}

void CListCtrlResult::DeleteAllItems() {
    rows_.clear();
    focusRow_ = 0;
    UpdateScrollRanges();
    viewport()->update();
}

void CListCtrlResult::Fill(engine::ProblemList* source) {
    source_ = source;
    rows_ = ui::shared::ProblemRowsOf(source);
    focusRow_ = 0;
    const QFontMetrics metrics(font_);
    int widest = 0;
    for (const ui::shared::ProblemRow& row : rows_)
        widest = std::max({widest, metrics.horizontalAdvance(ui::FromAnsi(row.key)),
                           metrics.horizontalAdvance(ui::FromAnsi(row.value))});
    contentWidth_ = ui::shared::ContentWidth(widest);
    verticalScrollBar()->setValue(0);
    UpdateScrollRanges();
    viewport()->update();
}

const std::string& CListCtrlResult::ColumnText(int row, int column) const {
    return ui::shared::ColumnText(rows_, row, column);
}

const QPixmap& CListCtrlResult::Picture(int id) const {
    switch (id) {
    case ui::res::kBmpBoxTicked: return boxTicked_;
    case ui::res::kBmpBoxEmpty: return boxEmpty_;
    case ui::res::kBmpRedCross: return redCross_;
    default: return greenTick_;
    }
}

QRect CListCtrlResult::SubItemRect(int row) const {
    if (row < 0 || row >= RowCount()) return {};
    const int top = (row - verticalScrollBar()->value()) * kRowHeight;
    const int left = kIconColumnWidth - horizontalScrollBar()->value();
    return QRect(left, top, kDetailColumnWidth, kRowHeight);
}

void CListCtrlResult::UpdateScrollRanges() {
    // The report view scrolls by whole rows down and by pixels across.
    const int visibleRows = std::max(1, viewport()->height() / kRowHeight);
    verticalScrollBar()->setRange(0, std::max(0, RowCount() - visibleRows));
    verticalScrollBar()->setPageStep(visibleRows);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
}

void CListCtrlResult::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CListCtrlResult::scrollContentsBy(int, int) { viewport()->update(); }

void CListCtrlResult::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, palette().color(QPalette::Base));
    painter.setFont(font_);
    const int ascent = painter.fontMetrics().ascent();
    const ui::shared::RowMarks marks = ui::shared::MarksOf(repairLogMode_, markRepaired_);
    for (int row = 0; row < RowCount(); ++row) {
        const QRect bounds = SubItemRect(row);
        if (bounds.bottom() < area.top() || bounds.top() > area.bottom()) continue;
        if (ui::shared::Striped(row)) {
            QRect band = bounds;
            band.setLeft(0);
            painter.fillRect(band, Colour(ui::shared::kStripe));
        }
        const int L = bounds.left();
        const int T = bounds.top() + kTopInset;
        const ui::shared::RowFace face = ui::shared::FaceOf(rows_[ui::Index(row)], marks);
        // Texts are placed by their top edge, as TextOut with top alignment places them.
        for (const ui::shared::RowText& text : face.texts) {
            painter.setPen(Colour(text.ink));
            painter.drawText(QPoint(L + text.x, T + text.y + ascent), ui::FromAnsi(text.text));
        }
        for (const ui::shared::RowPicture& picture : face.pictures)
            painter.drawPixmap(L + picture.x, T + picture.y, Picture(picture.picture));
        if (row == focusRow_ && hasFocus()) {
            // The dotted focus rectangle around the row, as a list view draws it.
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(QRect(1, bounds.top() + 1, area.width() - 3, kRowHeight - 3));
        }
    }
}

// The focus rectangle comes and goes with the focus.
void CListCtrlResult::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CListCtrlResult::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CListCtrlResult::ShowRow(int row) {
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value()) bar->setValue(row);
    else if (row >= bar->value() + bar->pageStep()) bar->setValue(row - bar->pageStep() + 1);
}

void CListCtrlResult::keyPressEvent(QKeyEvent* event) {
    // Shift+F10 is the keyboard's other way to the context menu; Qt only knows the Menu key.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        ShowKeyboardContextMenu();
        return;
    }
    const int count = RowCount();
    using ui::shared::KeyAction;
    const KeyAction action =
        ui::shared::ProblemListKey(ui::ListKeyOf(event->key()), focusRow_, count,
                                   verticalScrollBar()->pageStep(), repairLogMode_);
    switch (action.kind) {
    case KeyAction::PassOn: return QAbstractScrollArea::keyPressEvent(event);
    case KeyAction::Swallow: return;
    case KeyAction::Switch:
        Choose(action.row, !ui::shared::Deletes(rows_[ui::Index(action.row)]));
        return;
    case KeyAction::MoveTo:
        focusRow_ = action.row;
        ShowRow(focusRow_);
        viewport()->update();
        return;
    }
}

void CListCtrlResult::mousePressEvent(QMouseEvent* event) {
    if (repairLogMode_ || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    for (int row = 0; row < RowCount(); ++row) {
        const QRect bounds = SubItemRect(row);
        if (!bounds.contains(point)) continue;
        const int x = point.x(), y = point.y();
        const int left = bounds.left(), top = bounds.top();
        focusRow_ = row;
        viewport()->update();
        const ui::shared::RowChoice choice = ui::shared::ChoiceAt(left, top, x, y);
        if (choice != ui::shared::RowChoice::None)
            Choose(row, choice == ui::shared::RowChoice::Delete);
        break;
    }
    setFocus(Qt::MouseFocusReason);
}

// A double-click is not a second choice.
void CListCtrlResult::mouseDoubleClickEvent(QMouseEvent*) {}

void CListCtrlResult::Choose(int row, bool repair) {
    if (!ui::shared::Choose(source_, rows_, row, repair)) return;
    QRect band = SubItemRect(row);
    band.setLeft(0);
    viewport()->update(band);
}

int CListCtrlResult::RowAt(const QPoint& point) const {
    for (int row = 0; row < RowCount(); ++row)
        if (SubItemRect(row).contains(point)) return row;
    return -1;
}

int CListCtrlResult::CurrentRow() const { return focusRow_ < RowCount() ? focusRow_ : -1; }

std::unique_ptr<QMenu> CListCtrlResult::BuildContextMenu(int row) {
    auto menu = std::make_unique<QMenu>(this);
    if (!ignoreHandler_) return menu;
    auto handler = ignoreHandler_;
    for (const ui::shared::IgnoreItem& item :
         ui::shared::IgnoreMenu(source_, row, repairLogMode_)) {
        const bool wholeKey = item.wholeKey;
        QAction* action = menu->addAction(ui::FromAnsi(item.text), this,
                                          [row, handler, wholeKey] { handler(row, wholeKey); });
        action->setEnabled(item.enabled);
    }
    return menu;
}

void CListCtrlResult::ShowContextMenu(int row, const QPoint& globalPos) {
    if (repairLogMode_ || row < 0) return;
    focusRow_ = row;
    viewport()->update();
    const std::unique_ptr<QMenu> menu = BuildContextMenu(row);
    if (!menu->isEmpty()) menu->exec(globalPos);
}

void CListCtrlResult::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        ShowContextMenu(RowAt(event->pos()), event->globalPos());
    } else {
        ShowKeyboardContextMenu();
    }
}

void CListCtrlResult::ShowKeyboardContextMenu() {
    // Beside the row's key, where the eye is.
    const int row = CurrentRow();
    ShowContextMenu(row,
                    viewport()->mapToGlobal(SubItemRect(row).topLeft() + QPoint(kTextX, kMenuY)));
}

QString CListCtrlResult::ToolTipText(int row) const {
    return QString::fromStdString(ui::shared::RowToolTip(source_, row, repairLogMode_));
}

bool CListCtrlResult::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ToolTipText(RowAt(help->pos()));
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}
