#include "ui/CDrennowApp.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QTimer>

#include <iostream>

#include "platform/wine/WinePrefix.h"
#include "ui/CDialogChoosePrefix.h"
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

CDrennowApp::~CDrennowApp() {
    ExitInstance();
    if (endSignalRead_ >= 0) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal, SIG_DFL);
        endSignalNotifier_.reset();
        ::close(endSignalRead_);
        ::close(endSignalWrite_);
        endSignalWrite_ = -1;
    }
}

void CDrennowApp::EndOnSignals() {
    if (endSignalRead_ >= 0) return;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) return;
    endSignalWrite_ = ends[0];
    endSignalRead_ = ends[1];
    endSignalNotifier_ = std::make_unique<QSocketNotifier>(endSignalRead_, QSocketNotifier::Read);
    connect(endSignalNotifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(endSignalRead_, &byte, 1) > 0) {
        }
        EndNow();
    });
    struct sigaction action {};
    action.sa_handler = &CDrennowApp::OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

void CDrennowApp::OnEndSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(endSignalWrite_, &byte, 1);
}

void CDrennowApp::EndNow() {
    // A scan's loop is on the stack, and the window refuses to close (which would call off
    // the quit): the scan is cancelled, and the program ends once it has unwound.
    if (ScanRunning()) {
        qobject_cast<CDrennowView*>(frame_->centralWidget())->Session().CancelCommand();
        QTimer::singleShot(10, this, [this] { EndNow(); });
        return;
    }
    quit();
}

void CDrennowApp::Report(const QString& message) {
    if (errorReporter_) errorReporter_(message);
    else QMessageBox::critical(nullptr, ui::text::kAppName, message);
}

void CDrennowApp::Tell(const QString& line) {
    if (terminalWriter_) terminalWriter_(line);
    else std::cerr << "drennow: " << line.toStdString() << '\n';
}

bool CDrennowApp::OpenUrl(const QUrl& url) { return ui::OpenUrl(urlOpener_, url); }

bool CDrennowApp::TryOpen(const ui::PrefixChoice& choice, QString& error) {
    QString dir = choice.dir;
    if (choice.demo) {
        // The shipped demo never changes: the program works on a fresh copy.
        demoCopy_ = std::make_unique<ui::DemoCopy>(choice.dir, error);
        if (!demoCopy_->Valid()) {
            demoCopy_.reset();
            return false;
        }
        dir = demoCopy_->PrefixDir();
    }
    // The same installation judges the prefix as in drennow-cli, however it was chosen.
    platform::discovery::PrefixWine wine = platform::discovery::WineForPrefix(
        dir.toStdString(), platform::discovery::WineSearchFromEnvironment(std::string()));
    platform::Status status;
    machine_ = platform::wine::OpenPrefix(dir.toStdString(), status, wine.place);
    if (!machine_) error = QString::fromStdString(status.message);
    else wine_ = std::move(wine);
    return machine_ != nullptr;
}

namespace {

ui::PrefixChoice OfferedChoice(const ui::PrefixOffer& offer) {
    if (offer.action == ui::PrefixOffer::Action::OpenDemo)
        return {ui::DemoPrefixSource(), true, {}};
    return {offer.dir, false, {}};
}

}  // namespace

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
    ui::PrefixChoice choice = ui::ChoosePrefix(arguments, QProcessEnvironment::systemEnvironment());
    usageError_ = !choice.error.isEmpty();
    if (usageError_) {
        // Whoever typed the arguments reads the terminal, as with drennow-cli; started from a
        // desktop launcher, the program has none to write on.
        Tell(choice.error);
        if (ui::UsageErrorWantsBox(::isatty(STDERR_FILENO) == 1, platformName()))
            Report(choice.error);
        return false;
    }
    // What a crashed or killed run left behind.
    ui::RemoveStaleDemoCopies();
    if (!ChooseFoundPrefix(choice) || !OpenMachine(choice)) return false;

    document_ = std::make_unique<CDrennowDoc>();
    frame_ = std::make_unique<CMainFrame>([this](const QUrl& url) { return OpenUrl(url); });
    ShowWine();
    frame_->WatchMachine(machine_.get());
    frame_->SetView(MakeView());
    // The frame opens maximised; restoring it gives the centred 780 x 570 window.
    frame_->showMaximized();
    return true;
}

void CDrennowApp::ShowWine() {
    frame_->SetWineBuild(QString::fromStdString(wine_.note), QString::fromStdString(wine_.brief));
}

QWidget* CDrennowApp::MakeView() {
    if (viewFactory_) return viewFactory_(*this);
    CMainFrame* frame = frame_.get();
    return new CDrennowView(*machine_, {[this](const QUrl& url) { return OpenUrl(url); },
                                        [frame](bool enabled) { frame->SetCloseEnabled(enabled); },
                                        [this] { ChoosePrefixCommand(); }});
}

ui::PrefixOffer CDrennowApp::ChooseAmong(const platform::discovery::Discovery& found) {
    if (prefixChooser_) return prefixChooser_(found);
    CDialogChoosePrefix dialog(found, frame_.get());
    dialog.exec();
    return dialog.Choice();
}

bool CDrennowApp::ChooseFoundPrefix(ui::PrefixChoice& choice) {
    if (!choice.fallback || QFileInfo::exists(choice.dir)) return true;
    const platform::discovery::Discovery found =
        platform::discovery::DiscoverPrefixes(platform::discovery::PlacesFromEnvironment());
    if (found.prefixes.empty()) return true;  // the "no usable prefix" message follows
    if (found.prefixes.size() == 1) {
        choice.dir = QString::fromStdString(found.prefixes.front().path);
        return true;
    }
    const ui::PrefixOffer offer = ChooseAmong(found);
    if (offer.action == ui::PrefixOffer::Action::Quit) {
        Tell(
            "no prefix was chosen, so Drennow did not start; name one with --prefix DIR (a "
            "folder, steam:<appid> or a name), or try the demo with --demo.");
        return false;
    }
    choice = OfferedChoice(offer);
    if (choice.dir.isEmpty()) Report("The bundled demo prefix cannot be found.");
    return !choice.dir.isEmpty();
}

bool CDrennowApp::ScanRunning() const {
    const auto* view = frame_ ? qobject_cast<CDrennowView*>(frame_->centralWidget()) : nullptr;
    return view && view->Session().Scanning();
}

bool CDrennowApp::SwitchPrefix(const ui::PrefixOffer& offer) {
    if (!frame_ || offer.action == ui::PrefixOffer::Action::Quit || ScanRunning()) return false;
    const ui::PrefixChoice choice = OfferedChoice(offer);
    // The open prefix stays until the new one is open, and lives until its view is gone.
    std::unique_ptr<platform::Services> oldMachine = std::move(machine_);
    std::unique_ptr<ui::DemoCopy> oldDemo = std::move(demoCopy_);
    QString error;
    if (choice.dir.isEmpty() || !TryOpen(choice, error)) {
        Report(choice.dir.isEmpty() ? QString("The bundled demo prefix cannot be found.") : error);
        machine_ = std::move(oldMachine);
        demoCopy_ = std::move(oldDemo);
        return false;
    }
    QWidget* oldView = frame_->centralWidget();
    ShowWine();
    frame_->WatchMachine(machine_.get());
    frame_->SetView(MakeView());
    delete oldView;
    return true;
}

void CDrennowApp::ChoosePrefixCommand() {
    // The view greys the command during a scan; this holds for any other caller too.
    if (ScanRunning()) return;
    const ui::PrefixOffer offer = ChooseAmong(
        platform::discovery::DiscoverPrefixes(platform::discovery::PlacesFromEnvironment()));
    if (offer.action == ui::PrefixOffer::Action::Quit) return;
    QMetaObject::invokeMethod(
        this, [this, offer] { SwitchPrefix(offer); }, Qt::QueuedConnection);
}

void CDrennowApp::ExitInstance() {
    frame_.reset();
    document_.reset();
    machine_.reset();
    demoCopy_.reset();
}
