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
    setWindowTitle(ui::text::kAboutCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    // The template's own font, "MS Shell Dlg" 8 pt: 13 pixels high.
    setFont(ui::DialogFont());
    setFixedSize(ui::DluToPixelsX(kWidthUnits), ui::DluToPixelsY(kHeightUnits));

    auto* icon = Static(this, ui::res::kAboutIcon, QString(), QRect(11, 17, 20, 20));
    icon->setPixmap(ui::ApplicationIcon().pixmap(32, 32));
    Static(this, ui::res::kAboutVersion, ui::text::kAboutVersion, QRect(40, 10, 188, 8));
    Static(this, ui::res::kAboutMakerLine, ui::text::kAboutMakerLine, QRect(40, 25, 188, 8));
    webLink_ =
        Link(this, ui::res::kAboutWebLink, ui::text::kWebSite, QRect(40, 42, 188, 8), dialogFont_);
    mailLink_ = Link(this, ui::res::kAboutMailLink, ui::text::kSupportMail, QRect(40, 58, 188, 8),
                     dialogFont_);
    connect(webLink_, &CStaticLink::clicked, this, [open] { ui::OpenHomePage(open); });
    connect(mailLink_, &CStaticLink::clicked, this, [open] { ui::OpenSupportMail(open); });

    ok_ = new QPushButton(ui::text::kOk, this);
    ok_->setObjectName("1");
    ok_->setDefault(true);
    ok_->setGeometry(ui::DluRect(96, 83, 50, 16));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ui::KeepArrowKeysOffButtons(this);
}
