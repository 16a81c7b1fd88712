#pragma once
// The Ignored Entries dialog (Option > Ignored Entries...): the prefix's ignore list with the
// section each entry was ignored from, its key and its value's name, and Remove and Remove
// All. Laid out as the Clean Restore dialog: Escape does not close it and it has no close
// box; Close (or Enter) does.
#include <QDialog>

#include "engine/Host.h"
#include "platform/Services.h"
#include "repair/IgnoreFile.h"
#include "ui/HelpCommands.h"
#include "ui/WidgetFace.h"
#include "ui/res/ResourceIds.h"
#include "ui/shared/IgnoredEntriesDialog.h"

class CStaticGradient;
class QFrame;
class QPushButton;
class QTreeWidget;

class CDialogIgnoredEntries : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdEntryList = ui::res::kIgnoredList;
    static constexpr int kIdRemove = ui::res::kIgnoredRemove;
    static constexpr int kIdRemoveAll = ui::res::kIgnoredRemoveAll;
    static constexpr int kIdCaption = ui::res::kIgnoredCaption;
    static constexpr int kIdSeparator = ui::res::kIgnoredLine;
    static constexpr int kIdClose = ui::res::kIgnoredClose;

    CDialogIgnoredEntries(platform::Services& services, engine::Host& host,
                          QWidget* parent = nullptr, ui::UrlOpener open = {});

    // Controls by id; null for any other id.
    QWidget* Control(int id) const;
    const repair::IgnoreFileContents& Contents() const { return logic_.Contents(); }

    // Does nothing: Escape and closing the window leave the dialog open.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ui::UrlOpener open_;
    ui::WidgetFace<> face_;
    ui::shared::IgnoredEntriesLogic logic_;
    CStaticGradient* caption_;
    QTreeWidget* list_;
    QPushButton* remove_;
    QPushButton* removeAll_;
    QFrame* line_;
    QPushButton* close_;
};
