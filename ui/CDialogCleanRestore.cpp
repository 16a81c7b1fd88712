#include "ui/CDialogCleanRestore.h"

#include <QFrame>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#include "ui/KeyboardFocus.h"
#include "ui/AnsiText.h"
#include "ui/CDialogCleanRestoreDetail.h"
#include "ui/CStaticGradient.h"
#include "ui/DesktopWindow.h"
#include "ui/DialogUnits.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"
#include "ui/RowList.h"
#include "ui/res/Strings.h"

namespace {

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

}  // namespace

CDialogCleanRestore::CDialogCleanRestore(platform::Services& services, engine::Host& host,
                                         QWidget* parent, ui::UrlOpener open)
    : QDialog(parent), open_(std::move(open)), catalogue_(services, host) {
    setWindowTitle(ui::text::kCleanRestoreCaption);
    // A caption without a system menu, hence without a close box; not resizable (the
    // controls keep their places), so it cannot be maximised either.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui::AddManualShortcut(this, open_);
    // The template's font, "MS Shell Dlg" 8 pt: 13 pixels high.
    setFont(ui::DialogFont());

    caption_ = new CStaticGradient(this);
    caption_->setText(ui::text::kCleanRestoreHeading);

    list_ = ui::MakeRowList(this, {ui::text::kColumnBackupTime, ui::text::kColumnBackupCounts});
    list_->headerItem()->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    list_->headerItem()->setTextAlignment(1, kRight);
    list_->header()->setStretchLastSection(false);
    list_->header()->resizeSection(0, 250);
    list_->header()->resizeSection(1, 100);
    // The list's own click signals say nothing about clicks on empty space, which matter here.
    list_->viewport()->installEventFilter(this);
    // A row chosen with the arrow keys is the row Detail and Restore then act on, as one
    // chosen with the mouse.
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!deleting_) OnListClick();
    });

    detail_ = new QPushButton(ui::text::kButtonDetail, this);
    restore_ = new QPushButton(ui::text::kButtonRestore, this);
    delete_ = new QPushButton(ui::text::kButtonDelete, this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    close_ = new QPushButton(ui::text::kButtonClose, this);
    close_->setDefault(true);
    SetButtonsEnabled(false);

    connect(detail_, &QPushButton::clicked, this, [this] { OnDetail(); });
    connect(restore_, &QPushButton::clicked, this, [this] { OnRestore(); });
    connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    catalogue_.LoadCatalogue();
    FillList();

    layoutReady_ = true;
    setFixedSize(ui::ClientOfWindow(500, 350));
    Layout();
    ui::KeepArrowKeysOffButtons(this);
}

void CDialogCleanRestore::showEvent(QShowEvent* event) {
    // Qt's flags cannot ask for a caption without any window functions.
    ui::RemoveWindowFunctions(this);
    QDialog::showEvent(event);
}

void CDialogCleanRestore::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (QWidget* window :
                 {parentWidget() ? parentWidget()->window() : nullptr, static_cast<QWidget*>(this)})
                if (window && window->isMinimized())
                    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        },
        Qt::QueuedConnection);
}

QWidget* CDialogCleanRestore::Control(int id) const {
    switch (id) {
    case kIdBackupList: return list_;
    case kIdRestore: return restore_;
    case kIdDelete: return delete_;
    case kIdCaption: return caption_;
    case kIdSeparator: return line_;
    case kIdDetail: return detail_;
    case kIdClose: return close_;
    default: return nullptr;
    }
}

void CDialogCleanRestore::reject() {}

void CDialogCleanRestore::RunDetail(CDialogCleanRestoreDetail& detail) { detail.exec(); }

void CDialogCleanRestore::FillList() {
    list_->clear();
    for (const repair::BackupRow& row : catalogue_.Rows()) {
        auto* item =
            new QTreeWidgetItem(list_, {ui::FromAnsi(row.time), QString::number(row.count)});
        item->setTextAlignment(1, kRight);
    }
}

// The places are fixed: the dialog's size is not consulted.
void CDialogCleanRestore::Layout() {
    caption_->setGeometry(12, 6, 250, 18);
    list_->setGeometry(12, 30, 390, 240);
    detail_->setGeometry(410, 30, 73, 25);
    restore_->setGeometry(410, 70, 73, 25);
    delete_->setGeometry(410, 110, 73, 25);
    line_->setGeometry(0, 280, width(), 2);
    close_->setGeometry(410, 290, 73, 25);
}

void CDialogCleanRestore::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layoutReady_) Layout();
}

int CDialogCleanRestore::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
}

void CDialogCleanRestore::SetButtonsEnabled(bool enabled) {
    detail_->setEnabled(enabled);
    restore_->setEnabled(enabled);
    delete_->setEnabled(enabled);
}

bool CDialogCleanRestore::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_->viewport()) return QDialog::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const bool onRow = list_->itemAt(mouse->position().toPoint()) != nullptr;
    // A press on empty space deselects, as in a list view; Qt's single selection keeps the row.
    if (type != QEvent::MouseButtonRelease && !onRow) list_->clearSelection();
    // The press has already chosen the row, so the click is handled before the view sees the
    // release; the view's own handling follows.
    if (type == QEvent::MouseButtonRelease) OnListClick();
    if (type == QEvent::MouseButtonDblClick) OnListDoubleClick();
    return false;
}

void CDialogCleanRestore::OnListClick() {
    const int row = SelectedRow();
    if (row < 0) {
        SetButtonsEnabled(false);
        return;
    }
    SetButtonsEnabled(true);
    catalogue_.LoadBackupEntries(row);
}

void CDialogCleanRestore::OnListDoubleClick() {
    // The click before it has loaded the entries of this row.
    if (SelectedRow() >= 0) OnDetail();
}

void CDialogCleanRestore::OnDetail() {
    // A window of its own, without a parent, living for this one command.
    CDialogCleanRestoreDetail detail(catalogue_.Problems(), nullptr, open_,
                                     catalogue_.DamagedLines());
    RunDetail(detail);
}

void CDialogCleanRestore::OnRestore() {
    // The catalogue tells the user what was restored, or what failed.
    catalogue_.Restore();
}

void CDialogCleanRestore::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) return;
    // On failure the catalogue has said why; the row stays, as the backup does.
    if (!catalogue_.DeleteBackup(row)) return;
    // Cleared first: Qt would select a neighbour of the removed row, a list view selects none.
    // The buttons keep their state.
    deleting_ = true;
    list_->selectionModel()->clear();
    std::unique_ptr<QTreeWidgetItem> removed(list_->takeTopLevelItem(row));
    deleting_ = false;
}
