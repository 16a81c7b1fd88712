#pragma once
// The list the dialogs show their rows in: flat, one whole row chosen at a time, read-only.
#include <QHeaderView>
#include <QStringList>
#include <QTreeWidget>

namespace ui {

inline QTreeWidget* MakeRowList(QWidget* parent, const QStringList& headers) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnCount(static_cast<int>(headers.size()));
    list->setHeaderLabels(headers);
    list->header()->setSectionsMovable(false);
    return list;
}

}  // namespace ui
