#include "ui/HelpCommands.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QShortcut>

#include "platform/DataFiles.h"
#include "ui/CDialogAbout.h"
#include "ui/res/Strings.h"
#include "ui/shared/Addresses.h"

namespace ui {

bool OpenUrl(const UrlOpener& open, const QUrl& url) {
    return open ? open(url) : QDesktopServices::openUrl(url);
}

QString ManualPath() {
    return QString::fromStdString(platform::SharedDataFile("manual.html").string());
}

QUrl HomePageUrl() { return QUrl(QString::fromStdString(shared::HomePageAddress())); }

QUrl SupportMailUrl() { return QUrl(QString::fromStdString(shared::SupportMailAddress())); }

// The results of the openings are not checked: with no browser or mail program nothing
// happens.
void OpenUserManual(QWidget* parent, const UrlOpener& open) {
    const QString path = ManualPath();
    if (path.isEmpty()) {
        QMessageBox::information(parent, text::kInformation, text::kManualMissing);
        return;
    }
    OpenUrl(open, QUrl::fromLocalFile(path));
}

void AddManualShortcut(QWidget* window, UrlOpener open) {
    // A shortcut of the window itself: an application-wide one does not reach a modal
    // dialog, which blocks the main window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), window);
    help->setContext(Qt::WindowShortcut);
    QObject::connect(help, &QShortcut::activated, window,
                     [window, open = std::move(open)] { OpenUserManual(window, open); });
}

void OpenHomePage(const UrlOpener& open) { OpenUrl(open, HomePageUrl()); }

void OpenSupportMail(const UrlOpener& open) { OpenUrl(open, SupportMailUrl()); }

void ShowAboutBox(QWidget* parent, const UrlOpener& open) {
    CDialogAbout about(open, parent);
    about.exec();
}

}  // namespace ui
