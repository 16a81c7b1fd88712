#include "ui/CDialogIgnoredEntries.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

#include "engine/RootNames.h"
#include "ui/AnsiText.h"
#include "ui/CStaticGradient.h"
#include "ui/DesktopWindow.h"
#include "ui/Fonts.h"
#include "ui/RowList.h"
#include "ui/res/IgnoreStrings.h"
#include "ui/res/Strings.h"

namespace {

QString KeyText(const engine::IgnoreEntry& entry) {
    if (entry.kind == engine::IgnoreKind::Shortcut) return QString::fromStdU16String(entry.path);
    QString text = ui::FromAnsi(std::string(engine::RootName(entry.root)));
    if (!entry.path.empty()) text += '\\' + QString::fromStdU16String(entry.path);
    return text;
}

QString NameText(const engine::IgnoreEntry& entry) {
    switch (entry.kind) {
    case engine::IgnoreKind::Value:
        return entry.name.empty() ? QString(ui::text::kIgnoredDefaultValue)
                                  : QString::fromStdU16String(entry.name);
    case engine::IgnoreKind::Key: return ui::text::kIgnoredWholeKey;
    case engine::IgnoreKind::Shortcut: return ui::text::kIgnoredShortcut;
    }
    return {};
}

}  // namespace

CDialogIgnoredEntries::CDialogIgnoredEntries(platform::Services& services, engine::Host& host,
                                             QWidget* parent, ui::UrlOpener open)
    : QDialog(parent), services_(services), host_(host), open_(std::move(open)) {
    setWindowTitle(ui::text::kIgnoredEntriesCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ui::AddManualShortcut(this, open_);
    setFont(ui::DialogFont());

    caption_ = new CStaticGradient(this);
    caption_->setText(ui::text::kIgnoredEntriesHeading);
    list_ = ui::MakeRowList(this, {ui::text::kColumnIgnoredSection, ui::text::kColumnIgnoredKey,
                                   ui::text::kColumnIgnoredName});
    list_->header()->setStretchLastSection(true);
    list_->header()->resizeSection(0, 120);
    list_->header()->resizeSection(1, 250);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });

    remove_ = new QPushButton(ui::text::kButtonRemove, this);
    removeAll_ = new QPushButton(ui::text::kButtonRemoveAll, this);
    line_ = new QFrame(this);
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    close_ = new QPushButton(ui::text::kButtonClose, this);
    close_->setDefault(true);
    connect(remove_, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(removeAll_, &QPushButton::clicked, this, [this] { OnRemoveAll(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    // The places of the Clean Restore dialog, the list and the dialog wider for the keys.
    setFixedSize(620, 350);
    caption_->setGeometry(12, 6, 250, 18);
    list_->setGeometry(12, 30, 505, 240);
    remove_->setGeometry(527, 30, 80, 25);
    removeAll_->setGeometry(527, 70, 80, 25);
    line_->setGeometry(0, 280, 620, 2);
    close_->setGeometry(527, 290, 80, 25);

    if (const platform::Status read = repair::ReadIgnoreFile(services_, contents_); !read.ok())
        host_.MessageBox(read.message, ui::text::kIgnoredEntriesCaption, engine::Icon::Error);
    FillList();
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

void CDialogIgnoredEntries::reject() {}

void CDialogIgnoredEntries::FillList() {
    list_->clear();
    for (const engine::IgnoreEntry& entry : contents_.entries) {
        const QString section =
            entry.section > 0 ? engine::SectionByNumber(entry.section).name : "-";
        new QTreeWidgetItem(list_, {section, KeyText(entry), NameText(entry)});
    }
    UpdateButtons();
}

int CDialogIgnoredEntries::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
}

void CDialogIgnoredEntries::UpdateButtons() {
    remove_->setEnabled(SelectedRow() >= 0);
    removeAll_->setEnabled(!contents_.entries.empty());
}

void CDialogIgnoredEntries::Change(const std::function<bool(repair::IgnoreFileContents&)>& change) {
    repair::IgnoreFileContents written;
    const platform::Status status = repair::UpdateIgnoreFile(services_, change, &written);
    if (!status.ok()) {
        host_.MessageBox(status.message, ui::text::kIgnoredEntriesCaption, engine::Icon::Error);
        return;
    }
    contents_ = std::move(written);
    FillList();
}

void CDialogIgnoredEntries::OnRemove() {
    const int row = SelectedRow();
    if (row < 0) return;
    // By what it names, not by its place: another Drennow may have changed the list since.
    const engine::IgnoreEntry chosen = contents_.entries.at(static_cast<std::size_t>(row));
    Change([&chosen](repair::IgnoreFileContents& contents) {
        auto& entries = contents.entries;
        const auto at = std::find_if(entries.begin(), entries.end(), [&chosen](const auto& e) {
            return engine::SameTarget(e, chosen);
        });
        if (at == entries.end()) return false;
        entries.erase(at);
        return true;
    });
}

void CDialogIgnoredEntries::OnRemoveAll() {
    if (host_.MessageBox(ui::text::kRemoveAllQuestion, ui::text::kIgnoredEntriesCaption,
                         {engine::Buttons::YesNo, engine::Icon::Question}) != engine::Answer::Yes)
        return;
    Change([](repair::IgnoreFileContents& contents) {
        const bool any = !contents.entries.empty();
        contents.entries.clear();
        return any;
    });
}
