#pragma once
// The Clean Restore dialog: the backups in backup.txt with their time and entry count, and
// Detail, Restore and Delete for the backup chosen in the list. Escape does not close it and
// it has no close box; Close (or Enter) does.
#include <QDialog>

#include "engine/Host.h"
#include "platform/Services.h"
#include "ui/HelpCommands.h"
#include "ui/WidgetFace.h"
#include "ui/res/ResourceIds.h"
#include "ui/shared/CleanRestore.h"

class CDialogCleanRestoreDetail;
class CStaticGradient;
class QFrame;
class QPushButton;
class QTreeWidget;

class CDialogCleanRestore : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdBackupList = ui::res::kCleanRestoreList;
    static constexpr int kIdRestore = ui::res::kCleanRestoreRestore;
    static constexpr int kIdDelete = ui::res::kCleanRestoreDelete;
    static constexpr int kIdCaption = ui::res::kCleanRestoreCaption;
    static constexpr int kIdSeparator = ui::res::kCleanRestoreLine;
    static constexpr int kIdDetail = ui::res::kCleanRestoreDetail;
    static constexpr int kIdClose = ui::res::kCleanRestoreClose;

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
    class Face final : public ui::WidgetFace<ui::shared::CleanRestoreFace> {
    public:
        explicit Face(CDialogCleanRestore& dialog);
        void RunDetail(const engine::ProblemList& entries, int damagedLines) override;

    private:
        CDialogCleanRestore& dialog_;
    };

    void Layout();
    void OnListClick();

    ui::UrlOpener open_;
    Face face_;
    ui::shared::CleanRestoreLogic logic_;
    bool layoutReady_ = false;
    CStaticGradient* caption_;
    QTreeWidget* list_;
    QPushButton* detail_;
    QPushButton* restore_;
    QPushButton* delete_;
    QFrame* line_;
    QPushButton* close_;
};
