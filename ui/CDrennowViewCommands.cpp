// The main view's command handler: its buttons and the two popup menus.
#include <QMenu>

#include "repair/RepairCommand.h"
#include "ui/CButtonEx.h"
#include "ui/CDialogCleanRestore.h"
#include "ui/CDialogIERestore.h"
#include "ui/CDrennowView.h"
#include "ui/CListCtrlBlue.h"
#include "ui/HelpCommands.h"
#include "ui/shared/IgnoredEntries.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/ChoosePrefixStrings.h"
#include "ui/res/IgnoreStrings.h"
#include "ui/res/Strings.h"
#include "ui/shared/Screens.h"

namespace res = ui::res;
namespace text = ui::text;

bool CDrennowView::CommandAllowed(int id) const {
    return ui::shared::CommandAllowed(session_.Scanning(), id);
}

void CDrennowView::OnCommand(int id) {
    if (!CommandAllowed(id)) return;
    switch (id) {
    case res::kScanButton:
        if (!ui::shared::ApplyIgnoreList(services_, session_, host_)) return;
        session_.Scan(sectionList_->Rows());
        host_.ShowLabels();
        return;
    case res::kSelectAllBox: ToggleSelectAll(); return;
    case res::kOptionButton:
    case res::kHelpButton: RunPopupMenu(id); return;
    case res::kPauseButton: session_.PauseCommand(); return;
    case res::kCancelScanButton: session_.CancelCommand(); return;
    case res::kRepairAllButton:
        // Refused because Wine wrote the registry since the scan: the user may scan again
        // with the same sections at once.
        if (repair::RepairCommand(session_.Results(), session_.Repair(), services_, host_, true)
                .scanAgain)
            OnCommand(res::kScanButton);
        return;
    case res::kCancelResultButton:
    case res::kReturnButton: ShowScreen(engine::Screen::Choose); return;
    case res::kCmdCleanRestore: RunCleanRestore(); return;
    case res::kCmdIERestore: RunIERestore(); return;
    case res::kCmdIgnoredEntries: RunIgnoredEntries(); return;
    case res::kCmdChoosePrefix:
        if (links_.choosePrefix) links_.choosePrefix();
        return;
    case res::kCmdUserManual:
    case res::kCmdAbout:
    case res::kCmdHomePage: ui::RunHelpCommand(id, this, links_.openUrl); return;
    default: break;
    }
    const int row = id - res::kFirstSectionLink;
    if (row >= 0 && row < kRows && session_.Results().Section(row + 1).Count() > 0)
        ShowSectionProblems(row);
}

std::unique_ptr<QMenu> CDrennowView::BuildPopupMenu(int buttonId) {
    auto menu = std::make_unique<QMenu>(this);
    auto add = [this, &menu](const char* label, int command) {
        QAction* action = menu->addAction(label);
        action->setData(command);
        action->setEnabled(CommandAllowed(command));
    };
    if (buttonId == res::kOptionButton) {
        add(text::kMenuCleanRestore, res::kCmdCleanRestore);
        add(text::kMenuIgnoredEntries, res::kCmdIgnoredEntries);
        menu->addSeparator();
        add(text::kMenuIERestore, res::kCmdIERestore);
        menu->addSeparator();
        add(text::kMenuChoosePrefix, res::kCmdChoosePrefix);
    } else {
        add(text::kMenuUserManual, res::kCmdUserManual);
        menu->addSeparator();
        add(text::kMenuAbout, res::kCmdAbout);
        add(text::kMenuHomePage, res::kCmdHomePage);
    }
    return menu;
}

void CDrennowView::RunPopupMenu(int buttonId) {
    const QWidget* button = Button(buttonId);
    int command = 0;
    {
        const std::unique_ptr<QMenu> menu = BuildPopupMenu(buttonId);
        // Under the button, left-aligned with it.
        if (const QAction* chosen =
                menu->exec(mapToGlobal(QPoint(button->x(), button->y() + button->height()))))
            command = chosen->data().toInt();
    }
    // The chosen item runs once the menu is gone.
    if (command != 0) OnCommand(command);
}

void CDrennowView::RunCleanRestore() {
    CDialogCleanRestore dialog(services_, host_, this, links_.openUrl);
    dialog.exec();
}

void CDrennowView::RunIERestore() {
    CDialogIERestore dialog(services_, host_, this, links_.openUrl);
    dialog.exec();
}
