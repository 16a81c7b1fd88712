#include "ui/CDialogIERestore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/CStaticGradient.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"
#include "ui/KeyboardFocus.h"
#include "ui/res/Layouts.h"

namespace res = ui::res;

CDialogIERestore::CDialogIERestore(platform::Services& services, engine::Host& host,
                                   QWidget* parent, ui::UrlOpener open)
    : QDialog(parent), face_([this](int id) { return Control(id); }),
      logic_(services, host, face_) {
    setWindowTitle(res::kIERestoreDialog.caption);
    ui::AddManualShortcut(this, std::move(open));
    setFont(ui::DialogFont());
    // Text close to its box, as the platform's check and radio buttons have it: the lock
    // buttons' texts just fit their fixed widths.
    setStyleSheet("QCheckBox, QRadioButton { spacing: 3px; }");
    auto text = [](int id) { return res::FindControl(res::kIERestoreDialog, id)->text; };
    caption_ = new CStaticGradient(this);
    caption_->setText(text(res::kIECaption));
    explanation_ = new QLabel(text(res::kIEExplanation), this);
    explanation_->setWordWrap(true);
    group_ = new QGroupBox(this);
    homeCheck_ = new QCheckBox(text(res::kIEHomeBox), this);
    homeEdit_ = new QLineEdit(this);
    homeApply_ = new QPushButton(text(res::kIEHomeApply), this);
    titleCheck_ = new QCheckBox(text(res::kIETitleBox), this);
    titleEdit_ = new QLineEdit(this);
    titleApply_ = new QPushButton(text(res::kIETitleApply), this);
    lock_ = new QRadioButton(text(res::kIELock), this);
    unlock_ = new QRadioButton(text(res::kIEUnlock), this);
    // Each radio button is its own group; the rules clear the other one.
    lock_->setAutoExclusive(false);
    unlock_->setAutoExclusive(false);
    lockApply_ = new QPushButton(text(res::kIELockApply), this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    close_ = new QPushButton(text(res::kIEClose), this);
    for (QPushButton* b : {homeApply_, titleApply_, lockApply_, close_}) b->setAutoDefault(false);

    for (const int id : {res::kIEHomeBox, res::kIEHomeApply, res::kIETitleBox, res::kIETitleApply,
                         res::kIELock, res::kIEUnlock, res::kIELockApply, res::kIEClose})
        connect(static_cast<QAbstractButton*>(Control(id)), &QAbstractButton::clicked, this,
                [this, id] {
                    if (logic_.Command(id)) reject();
                });

    layoutReady_ = true;
    resize(res::kIERestoreDialog.pixels.width, res::kIERestoreDialog.pixels.height);
    Layout();
    logic_.Start();
    ui::KeepArrowKeysOffButtons(this);
}

QWidget* CDialogIERestore::Control(int id) const {
    switch (id) {
    case res::kIEHomeBox: return homeCheck_;
    case res::kIEHomeEdit: return homeEdit_;
    case res::kIEHomeApply: return homeApply_;
    case res::kIETitleBox: return titleCheck_;
    case res::kIETitleEdit: return titleEdit_;
    case res::kIETitleApply: return titleApply_;
    case res::kIELock: return lock_;
    case res::kIEUnlock: return unlock_;
    case res::kIELockApply: return lockApply_;
    case res::kIECaption: return caption_;
    case res::kIEExplanation: return explanation_;
    case res::kIEGroup: return group_;
    case res::kIELine: return line_;
    case res::kIEClose: return close_;
    default: return nullptr;
    }
}

void CDialogIERestore::Layout() {
    ui::PlaceControls(res::kIERestoreDialog, [this](int id) { return Control(id); });
    group_->lower();
}

void CDialogIERestore::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layoutReady_) Layout();
}

void CDialogIERestore::keyPressEvent(QKeyEvent* event) {
    // Enter presses no button here; Escape ends the dialog as the rules say.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (logic_.Command(res::kEnterKey)) reject();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        if (logic_.Command(res::kEscapeKey)) reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
