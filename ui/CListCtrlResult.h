#pragma once
// The problem list: one tall row of three text lines per problem record, with the choice
// between deleting the entry and leaving it. In repair log mode the rows are read-only and
// marked "Repaired".
#include <QAbstractScrollArea>
#include <QFont>
#include <QPixmap>
#include <string>
#include <vector>

#include "engine/ScanModel.h"

class CListCtrlResult : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 68;
    static constexpr int kIconColumnWidth = 50;
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Row {
        std::string key;
        std::string value;
        bool repair = true;
    };

    void Choose(int row, bool repair);
    void ShowRow(int row);
    void UpdateScrollRanges();

    bool repairLogMode_ = false;
    bool markRepaired_ = true;
    int contentWidth_ = 0;
    std::vector<Row> rows_;
    engine::ProblemList* source_ = nullptr;
    int focusRow_ = 0;
    QFont font_;
    QPixmap boxTicked_, boxEmpty_, greenTick_, redCross_;
};
