#pragma once
// The Clean Restore detail dialog: the entries of one backup, read-only, in the problem list
// control's repair log mode, and how many damaged lines of the backup were skipped. Escape,
// the close box and Close all close it.
#include <QDialog>

#include "engine/ScanModel.h"
#include "ui/HelpCommands.h"
#include "ui/res/ResourceIds.h"

class CListCtrlResult;
class QFrame;
class QLabel;
class QPushButton;

class CDialogCleanRestoreDetail : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdSeparator = ui::res::kDetailLine;
    static constexpr int kIdNote = ui::res::kDetailNote;
    static constexpr int kIdClose = ui::res::kDetailClose;
    static constexpr int kIdEntryList = ui::res::kDetailList;

    // `entries`: the backup's entries and shortcut file copies; `damagedLines`, when above 0,
    // is said below the list. F1 opens the manual through `open`.
    explicit CDialogCleanRestoreDetail(engine::ProblemList entries, QWidget* parent = nullptr,
                                       ui::UrlOpener open = {}, int damagedLines = 0);

    // Controls by id (1004, 1005, 1006, 40001); null for any other id.
    QWidget* Control(int id) const;
    CListCtrlResult* EntryList() const { return list_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();

    // The list control keeps pointing at this copy while it shows the rows.
    engine::ProblemList entries_;
    bool layoutReady_ = false;
    CListCtrlResult* list_;
    QFrame* line_;
    QLabel* note_;
    QPushButton* close_;
};
