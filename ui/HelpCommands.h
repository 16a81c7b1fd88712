#pragma once
// Opening what the help commands and links ask for: the user manual, the About box, the
// maker's web site and mail address (ui/shared/Addresses.h), with the desktop's programs.
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace ui {

// The manual (share/drennow/manual.html beside the program's folder); empty when none.
QString ManualPath();
QUrl HomePageUrl();
QUrl SupportMailUrl();

// Opens an address in the desktop's browser, mail program or viewer. The application hands
// its own down to the windows (tests record the addresses instead); an empty one is
// QDesktopServices. When nothing handles the address, nothing happens.
using UrlOpener = std::function<bool(const QUrl& url)>;
bool OpenUrl(const UrlOpener& open, const QUrl& url);

void OpenUserManual(QWidget* parent, const UrlOpener& open);
void OpenHomePage(const UrlOpener& open);
void OpenSupportMail(const UrlOpener& open);
// F1 in `window` (the main window or one of the dialogs) opens the manual.
void AddManualShortcut(QWidget* window, UrlOpener open);
// Runs the About box modally.
void ShowAboutBox(QWidget* parent, const UrlOpener& open);

}  // namespace ui
