#include "ui/CDrennowApp.h"

#include <QDesktopServices>
#include <QMessageBox>

#include "platform/wine/WinePrefix.h"
#include "ui/CDrennowDoc.h"
#include "ui/CMainFrame.h"
#include "ui/Pictures.h"
#include "ui/PrefixChoice.h"
#include "ui/res/Strings.h"

CDrennowApp::CDrennowApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(ui::text::kAppName);
    setApplicationVersion(ui::text::kVersion);
    setOrganizationName(ui::text::kMakerName);
    // No display name: the platform would append it to every window title.
    setWindowIcon(ui::ApplicationIcon());
}

CDrennowApp::~CDrennowApp() { ExitInstance(); }

CDrennowApp* CDrennowApp::Instance() { return qobject_cast<CDrennowApp*>(instance()); }

void CDrennowApp::Report(const QString& message) {
    if (errorReporter_) errorReporter_(message);
    else QMessageBox::critical(nullptr, ui::text::kAppName, message);
}

bool CDrennowApp::OpenUrl(const QUrl& url) {
    return urlOpener_ ? urlOpener_(url) : QDesktopServices::openUrl(url);
}

bool CDrennowApp::InitInstance(const QStringList& arguments) {
    ExitInstance();
    const ui::PrefixChoice choice =
        ui::ChoosePrefix(arguments, QProcessEnvironment::systemEnvironment());
    if (!choice.error.isEmpty()) {
        Report(choice.error);
        return false;
    }
    QString dir = choice.dir;
    if (choice.demo) {
        // The shipped demo never changes: the program works on a fresh copy.
        demoCopy_ = std::make_unique<QTemporaryDir>();
        QString error;
        if (!demoCopy_->isValid()) {
            Report("Cannot create a temporary folder for the demo prefix.");
            return false;
        }
        dir = demoCopy_->filePath("demo-prefix");
        if (!ui::CopyPrefix(choice.dir, dir, error)) {
            Report(error);
            return false;
        }
    }
    platform::Status status;
    machine_ = platform::wine::OpenPrefix(dir.toStdString(), status);
    if (!machine_) {
        Report(QString::fromStdString(status.message));
        return false;
    }

    document_ = std::make_unique<CDrennowDoc>();
    document_->OnNewDocument();
    frame_ = std::make_unique<CMainFrame>();
    QWidget* view = viewFactory_ ? viewFactory_(*this) : nullptr;
    if (!view) {
        view = new QWidget;
        view->setAutoFillBackground(true);
        QPalette colours = view->palette();
        colours.setColor(QPalette::Window, Qt::white);
        view->setPalette(colours);
    }
    frame_->SetView(view);
    // The frame opens maximised; restoring it gives the centred 780 x 570 window.
    frame_->showMaximized();
    return true;
}

void CDrennowApp::ExitInstance() {
    frame_.reset();
    document_.reset();
    machine_.reset();
    demoCopy_.reset();
}
