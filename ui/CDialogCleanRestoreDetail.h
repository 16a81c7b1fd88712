#pragma once
// The Clean Restore detail dialog: the entries of one backup, read-only, in the problem list
// control's repair log mode. Escape, the close box and Close all close it.
#include <QDialog>

#include "engine/ScanModel.h"
#include "ui/HelpCommands.h"

class CListCtrlResult;
class QFrame;
class QPushButton;

class CDialogCleanRestoreDetail : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdSeparator = 1004;
    static constexpr int kIdClose = 1006;
    static constexpr int kIdEntryList = 40001;

    // `entries`: key line, value name text, value data text and "0" per entry. F1 opens the
    // manual through `open`.
    explicit CDialogCleanRestoreDetail(engine::TextList entries, QWidget* parent = nullptr,
                                       ui::UrlOpener open = {});

    // Controls by id (1004, 1006, 40001); null for any other id.
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
    QPushButton* close_;
};
