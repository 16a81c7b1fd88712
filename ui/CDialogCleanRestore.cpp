#include "ui/CDialogCleanRestore.h"

#include <QFrame>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/KeyboardFocus.h"
#include "ui/CDialogCleanRestoreDetail.h"
#include "ui/CStaticGradient.h"
#include "ui/DesktopWindow.h"
#include "ui/DialogUnits.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"
#include "ui/RowList.h"
#include "ui/res/Layouts.h"

namespace res = ui::res;

CDialogCleanRestore::Face::Face(CDialogCleanRestore& dialog)
    : WidgetFace([&dialog](int id) { return dialog.Control(id); }), dialog_(dialog) {}

void CDialogCleanRestore::Face::RunDetail(const engine::ProblemList& entries, int damagedLines) {
    // A window of its own, without a parent, living for this one command.
    CDialogCleanRestoreDetail detail(entries, nullptr, dialog_.open_, damagedLines);
    dialog_.RunDetail(detail);
}

CDialogCleanRestore::CDialogCleanRestore(platform::Services& services, engine::Host& host,
                                         QWidget* parent, ui::UrlOpener open)
    : QDialog(parent), open_(std::move(open)), face_(*this), logic_(services, host, face_) {
    setWindowTitle(res::kCleanRestoreDialog.caption);
    // A caption without a system menu, hence without a close box; not resizable (the
    // controls keep their places), so it cannot be maximised either.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui::AddManualShortcut(this, open_);
    // The template's font, "MS Shell Dlg" 8 pt: 13 pixels high.
    setFont(ui::DialogFont());

    auto text = [](int id) { return res::FindControl(res::kCleanRestoreDialog, id)->text; };
    caption_ = new CStaticGradient(this);
    caption_->setText(text(kIdCaption));

    list_ = ui::MakeRowList(this, res::kBackupColumns);
    // The list's own click signals say nothing about clicks on empty space, which matter here.
    list_->viewport()->installEventFilter(this);
    // A row chosen with the arrow keys is the row Detail and Restore then act on, as one
    // chosen with the mouse.
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { OnListClick(); });

    detail_ = new QPushButton(text(kIdDetail), this);
    restore_ = new QPushButton(text(kIdRestore), this);
    delete_ = new QPushButton(text(kIdDelete), this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    close_ = new QPushButton(text(kIdClose), this);
    close_->setDefault(true);

    for (const int id : {kIdDetail, kIdRestore, kIdDelete, kIdClose})
        connect(static_cast<QPushButton*>(Control(id)), &QPushButton::clicked, this, [this, id] {
            if (logic_.Command(id)) accept();
        });

    logic_.Start();

    layoutReady_ = true;
    setFixedSize(res::kCleanRestoreDialog.pixels.width, res::kCleanRestoreDialog.pixels.height);
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

void CDialogCleanRestore::reject() {
    if (logic_.Command(res::kEscapeKey)) QDialog::reject();
}

void CDialogCleanRestore::RunDetail(CDialogCleanRestoreDetail& detail) { detail.exec(); }

// The places are fixed: the dialog's size is not consulted.
void CDialogCleanRestore::Layout() {
    ui::PlaceControls(res::kCleanRestoreDialog, [this](int id) { return Control(id); });
}

void CDialogCleanRestore::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layoutReady_) Layout();
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
    if (type == QEvent::MouseButtonDblClick) logic_.OnDoubleClick();
    return false;
}

void CDialogCleanRestore::OnListClick() { logic_.OnChosen(face_.SelectedRow(kIdBackupList)); }
