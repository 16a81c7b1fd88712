#pragma once
// The section list of the section choice screen: the section table's registry sections, then
// one row per fixed drive, each with a check box picture, on a pale blue background. Each row
// says whether it is chosen; after every click the control reports whether every row, no row
// or some rows are.
#include <QAbstractScrollArea>
#include <QPixmap>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/ScanModel.h"
#include "ui/shared/ListRows.h"
#include "ui/Index.h"

namespace platform {
class Services;
}

class CListCtrlBlue : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 195;
    static constexpr int kImageWidth = ui::shared::kSectionCellWidth;
    static constexpr int kImageHeight = ui::shared::kSectionCellHeight;
    static constexpr int kBackground[3] = {223, 234, 245};

    // Parts of a row's rectangle, as the list view reports them.
    enum class Part { Bounds, Icon, Label };

    explicit CListCtrlBlue(QWidget* parent = nullptr);

    // Builds the pictures and inserts all rows, every one chosen: the registry sections, then
    // one row per fixed drive of `services` (none when it is null). Without picture 132 the
    // list stays empty.
    void Fill(platform::Services* services);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const std::string& Label(int row) const { return rows_.at(ui::Index(row)).row.label; }
    int RowImage(int row) const { return rows_.at(ui::Index(row)).image; }
    // Shows image 0 (ticked), 1 (empty) or 2 (greyed) in the row; other rows are ignored.
    void SetRowImage(int row, int image);

    // Whether the row is chosen; rows that do not exist read false and ignore writes.
    bool Selected(int row) const;
    void SetSelected(int row, bool selected);
    // Ticks or unticks every row (the select-all box); the summary target is not called.
    void ChooseAll(bool chosen);
    // Every row as it stands, for the scan run.
    engine::SectionRows Rows() const;

    // Receives the selection summary after each click, synchronously. The main view sets it to
    // its own handler.
    using SummaryTarget = std::function<void(engine::Selection)>;
    void SetSummaryTarget(SummaryTarget target) { summaryTarget_ = std::move(target); }

    // A row's rectangle in viewport coordinates; empty for a row that does not exist.
    QRect ItemRect(int row, Part part) const;
    int ItemHeight() const;
    // The row the keyboard is on (Up, Down, Home, End move it, Space ticks or unticks it).
    int FocusRow() const { return focusRow_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Row {
        engine::SectionRow row;  // its label in Windows-1252
        int image = 0;
    };

    void InsertRow(const engine::SectionRow& row);
    int RowsPerColumn() const;
    void UpdateScrollRange();
    void SendSummary();
    void ToggleRow(int row);

    std::vector<Row> rows_;
    std::array<QPixmap, 3> images_;
    SummaryTarget summaryTarget_;
    int focusRow_ = 0;
};
