#pragma once
// The Clean Restore dialog: the backups in backup.txt with their time and entry count, and
// Detail, Restore and Delete for the backup chosen in the list. Escape does not close it and
// it has no close box; Close (or Enter) does.
#include <QDialog>

#include "engine/Host.h"
#include "platform/Services.h"
#include "repair/BackupCatalogue.h"
#include "ui/HelpCommands.h"

class CDialogCleanRestoreDetail;
class CStaticGradient;
class QFrame;
class QPushButton;
class QTreeWidget;

class CDialogCleanRestore : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdBackupList = 1000;
    static constexpr int kIdRestore = 1001;
    static constexpr int kIdDelete = 1002;
    static constexpr int kIdCaption = 1003;
    static constexpr int kIdSeparator = 1004;
    static constexpr int kIdDetail = 1005;
    static constexpr int kIdClose = 1006;

    // F1 and the detail dialog's F1 open the manual through `open`.
    CDialogCleanRestore(platform::Services& services, engine::Host& host, QWidget* parent = nullptr,
                        ui::UrlOpener open = {});

    // Controls by id (1000 to 1006); null for any other id.
    QWidget* Control(int id) const;

    // Does nothing: Escape and closing the window leave the dialog open.
    void reject() override;

protected:
    // Runs the detail dialog; modal by default. Tests answer it instead.
    virtual void RunDetail(CDialogCleanRestoreDetail& detail);

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A window manager that ignores the missing minimise box iconifies the dialog and, with
    // it, the main window it belongs to: both come back at once, since the dialog holds the
    // program until it is closed.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Layout();
    void FillList();
    int SelectedRow() const;
    void SetButtonsEnabled(bool enabled);

    void OnListClick();
    void OnListDoubleClick();
    void OnDetail();
    void OnRestore();
    void OnDelete();

    ui::UrlOpener open_;
    repair::BackupCatalogue catalogue_;
    bool layoutReady_ = false;
    bool deleting_ = false;  // a deleted row's selection going is no choice of the user
    CStaticGradient* caption_;
    QTreeWidget* list_;
    QPushButton* detail_;
    QPushButton* restore_;
    QPushButton* delete_;
    QFrame* line_;
    QPushButton* close_;
};
