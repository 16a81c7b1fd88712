#pragma once
// The Choose Prefix dialog: the prefixes found on the computer (name, kind, path, whether
// their wineserver runs, and the owner of another user's), plus another folder or the demo
// prefix. Laid out as Clean Restore.
#include <QDialog>
#include <functional>

#include "platform/discovery/Discovery.h"
#include "ui/PrefixChoice.h"

class CStaticGradient;
class QFrame;
class QPushButton;
class QTreeWidget;

class CDialogChoosePrefix : public QDialog {
    Q_OBJECT
public:
    // Asks for a folder; empty when cancelled. A folder dialog unless replaced (tests).
    using FolderAsker = std::function<QString()>;

    explicit CDialogChoosePrefix(const platform::discovery::Discovery& found,
                                 QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* OtherFolderButton() const { return other_; }
    QPushButton* DemoButton() const { return demo_; }
    QPushButton* CancelButton() const { return cancel_; }
    void SetFolderAsker(FolderAsker asker) { askFolder_ = std::move(asker); }

    // What was chosen once the dialog is closed: Quit when cancelled.
    ui::PrefixOffer Choice() const { return choice_; }

private:
    void Choose(ui::PrefixOffer choice);

    std::vector<std::string> paths_;  // per row
    ui::PrefixOffer choice_;
    FolderAsker askFolder_;
    CStaticGradient* caption_ = nullptr;  // owned by the dialog as Qt children
    QTreeWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* other_ = nullptr;
    QPushButton* demo_ = nullptr;
    QFrame* line_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
