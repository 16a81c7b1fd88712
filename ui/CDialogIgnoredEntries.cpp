#include "ui/CDialogIgnoredEntries.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/CStaticGradient.h"
#include "ui/DesktopWindow.h"
#include "ui/Fonts.h"
#include "ui/RowList.h"
#include "ui/res/Layouts.h"

namespace res = ui::res;

CDialogIgnoredEntries::CDialogIgnoredEntries(platform::Services& services, engine::Host& host,
                                             QWidget* parent, ui::UrlOpener open)
    : QDialog(parent), open_(std::move(open)), face_([this](int id) { return Control(id); }),
      logic_(services, host, face_) {
    setWindowTitle(res::kIgnoredDialog.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui::AddManualShortcut(this, open_);
    setFont(ui::DialogFont());

    auto text = [](int id) { return res::FindControl(res::kIgnoredDialog, id)->text; };
    caption_ = new CStaticGradient(this);
    caption_->setText(text(kIdCaption));
    list_ = ui::MakeRowList(this, res::kIgnoredColumns);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { logic_.OnChosen(); });

    remove_ = new QPushButton(text(kIdRemove), this);
    removeAll_ = new QPushButton(text(kIdRemoveAll), this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    close_ = new QPushButton(text(kIdClose), this);
    close_->setDefault(true);
    for (const int id : {kIdRemove, kIdRemoveAll, kIdClose})
        connect(static_cast<QPushButton*>(Control(id)), &QPushButton::clicked, this, [this, id] {
            if (logic_.Command(id)) accept();
        });

    setFixedSize(res::kIgnoredDialog.pixels.width, res::kIgnoredDialog.pixels.height);
    ui::PlaceControls(res::kIgnoredDialog, [this](int id) { return Control(id); });
    logic_.Start();
}

void CDialogIgnoredEntries::showEvent(QShowEvent* event) {
    ui::RemoveWindowFunctions(this);
    QDialog::showEvent(event);
}

QWidget* CDialogIgnoredEntries::Control(int id) const {
    switch (id) {
    case kIdEntryList: return list_;
    case kIdRemove: return remove_;
    case kIdRemoveAll: return removeAll_;
    case kIdCaption: return caption_;
    case kIdSeparator: return line_;
    case kIdClose: return close_;
    default: return nullptr;
    }
}

void CDialogIgnoredEntries::reject() {
    if (logic_.Command(res::kEscapeKey)) QDialog::reject();
}
