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

#include "ui/DialogUnits.h"
#include "ui/KeyboardFocus.h"
#include "ui/AnsiText.h"
#include "repair/BrowserSettings.h"
#include "ui/CStaticGradient.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"

CDialogIERestore::CDialogIERestore(platform::Services& services, engine::Host& host,
                                   QWidget* parent, ui::UrlOpener open)
    : QDialog(parent), services_(services), host_(host) {
    setWindowTitle("IE Restore");
    ui::AddManualShortcut(this, std::move(open));
    setFont(ui::DialogFont());
    // Text close to its box, as the platform's check and radio buttons have it: the lock
    // buttons' texts just fit their fixed widths.
    setStyleSheet("QCheckBox, QRadioButton { spacing: 3px; }");
    caption_ = new CStaticGradient(this);
    caption_->setText("IE Restore");
    explanation_ = new QLabel(
        "Some malicious websites or applications change your default browser homepage, or set "
        "your brower to automatically open their website when Windows starts. You can use this "
        "feature to avoid this from happening.",
        this);
    explanation_->setWordWrap(true);
    group_ = new QGroupBox(this);
    homeCheck_ = new QCheckBox("Set IE Home Page to the following page", this);
    homeEdit_ = new QLineEdit(this);
    homeApply_ = new QPushButton("Apply", this);
    titleCheck_ = new QCheckBox("Set IE Window Title to the following", this);
    titleEdit_ = new QLineEdit(this);
    titleApply_ = new QPushButton("Apply", this);
    lock_ = new QRadioButton("Lock Registry Edit (Regedit)", this);
    unlock_ = new QRadioButton("Unlock Registry Edit (Regedit)", this);
    // Each radio button is its own group; the handlers clear the other one.
    lock_->setAutoExclusive(false);
    unlock_->setAutoExclusive(false);
    lockApply_ = new QPushButton("Apply", this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    close_ = new QPushButton("Close", this);
    for (QPushButton* b : {homeApply_, titleApply_, lockApply_, close_}) b->setAutoDefault(false);

    for (QLineEdit* edit : {homeEdit_, titleEdit_})
        edit->setMaxLength(static_cast<int>(repair::kMaxSettingLength));
    homeEdit_->setEnabled(false);
    homeApply_->setEnabled(false);
    titleEdit_->setEnabled(false);
    titleApply_->setEnabled(false);
    lockApply_->setEnabled(false);

    connect(homeCheck_, &QCheckBox::clicked, this, [this] {
        const bool on = homeCheck_->isChecked();
        homeEdit_->setEnabled(on);
        homeApply_->setEnabled(on);
    });
    connect(titleCheck_, &QCheckBox::clicked, this, [this] {
        const bool on = titleCheck_->isChecked();
        titleEdit_->setEnabled(on);
        titleApply_->setEnabled(on);
    });
    connect(lock_, &QRadioButton::clicked, this, [this] {
        lock_->setChecked(true);
        unlock_->setChecked(false);
        lockApply_->setEnabled(true);
    });
    connect(unlock_, &QRadioButton::clicked, this, [this] {
        unlock_->setChecked(true);
        lock_->setChecked(false);
        lockApply_->setEnabled(true);
    });
    connect(homeApply_, &QPushButton::clicked, this,
            [this] { repair::ApplyHomePage(services_, host_, ui::ToAnsi(homeEdit_->text())); });
    connect(titleApply_, &QPushButton::clicked, this,
            [this] { repair::ApplyWindowTitle(services_, host_, ui::ToAnsi(titleEdit_->text())); });
    connect(lockApply_, &QPushButton::clicked, this,
            [this] { repair::ApplyRegeditLock(services_, host_, lock_->isChecked()); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    layoutReady_ = true;
    resize(ui::ClientOfWindow(500, 350));
    Layout();
    const repair::BrowserSettings settings = repair::ReadBrowserSettings(services_);
    homeEdit_->setText(ui::FromAnsi(settings.startPage));
    titleEdit_->setText(ui::FromAnsi(settings.windowTitle));
    ui::KeepArrowKeysOffButtons(this);
}

QWidget* CDialogIERestore::Control(int id) const {
    switch (id) {
    case 1008: return homeCheck_;
    case 1009: return homeEdit_;
    case 1010: return homeApply_;
    case 1011: return titleCheck_;
    case 1012: return titleEdit_;
    case 1013: return titleApply_;
    case 1014: return lock_;
    case 1015: return unlock_;
    case 1016: return lockApply_;
    case 1017: return caption_;
    case 1018: return explanation_;
    case 1019: return group_;
    case 1020: return line_;
    case 1021: return close_;
    default: return nullptr;
    }
}

void CDialogIERestore::Layout() {
    caption_->setGeometry(8, 4, 200, 18);
    explanation_->setGeometry(12, 24, 470, 56);
    group_->setGeometry(12, 80, 470, 190);
    homeCheck_->setGeometry(22, 100, 400, 18);
    homeEdit_->setGeometry(40, 120, 350, 21);
    homeApply_->setGeometry(400, 118, 73, 25);
    titleCheck_->setGeometry(22, 150, 400, 18);
    titleEdit_->setGeometry(40, 170, 350, 21);
    titleApply_->setGeometry(400, 168, 73, 25);
    lock_->setGeometry(22, 220, 170, 18);
    unlock_->setGeometry(200, 220, 180, 18);
    lockApply_->setGeometry(400, 218, 73, 25);
    line_->setGeometry(0, 280, 500, 2);
    close_->setGeometry(400, 290, 73, 25);
    group_->lower();
}

void CDialogIERestore::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layoutReady_) Layout();
}

void CDialogIERestore::keyPressEvent(QKeyEvent* event) {
    // Enter does not close the dialog; Escape does (the default handling).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);
}
