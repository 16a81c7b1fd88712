#pragma once
// The help commands: the user manual, the About box, the maker's web site and mail address.
#include <QString>
#include <QUrl>

class QWidget;

namespace ui {

// The manual (share/drennow/manual.html beside the program's folder); empty when none.
QString ManualPath();
QUrl HomePageUrl();
QUrl SupportMailUrl();

// Each opens through QDesktopServices; when nothing handles the address, nothing happens.
void OpenUserManual(QWidget* parent);
void OpenHomePage();
void OpenSupportMail();
// F1 in `window` (the main window or one of the dialogs) opens the manual.
void AddManualShortcut(QWidget* window);
// Runs the About box modally.
void ShowAboutBox(QWidget* parent);

// Runs the help command with this id (9 User Manual, 148 About, 57664 home page); false for
// any other id.
bool RunHelpCommand(int id, QWidget* parent);

}  // namespace ui
