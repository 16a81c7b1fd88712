#pragma once
// The About box (dialog 100): version, the maker's line, and the web and mail links.
#include <QDialog>
#include <QFont>

#include "ui/HelpCommands.h"

class CStaticLink;
class QLabel;
class QPushButton;

class CDialogAbout : public QDialog {
    Q_OBJECT
public:
    // The links open through `open`.
    explicit CDialogAbout(ui::UrlOpener open = {}, QWidget* parent = nullptr);

    CStaticLink* WebLink() const { return webLink_; }
    CStaticLink* MailLink() const { return mailLink_; }
    QPushButton* OkButton() const { return ok_; }

private:
    QFont dialogFont_;
    CStaticLink* webLink_ = nullptr;  // owned by the dialog as Qt children
    CStaticLink* mailLink_ = nullptr;
    QPushButton* ok_ = nullptr;
};
