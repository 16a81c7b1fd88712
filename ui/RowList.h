#pragma once
// The list the dialogs show their rows in: flat, one whole row chosen at a time, read-only.
#include <QHeaderView>
#include <QStringList>
#include <QTreeWidget>

#include <span>

#include "ui/res/Layouts.h"

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

// A row list with the template's columns: their titles, widths (the last one, when its width
// is 0, fills the rest) and alignment.
inline QTreeWidget* MakeRowList(QWidget* parent, std::span<const res::ListColumn> columns) {
    QStringList titles;
    for (const res::ListColumn& column : columns) titles << column.title;
    QTreeWidget* list = MakeRowList(parent, titles);
    list->header()->setStretchLastSection(!columns.empty() && columns.back().width == 0);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const res::ListColumn& column = columns[static_cast<std::size_t>(i)];
        if (column.width > 0) list->header()->resizeSection(i, column.width);
        if (column.right)
            list->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    return list;
}

}  // namespace ui
