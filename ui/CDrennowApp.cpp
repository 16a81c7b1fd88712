#include "ui/CDrennowApp.h"

#include <QDesktopServices>
#include <QMessageBox>

#include "platform/wine/WinePrefix.h"
#include "ui/CDrennowDoc.h"
#include "ui/CDrennowView.h"
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

bool CDrennowApp::TryOpen(const ui::PrefixChoice& choice, QString& error) {
    QString dir = choice.dir;
    if (choice.demo) {
        // The shipped demo never changes: the program works on a fresh copy.
        demoCopy_ = std::make_unique<QTemporaryDir>();
        if (!demoCopy_->isValid()) {
            error = "Cannot create a temporary folder for the demo prefix.";
            return false;
        }
        dir = demoCopy_->filePath("demo-prefix");
        if (!ui::CopyPrefix(choice.dir, dir, error)) return false;
    }
    platform::Status status;
    machine_ = platform::wine::OpenPrefix(dir.toStdString(), status);
    if (!machine_) error = QString::fromStdString(status.message);
    return machine_ != nullptr;
}

bool CDrennowApp::OpenMachine(ui::PrefixChoice choice) {
    for (;;) {
        QString error;
        if (TryOpen(choice, error)) return true;
        if (choice.demo) {
            // The bundled copy is damaged: there is nothing better to offer.
            Report(error);
            return false;
        }
        const ui::PrefixOffer offer = prefixProblem_ ? prefixProblem_(choice.dir, error)
                                                     : ui::AskForAnotherPrefix(choice.dir, error);
        switch (offer.action) {
            case ui::PrefixOffer::Action::OpenFolder: choice = {offer.dir, false, {}}; break;
            case ui::PrefixOffer::Action::OpenDemo:
                choice = {ui::DemoPrefixSource(), true, {}};
                if (choice.dir.isEmpty()) {
                    Report("The bundled demo prefix cannot be found.");
                    return false;
                }
                break;
            case ui::PrefixOffer::Action::Quit: return false;
        }
    }
}

bool CDrennowApp::InitInstance(const QStringList& arguments) {
    ExitInstance();
    const ui::PrefixChoice choice =
        ui::ChoosePrefix(arguments, QProcessEnvironment::systemEnvironment());
    usageError_ = !choice.error.isEmpty();
    if (usageError_) {
        Report(choice.error);
        return false;
    }
    if (!OpenMachine(choice)) return false;

    document_ = std::make_unique<CDrennowDoc>();
    document_->OnNewDocument();
    frame_ = std::make_unique<CMainFrame>();
    frame_->WatchMachine(machine_.get());
    frame_->SetView(viewFactory_ ? viewFactory_(*this) : new CDrennowView(*machine_));
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
