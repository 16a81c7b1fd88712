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

#include "engine/Explanation.h"
#include "engine/ValueText.h"
#include "ui/AnsiText.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/IgnoreStrings.h"
#include "ui/res/Strings.h"
#include "ui/Index.h"

namespace {

using namespace ui::shared::result_row;

const QColor kStripe(240, 240, 240);
const QColor kRed(220, 0, 0);

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
    rows_.clear();
    focusRow_ = 0;
    if (source) {
        for (const engine::Problem& problem : *source) {
            const engine::ShownTexts shown = engine::DisplayConversion(problem);
            rows_.push_back({shown.key, shown.value, problem.repair});
        }
    }
    // The texts start kTextX pixels into the column; the choice line reaches kChoiceRight.
    const QFontMetrics metrics(font_);
    int widest = kChoiceRight;
    for (const Row& row : rows_)
        widest = std::max({widest, kTextX + metrics.horizontalAdvance(ui::FromAnsi(row.key)) + 8,
                           kTextX + metrics.horizontalAdvance(ui::FromAnsi(row.value)) + 8});
    contentWidth_ = kIconColumnWidth + widest;
    verticalScrollBar()->setValue(0);
    UpdateScrollRanges();
    viewport()->update();
}

const std::string& CListCtrlResult::ColumnText(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= RowCount()) return empty;
    switch (column) {
    case 1: return rows_[ui::Index(row)].key;
    case 2: return rows_[ui::Index(row)].value;
    case 3: {
        static const std::string kDelete = engine::kMarkDelete, kLeave = engine::kMarkLeave;
        return rows_[ui::Index(row)].repair ? kDelete : kLeave;
    }
    default: return empty;
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
    // Texts are placed by their top edge, as TextOut with top alignment places them.
    auto text = [&](int x, int y, const QColor& colour, const QString& s) {
        painter.setPen(colour);
        painter.drawText(QPoint(x, y + ascent), s);
    };
    for (int row = 0; row < RowCount(); ++row) {
        const QRect bounds = SubItemRect(row);
        if (bounds.bottom() < area.top() || bounds.top() > area.bottom()) continue;
        if (row % 2 == 0) {
            QRect band = bounds;
            band.setLeft(0);
            painter.fillRect(band, kStripe);
        }
        const int L = bounds.left();
        const int T = bounds.top() + kTopInset;
        const Row& r = rows_[ui::Index(row)];
        text(L, T, Qt::black, ui::text::kLineSection);
        text(L + kTextX, T, Qt::black, ui::FromAnsi(r.key));
        if (!repairLogMode_) {
            text(L, T + kValueY, kRed, ui::text::kLineValue);
            text(L + kTextX, T + kValueY, kRed, ui::FromAnsi(r.value));
            text(L, T + kChoiceY, Qt::black, ui::text::kLineCorrection);
            text(L + kDeleteTextX, T + kChoiceY, Qt::black, ui::text::kChoiceDelete);
            text(L + kLeaveTextX, T + kChoiceY, Qt::black, ui::text::kChoiceLeave);
            const bool remove = r.repair;
            painter.drawPixmap(L + kTextX, T + kBoxY, remove ? boxTicked_ : boxEmpty_);
            painter.drawPixmap(L + kLeaveBoxX, T + kBoxY, remove ? boxEmpty_ : boxTicked_);
            painter.drawPixmap(L + kPictureX, T + kPictureY, remove ? redCross_ : greenTick_);
        } else {
            text(L, T + kValueY, Qt::black, ui::text::kLineValue);
            text(L + kTextX, T + kValueY, Qt::black, ui::FromAnsi(r.value));
            if (markRepaired_) {
                text(L + kTextX, T + kChoiceY, kRed, ui::text::kRepaired);
                painter.drawPixmap(L + kPictureX, T + kPictureY, greenTick_);
            }
        }
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
    if (count == 0) return QAbstractScrollArea::keyPressEvent(event);
    const int page = verticalScrollBar()->pageStep();
    int row = focusRow_;
    switch (event->key()) {
    case Qt::Key_Up: row = std::max(0, row - 1); break;
    case Qt::Key_Down: row = std::min(count - 1, row + 1); break;
    case Qt::Key_PageUp: row = std::max(0, row - page); break;
    case Qt::Key_PageDown: row = std::min(count - 1, row + page); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = count - 1; break;
    case Qt::Key_Space:
        if (!repairLogMode_) Choose(focusRow_, !rows_[ui::Index(focusRow_)].repair);
        return;
    default: return QAbstractScrollArea::keyPressEvent(event);
    }
    focusRow_ = row;
    ShowRow(row);
    viewport()->update();
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
    // The problem is where the choice lives; the row only shows it.
    const auto index = static_cast<std::size_t>(row);
    if (source_ && index < source_->size()) (*source_)[index].repair = repair;
    rows_[ui::Index(row)].repair = repair;
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
    const auto index = static_cast<std::size_t>(row);
    if (!source_ || row < 0 || index >= source_->size() || !ignoreHandler_) return menu;
    auto handler = ignoreHandler_;
    menu->addAction(ui::text::kMenuIgnoreEntry, this, [row, handler] { handler(row, false); });
    QAction* key =
        menu->addAction(ui::text::kMenuIgnoreKey, this, [row, handler] { handler(row, true); });
    key->setEnabled((*source_)[index].ExactKnown());
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
    ShowContextMenu(row, viewport()->mapToGlobal(SubItemRect(row).topLeft() + QPoint(70, 22)));
}

QString CListCtrlResult::ToolTipText(int row) const {
    const auto index = static_cast<std::size_t>(row);
    if (repairLogMode_ || !source_ || row < 0 || index >= source_->size()) return {};
    QStringList lines;
    for (const engine::CheckedPath& checked : (*source_)[index].checked)
        lines << QString::fromStdString(engine::CheckedPathText(checked));
    return lines.join('\n');
}

bool CListCtrlResult::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ToolTipText(RowAt(help->pos()));
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}
