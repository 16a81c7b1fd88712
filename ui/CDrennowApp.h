#pragma once
// The application: opens the Wine prefix, creates the document and the main frame with its
// view, and hands the frame and the view what they ask of it (opening addresses, the frame's
// close box, choosing another prefix). Nothing else reaches the application.
#include <QApplication>
#include <QSocketNotifier>
#include <QUrl>
#include <functional>
#include <memory>

#include "platform/Services.h"
#include "platform/discovery/Discovery.h"
#include "platform/discovery/PrefixWine.h"
#include "ui/CMainFrame.h"
#include "ui/DemoCopy.h"
#include "ui/HelpCommands.h"
#include "ui/PrefixChoice.h"

class CDrennowDoc;

class CDrennowApp : public QApplication {
    Q_OBJECT
public:
    // Makes the view that fills the frame; the frame takes it over. Without one the frame
    // shows the main view.
    using ViewFactory = std::function<QWidget*(CDrennowApp& app)>;
    // Tells the user why start-up failed; a message box unless replaced.
    using ErrorReporter = std::function<void(const QString& message)>;
    CDrennowApp(int& argc, char** argv);
    ~CDrennowApp() override;

    // Start-up: chooses and opens the prefix, creates document, frame and view, shows the
    // frame. False when the program must end (the reason has been reported). A usage error
    // goes to the terminal writer, and to the error reporter only as UsageErrorWantsBox says.
    bool InitInstance(const QStringList& arguments);
    // The exit status after a failed start-up, as drennow-cli has them: 2 for a usage error,
    // 3 for any other failure.
    int StartFailureStatus() const { return usageError_ ? 2 : 3; }
    // Closes and destroys the frame, document and prefix (the end of a run, or of a test).
    void ExitInstance();

    // The frame start-up made; null before and after.
    CMainFrame* MainFrame() const { return frame_.get(); }
    CDrennowDoc* Document() const { return document_.get(); }
    // The open prefix; null before start-up.
    platform::Services* Machine() const { return machine_.get(); }

    void SetViewFactory(ViewFactory factory) { viewFactory_ = std::move(factory); }
    void SetErrorReporter(ErrorReporter reporter) { errorReporter_ = std::move(reporter); }
    // Writes a line for the terminal the program was started from (a usage error, a start-up
    // the user ended in the chooser); standard error unless replaced.
    using TerminalWriter = std::function<void(const QString& line)>;
    void SetTerminalWriter(TerminalWriter writer) { terminalWriter_ = std::move(writer); }
    // Asks what to do when the chosen folder is no usable prefix; the message box and
    // folder dialog unless replaced.
    void SetPrefixProblemHandler(ui::PrefixProblemHandler handler) {
        prefixProblem_ = std::move(handler);
    }
    // Asks which of the found prefixes to open; the Choose Prefix dialog unless replaced.
    using PrefixChooser = std::function<ui::PrefixOffer(const platform::discovery::Discovery&)>;
    void SetPrefixChooser(PrefixChooser chooser) { prefixChooser_ = std::move(chooser); }
    ui::PrefixOffer ChooseAmong(const platform::discovery::Discovery& found);
    // Reopens the frame's view on what `offer` names (screen 1); on failure says why and keeps
    // the open prefix. False when nothing was opened.
    bool SwitchPrefix(const ui::PrefixOffer& offer);
    // Option > Choose Prefix...: the found prefixes in the chooser; the chosen one replaces
    // the open prefix once the command has returned (the view that ran it is replaced).
    void ChoosePrefixCommand();
    // True while the view runs a scan: its loop is on the stack, so neither the view nor the
    // prefix may be replaced until it has returned.
    bool ScanRunning() const;

    // SIGINT, SIGTERM and SIGHUP end the program as closing its window does (a running scan is
    // cancelled first), so that what it made, the demo's temporary copy included, goes too.
    void EndOnSignals();

    // QDesktopServices unless replaced (tests record the addresses instead).
    void SetUrlOpener(ui::UrlOpener opener) { urlOpener_ = std::move(opener); }
    bool OpenUrl(const QUrl& url);

private:
    void Report(const QString& message);
    void Tell(const QString& line);
    // Opens the chosen prefix, or whatever the user chooses instead; false when there is
    // none to open (the reason has been reported).
    bool OpenMachine(ui::PrefixChoice choice);
    // Opens one folder (a fresh copy of it for the demo); false with `error` set.
    bool TryOpen(const ui::PrefixChoice& choice, QString& error);

    // With no prefix named and no ~/.wine: the one prefix found, or the one the user
    // chooses among several; `choice` unchanged when none is found.
    bool ChooseFoundPrefix(ui::PrefixChoice& choice);
    QWidget* MakeView();
    // Tells the frame which Wine installation judges the open prefix.
    void ShowWine();
    static void OnEndSignal(int signal);
    void EndNow();

    PrefixChooser prefixChooser_;
    ViewFactory viewFactory_;
    ErrorReporter errorReporter_;
    TerminalWriter terminalWriter_;
    ui::PrefixProblemHandler prefixProblem_;
    ui::UrlOpener urlOpener_;
    std::unique_ptr<ui::DemoCopy> demoCopy_;
    bool usageError_ = false;
    std::unique_ptr<platform::Services> machine_;
    platform::discovery::PrefixWine wine_;  // the installation judging machine_
    std::unique_ptr<CDrennowDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    // The signal handler only writes a byte to the one end; the event loop reads the other.
    static inline int endSignalWrite_ = -1;
    int endSignalRead_ = -1;
    std::unique_ptr<QSocketNotifier> endSignalNotifier_;
};
