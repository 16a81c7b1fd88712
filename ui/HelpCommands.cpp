#include "ui/HelpCommands.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QShortcut>

#include "platform/DataFiles.h"
#include "ui/CDialogAbout.h"
#include "ui/CDrennowApp.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

namespace ui {
namespace {

void Open(const QUrl& url) {
    // The result is not checked: with no browser or mail program nothing happens.
    if (CDrennowApp* app = CDrennowApp::Instance()) app->OpenUrl(url);
    else QDesktopServices::openUrl(url);
}

}  // namespace

QString ManualPath() {
    return QString::fromStdString(platform::SharedDataFile("manual.html").string());
}

QUrl HomePageUrl() { return QUrl(QString::fromLatin1(text::kWebSite)); }

QUrl SupportMailUrl() {
    return QUrl(QStringLiteral("mailto:") + QString::fromLatin1(text::kSupportMail));
}

void OpenUserManual(QWidget* parent) {
    const QString path = ManualPath();
    if (path.isEmpty()) {
        QMessageBox::information(parent, text::kInformation, text::kManualMissing);
        return;
    }
    Open(QUrl::fromLocalFile(path));
}

void AddManualShortcut(QWidget* window) {
    // A shortcut of the window itself: an application-wide one does not reach a modal
    // dialog, which blocks the main window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
    help->setContext(Qt::WindowShortcut);
    QObject::connect(help, &QShortcut::activated, window, [window] { OpenUserManual(window); });
}

void OpenHomePage() { Open(HomePageUrl()); }

void OpenSupportMail() { Open(SupportMailUrl()); }

void ShowAboutBox(QWidget* parent) {
    CDialogAbout about(parent);
    about.exec();
}

bool RunHelpCommand(int id, QWidget* parent) {
    switch (id) {
        case res::kCmdUserManual: OpenUserManual(parent); return true;
        case res::kCmdAbout: ShowAboutBox(parent); return true;
        case res::kCmdHomePage: OpenHomePage(); return true;
        default: return false;
    }
}

}  // namespace ui
