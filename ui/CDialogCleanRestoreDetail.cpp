#include "ui/CDialogCleanRestoreDetail.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/AnsiText.h"
#include "ui/CListCtrlResult.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"
#include "ui/KeyboardFocus.h"
#include "ui/WidgetFace.h"
#include "ui/res/Layouts.h"
#include "ui/shared/CleanRestore.h"

namespace res = ui::res;

CDialogCleanRestoreDetail::CDialogCleanRestoreDetail(engine::ProblemList entries, QWidget* parent,
                                                     ui::UrlOpener open, int damagedLines)
    : QDialog(parent), entries_(std::move(entries)) {
    setWindowTitle(res::kDetailDialog.caption);
    ui::AddManualShortcut(this, std::move(open));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The template's font, "MS Shell Dlg" 8 pt: 13 pixels high.
    setFont(ui::DialogFont());

    close_ = new QPushButton(res::FindControl(res::kDetailDialog, kIdClose)->text, this);
    close_->setDefault(true);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    note_ = new QLabel(this);
    const std::string note = ui::shared::DetailNote(damagedLines);
    note_->setText(ui::FromAnsi(note));
    note_->setVisible(!note.empty());

    list_ = new CListCtrlResult(this);
    // Read-only rows: a click never changes an entry's action. They were saved, not repaired.
    list_->SetRepairLogMode(true);
    list_->SetMarkRepaired(false);
    list_->Fill(&entries_);

    layoutReady_ = true;
    resize(res::kDetailDialog.pixels.width, res::kDetailDialog.pixels.height);
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
    const res::DetailPlaces places = res::DetailLayout(width(), height());
    for (const int id : {kIdEntryList, kIdSeparator, kIdNote, kIdClose})
        Control(id)->setGeometry(ui::PixelRect(res::DetailPlace(places, id)));
}

void CDialogCleanRestoreDetail::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layoutReady_) Layout();
}
