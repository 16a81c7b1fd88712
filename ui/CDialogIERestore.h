#pragma once
// The IE Restore dialog: the browser's start page and window title, and the registry
// editor's policy lock, each written when its Apply button is pressed.
#include <QDialog>

#include "engine/Host.h"
#include "platform/Services.h"
#include "ui/HelpCommands.h"
#include "ui/WidgetFace.h"
#include "ui/shared/IERestore.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QLabel;
class QFrame;
class QGroupBox;
class CStaticGradient;

class CDialogIERestore : public QDialog {
    Q_OBJECT
public:
    // F1 opens the manual through `open`.
    CDialogIERestore(platform::Services& services, engine::Host& host, QWidget* parent = nullptr,
                     ui::UrlOpener open = {});

    // Controls by id (1008 to 1021); null for any other id.
    QWidget* Control(int id) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Layout();

    ui::WidgetFace<> face_;
    ui::shared::IERestoreLogic logic_;
    bool layoutReady_ = false;
    CStaticGradient* caption_;
    QLabel* explanation_;
    QGroupBox* group_;
    QCheckBox* homeCheck_;
    QLineEdit* homeEdit_;
    QPushButton* homeApply_;
    QCheckBox* titleCheck_;
    QLineEdit* titleEdit_;
    QPushButton* titleApply_;
    QRadioButton* lock_;
    QRadioButton* unlock_;
    QPushButton* lockApply_;
    QFrame* line_;
    QPushButton* close_;
};
