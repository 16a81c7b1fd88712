#include "ui/WidgetFace.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include <memory>

namespace ui {

QRect PixelRect(const res::Place& place) { return {place.x, place.y, place.width, place.height}; }

void PlaceControls(const res::DialogTemplate& dialog, const std::function<QWidget*(int)>& control) {
    for (const res::ControlTemplate& item : dialog.controls)
        if (QWidget* widget = control(item.id)) widget->setGeometry(PixelRect(item.pixels));
}

}  // namespace ui

namespace ui::widget_face {

void Enable(QWidget* control, bool enabled) { control->setEnabled(enabled); }

void Show(QWidget* control, bool shown) { control->setVisible(shown); }

bool Checked(const QWidget* control) {
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    return button && button->isChecked();
}

void Check(QWidget* control, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setChecked(checked);
}

std::u16string Text(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text().toStdU16String();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text().toStdU16String();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text().toStdU16String();
    return {};
}

void SetText(QWidget* control, const std::u16string& text) {
    const QString shown = QString::fromStdU16String(text);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(shown);
    if (auto* label = qobject_cast<QLabel*>(control)) label->setText(shown);
}

void LimitText(QWidget* control, int characters) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setMaxLength(characters);
}

int SelectedRow(const QWidget* control) {
    const auto* list = qobject_cast<const QTreeWidget*>(control);
    if (!list) return -1;
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

void SetRows(QWidget* control, const std::vector<shared::Row>& rows) {
    auto* list = qobject_cast<QTreeWidget*>(control);
    if (!list) return;
    list->clear();
    for (const shared::Row& row : rows) {
        QStringList texts;
        for (const std::u16string& text : row) texts << QString::fromStdU16String(text);
        auto* item = new QTreeWidgetItem(list, texts);
        for (int column = 0; column < texts.size(); ++column) {
            const int alignment = list->headerItem()->textAlignment(column);
            if (alignment & Qt::AlignRight)
                item->setTextAlignment(column,
                                       Qt::Alignment::fromInt(static_cast<unsigned>(alignment)));
        }
    }
}

void RemoveRow(QWidget* control, int row) {
    auto* list = qobject_cast<QTreeWidget*>(control);
    if (!list) return;
    // Cleared first: Qt would choose a neighbour of the removed row, a list view chooses none.
    list->selectionModel()->clear();
    std::unique_ptr<QTreeWidgetItem> removed(list->takeTopLevelItem(row));
}

}  // namespace ui::widget_face
