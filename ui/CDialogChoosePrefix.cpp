#include "ui/CDialogChoosePrefix.h"

#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/DialogUnits.h"
#include "ui/KeyboardFocus.h"
#include "ui/CStaticGradient.h"
#include "ui/Fonts.h"
#include "ui/RowList.h"
#include "ui/res/ChoosePrefixStrings.h"
#include "ui/res/Strings.h"
#include "ui/Index.h"

namespace discovery = platform::discovery;

CDialogChoosePrefix::CDialogChoosePrefix(const discovery::Discovery& found, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ui::text::kChoosePrefixCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFont(ui::DialogFont());
    askFolder_ = [this] {
        return QFileDialog::getExistingDirectory(this, ui::text::kChooseFolderCaption,
                                                 QDir::homePath());
    };

    caption_ = new CStaticGradient(this);
    caption_->setText(ui::text::kChoosePrefixHeading);
    list_ = ui::MakeRowList(this, {ui::text::kColumnPrefixName, ui::text::kColumnPrefixKind,
                                   ui::text::kColumnPrefixPath, ui::text::kColumnPrefixServer,
                                   ui::text::kColumnPrefixOwner});
    // The path takes what the name, the kind and the marks leave, shortened in the middle (its
    // tooltip is whole); the marks' columns are as wide as their headings or owners.
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->header()->setStretchLastSection(false);
    list_->header()->resizeSection(0, 160);
    list_->header()->resizeSection(1, 70);
    list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(4, QHeaderView::ResizeToContents);
    for (const discovery::FoundPrefix& prefix : found.prefixes) {
        // Only another user's prefix names its owner, the one who may repair it.
        const QString owner = prefix.yours ? QString() : QString::fromStdString(prefix.owner);
        auto* item = new QTreeWidgetItem(
            list_, {QString::fromStdString(prefix.name),
                    QString::fromStdString(std::string(KindName(prefix.kind))),
                    QString::fromStdString(prefix.path),
                    prefix.serverRunning ? ui::text::kServerRuns : QString(), owner});
        item->setToolTip(2, item->text(2));
        if (!prefix.yours) item->setToolTip(4, QString(ui::text::kOwnerTip).arg(owner));
        paths_.push_back(prefix.path);
    }

    open_ = new QPushButton(ui::text::kButtonOpenPrefix, this);
    other_ = new QPushButton(ui::text::kButtonOtherFolder, this);
    demo_ = new QPushButton(ui::text::kButtonDemoPrefix, this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    cancel_ = new QPushButton(ui::text::kButtonCancel, this);
    open_->setDefault(true);
    open_->setEnabled(false);

    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { open_->setEnabled(!list_->selectedItems().isEmpty()); });
    auto openChosen = [this] {
        const int row = list_->currentIndex().row();
        if (row >= 0 && row < static_cast<int>(paths_.size()))
            Choose({ui::PrefixOffer::Action::OpenFolder,
                    QString::fromStdString(paths_[ui::Index(row)])});
    };
    connect(open_, &QPushButton::clicked, this, openChosen);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, openChosen);
    connect(other_, &QPushButton::clicked, this, [this] {
        // A cancelled folder dialog leaves this one open.
        if (const QString dir = askFolder_(); !dir.isEmpty())
            Choose({ui::PrefixOffer::Action::OpenFolder, dir});
    });
    connect(demo_, &QPushButton::clicked, this, [this] {
        Choose({ui::PrefixOffer::Action::OpenDemo, {}});
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    if (!paths_.empty()) list_->setCurrentItem(list_->topLevelItem(0));

    // Fixed places, as the program's other dialogs.
    setFixedSize(ui::ClientOfWindow(760, 350));
    caption_->setGeometry(12, 6, 300, 18);
    list_->setGeometry(12, 30, 630, 240);
    open_->setGeometry(655, 30, 83, 25);
    other_->setGeometry(655, 70, 83, 25);
    demo_->setGeometry(655, 110, 83, 25);
    line_->setGeometry(0, 280, width(), 2);
    cancel_->setGeometry(655, 290, 83, 25);
    ui::KeepArrowKeysOffButtons(this);
}

void CDialogChoosePrefix::Choose(ui::PrefixOffer choice) {
    choice_ = std::move(choice);
    accept();
}
