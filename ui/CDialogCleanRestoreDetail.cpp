#include "ui/CDialogCleanRestoreDetail.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/AnsiText.h"
#include "ui/KeyboardFocus.h"
#include "ui/CListCtrlResult.h"
#include "ui/Fonts.h"
#include "ui/res/Strings.h"
#include "ui/HelpCommands.h"
#include "repair/Messages.h"

CDialogCleanRestoreDetail::CDialogCleanRestoreDetail(engine::ProblemList entries, QWidget* parent,
                                                     ui::UrlOpener open, int damagedLines)
    : QDialog(parent), entries_(std::move(entries)) {
    setWindowTitle(ui::text::kCleanRestoreDetailCaption);
    ui::AddManualShortcut(this, std::move(open));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The template's font, "MS Shell Dlg" 8 pt: 13 pixels high.
    setFont(ui::DialogFont());

    close_ = new QPushButton(ui::text::kButtonClose, this);
    close_->setDefault(true);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    note_ = new QLabel(this);
    if (damagedLines > 0) note_->setText(ui::FromAnsi(repair::DamagedLinesNote(damagedLines)));
    note_->setVisible(damagedLines > 0);

    list_ = new CListCtrlResult(this);
    // Read-only rows: a click never changes an entry's action. They were saved, not repaired.
    list_->SetRepairLogMode(true);
    list_->SetMarkRepaired(false);
    list_->Fill(&entries_);

    layoutReady_ = true;
    resize(460, 330);
    Layout();
    ui::KeepArrowKeysOffButtons(this);
}

QWidget* CDialogCleanRestoreDetail::Control(int id) const {
    switch (id) {
    case kIdSeparator: return line_;
    case kIdNote: return note_;
    case kIdClose: return close_;
    case kIdEntryList: return list_;
    default: return nullptr;
    }
}

void CDialogCleanRestoreDetail::Layout() {
    const int cx = width();
    const int cy = height();
    list_->setGeometry(12, 6, cx - 24, cy - 60);
    line_->setGeometry(0, cy - 45, cx, 2);
    note_->setGeometry(12, cy - 31, cx - 109, 18);
    close_->setGeometry(cx - 85, cy - 35, 73, 25);
}

void CDialogCleanRestoreDetail::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layoutReady_) Layout();
}
