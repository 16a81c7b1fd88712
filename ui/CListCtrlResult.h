#pragma once
// The problem list: one tall row of three text lines per problem record, with the choice
// between deleting the entry and leaving it. In repair log mode the rows are read-only and
// marked "Repaired".
#include <QAbstractScrollArea>
#include <QFont>
#include <QPixmap>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ScanModel.h"
#include "ui/shared/ProblemRows.h"

class QMenu;

class CListCtrlResult : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = ui::shared::result_row::kHeight;
    static constexpr int kIconColumnWidth = ui::shared::result_row::kPictureColumn;
    static constexpr int kDetailColumnWidth = 2000;

    explicit CListCtrlResult(QWidget* parent = nullptr);

    // Replaces all rows by the problems of `source`, which the list keeps
    // pointing at, without owning it, to write the user's choices into: the list must live
    // at the same address for as long as the rows show it. Null empties the list.
    void Fill(engine::ProblemList* source);
    // Deletes every row; the source list stays remembered.
    void DeleteAllItems();

    void SetRepairLogMode(bool on);
    bool RepairLogMode() const { return repairLogMode_; }
    // Read-only rows carry the green tick and the red "Repaired" (the repair log), or no mark
    // at all (a backup's saved entries, which nothing has repaired).
    void SetMarkRepaired(bool on);
    // Width of the rows' contents: the horizontal scroll bar shows only when the list is
    // narrower.
    int ContentWidth() const { return contentWidth_; }

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Column 1 the shown key, 2 the shown value, 3 the shown mark; Windows-1252.
    const std::string& ColumnText(int row, int column) const;
    const engine::ProblemList* Source() const { return source_; }

    // The row the keyboard is on: Up, Down, Page Up, Page Down, Home and End move it (the list
    // scrolls to show it), Space switches its choice between Delete and Leave.
    int FocusRow() const { return focusRow_; }

    // Bounds of column 1 of a row in viewport coordinates (what the choice handler and the
    // painter measure from); empty for a row that does not exist.
    QRect SubItemRect(int row) const;

    // What "Ignore This Entry" (false) and "Ignore This Key" (true) of a row's context menu
    // do; without it (and in repair log mode) the rows have no context menu.
    void SetIgnoreHandler(std::function<void(int row, bool wholeKey)> handler) {
        ignoreHandler_ = std::move(handler);
    }
    // The row's context menu as it is shown; a shortcut file's row has no key to ignore.
    std::unique_ptr<QMenu> BuildContextMenu(int row);
    // The row's tooltip: what the scan looked for, one line a path; empty for none.
    QString ToolTipText(int row) const;
    // The row the keyboard's context menu (Menu key, Shift+F10) is for: the focused row (the
    // one last clicked or moved to with the keys); -1 for an empty list.
    int CurrentRow() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void Choose(int row, bool repair);
    void ShowRow(int row);
    int RowAt(const QPoint& point) const;
    void ShowContextMenu(int row, const QPoint& globalPos);
    void ShowKeyboardContextMenu();
    void UpdateScrollRanges();

    bool repairLogMode_ = false;
    bool markRepaired_ = true;
    int contentWidth_ = 0;
    std::vector<ui::shared::ProblemRow> rows_;
    engine::ProblemList* source_ = nullptr;
    std::function<void(int, bool)> ignoreHandler_;
    int focusRow_ = 0;
    QFont font_;
    QPixmap boxTicked_, boxEmpty_, greenTick_, redCross_;
    const QPixmap& Picture(int id) const;
};
