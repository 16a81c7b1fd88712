#include "ui/CDialogAbout.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>
#include <QPushButton>

#include "ui/KeyboardFocus.h"
#include "ui/CStaticLink.h"
#include "ui/DialogUnits.h"
#include "ui/Fonts.h"
#include "ui/HelpCommands.h"
#include "ui/Pictures.h"
#include "ui/res/Layouts.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

namespace {

QLabel* Static(QWidget* parent, int id, const QString& text, const QRect& units) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(ui::DluRect(units.x(), units.y(), units.width(), units.height()));
    return label;
}

CStaticLink* Link(QWidget* parent, int id, const QString& text, const QRect& units,
                  const QFont& font) {
    auto* link = new CStaticLink(parent);
    link->setObjectName(QString::number(id));
    link->setText(text);
    link->SetNotify(true);
    // Tall enough for the link font with its underline, which an 8-unit row would clip.
    QRect area = ui::DluRect(units.x(), units.y(), units.width(), units.height());
    area.setHeight(std::max(area.height(), QFontMetrics(font).height() + 1));
    link->setGeometry(area);
    link->SetColor(QColor(0, 0, 255));
    link->SetFontStyle(&font, 1, 0);
    link->SetLinkActive(true);
    return link;
}

}  // namespace

CDialogAbout::CDialogAbout(ui::UrlOpener open, QWidget* parent)
    : QDialog(parent), dialogFont_(ui::UiFont(15, 400, 5)) {
    setObjectName(QString::number(ui::res::kDialogAbout));
    setWindowTitle(ui::res::kAboutDialog.caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    // The template's own font, "MS Shell Dlg" 8 pt: 13 pixels high.
    setFont(ui::DialogFont());
    setFixedSize(ui::DluToPixelsX(ui::res::kAboutDialog.width),
                 ui::DluToPixelsY(ui::res::kAboutDialog.height));

    for (const ui::res::ControlTemplate& control : ui::res::kAboutControls) {
        const QRect units(control.x, control.y, control.width, control.height);
        switch (control.kind) {
        case ui::res::ControlKind::Icon:
            Static(this, control.id, QString(), units)
                ->setPixmap(ui::ApplicationIcon().pixmap(32, 32));
            break;
        case ui::res::ControlKind::Text: Static(this, control.id, control.text, units); break;
        case ui::res::ControlKind::Link: {
            CStaticLink* link = Link(this, control.id, control.text, units, dialogFont_);
            (control.id == ui::res::kAboutWebLink ? webLink_ : mailLink_) = link;
            break;
        }
        case ui::res::ControlKind::DefaultButton:
            ok_ = new QPushButton(control.text, this);
            ok_->setObjectName(QString::number(control.id));
            ok_->setDefault(true);
            ok_->setGeometry(ui::DluRect(control.x, control.y, control.width, control.height));
            break;
        default: break;  // kinds the About box has none of
        }
    }
    connect(webLink_, &CStaticLink::clicked, this, [open] { ui::OpenHomePage(open); });
    connect(mailLink_, &CStaticLink::clicked, this, [open] { ui::OpenSupportMail(open); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ui::KeepArrowKeysOffButtons(this);
}
