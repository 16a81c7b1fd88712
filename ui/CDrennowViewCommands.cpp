// What the main view's commands open: the two popup menus, built from the logic's items, the
// dialogs, the help addresses and the prefix choice.
#include <QMenu>

#include "ui/CButtonEx.h"
#include "ui/CDialogCleanRestore.h"
#include "ui/CDialogIERestore.h"
#include "ui/CDialogIgnoredEntries.h"
#include "ui/CDrennowView.h"
#include "ui/HelpCommands.h"

std::unique_ptr<QMenu> CDrennowView::BuildMenu(std::span<const ui::shared::MenuItem> items) {
    auto menu = std::make_unique<QMenu>(this);
    for (const ui::shared::MenuItem& item : items) {
        if (item.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.text);
        action->setData(item.command);
        action->setEnabled(item.enabled);
    }
    return menu;
}

std::unique_ptr<QMenu> CDrennowView::BuildPopupMenu(int buttonId) {
    return BuildMenu(logic_.MenuItems(buttonId));
}

int CDrennowView::RunPopupMenu(int buttonId, std::span<const ui::shared::MenuItem> items) {
    const QWidget* button = Button(buttonId);
    const std::unique_ptr<QMenu> menu = BuildMenu(items);
    // Under the button, left-aligned with it.
    const QAction* chosen =
        menu->exec(mapToGlobal(QPoint(button->x(), button->y() + button->height())));
    return chosen ? chosen->data().toInt() : 0;
}

void CDrennowView::RunDialog(ui::shared::Dialog dialog) {
    switch (dialog) {
    case ui::shared::Dialog::CleanRestore: {
        CDialogCleanRestore window(services_, host_, this, links_.openUrl);
        window.exec();
        return;
    }
    case ui::shared::Dialog::IERestore: {
        CDialogIERestore window(services_, host_, this, links_.openUrl);
        window.exec();
        return;
    }
    case ui::shared::Dialog::IgnoredEntries: {
        CDialogIgnoredEntries window(services_, host_, this, links_.openUrl);
        window.exec();
        return;
    }
    case ui::shared::Dialog::About: ui::ShowAboutBox(this, links_.openUrl); return;
    }
}

void CDrennowView::OpenAddress(ui::shared::Address address) {
    switch (address) {
    case ui::shared::Address::UserManual: ui::OpenUserManual(this, links_.openUrl); return;
    case ui::shared::Address::HomePage: ui::OpenHomePage(links_.openUrl); return;
    }
}

void CDrennowView::ChoosePrefix() {
    if (links_.choosePrefix) links_.choosePrefix();
}
