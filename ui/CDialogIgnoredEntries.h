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

class CStaticGradient;
class QFrame;
class QPushButton;
class QTreeWidget;

class CDialogIgnoredEntries : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIdEntryList = 1000;
    static constexpr int kIdRemove = 1001;
    static constexpr int kIdRemoveAll = 1002;
    static constexpr int kIdCaption = 1003;
    static constexpr int kIdSeparator = 1004;
    static constexpr int kIdClose = 1006;

    CDialogIgnoredEntries(platform::Services& services, engine::Host& host,
                          QWidget* parent = nullptr, ui::UrlOpener open = {});

    // Controls by id; null for any other id.
    QWidget* Control(int id) const;
    const repair::IgnoreFileContents& Contents() const { return contents_; }

    // Does nothing: Escape and closing the window leave the dialog open.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillList();
    int SelectedRow() const;
    void UpdateButtons();
    // Changes the list on disk under its lock and shows what it holds then.
    void Change(const std::function<bool(repair::IgnoreFileContents&)>& change);
    void OnRemove();
    void OnRemoveAll();

    platform::Services& services_;
    engine::Host& host_;
    ui::UrlOpener open_;
    repair::IgnoreFileContents contents_;
    CStaticGradient* caption_;
    QTreeWidget* list_;
    QPushButton* remove_;
    QPushButton* removeAll_;
    QFrame* line_;
    QPushButton* close_;
};
