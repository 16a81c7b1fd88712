// The application, the main frame, the About box and the help commands.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "tests/fixtures/FakeWineServer.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/ui/QtTesting.h"
#include "ui/CDialogAbout.h"
#include "ui/CDialogCleanRestore.h"
#include "ui/CDialogCleanRestoreDetail.h"
#include "ui/CDialogIERestore.h"
#include "ui/GuiHost.h"
#include "ui/CDrennowApp.h"
#include "ui/CDrennowView.h"
#include "ui/CMainFrame.h"
#include "ui/StatusPane.h"
#include "ui/CStaticLink.h"
#include "ui/DialogUnits.h"
#include "ui/HelpCommands.h"
#include "ui/PrefixChoice.h"
#include "ui/res/ResourceIds.h"

namespace {

using namespace uitest;
namespace res = ui::res;

// Records the addresses the program opens instead of starting a browser.
class OpenedUrls : public ::testing::Test {
protected:
    std::vector<QUrl> opened;
    const ui::UrlOpener record = [this](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
};

// ---- Frame -------------------------------------------------------------------------------

TEST(MainFrameGeometry, CentredOnThePrimaryScreenWithTruncatedHalves) {
    EXPECT_EQ(CMainFrame::CreationGeometry(QRect(0, 0, 1024, 768)), QRect(122, 99, 780, 570));
    EXPECT_EQ(CMainFrame::CreationGeometry(QRect(0, 0, 1280, 1024)), QRect(250, 227, 780, 570));
    // A screen smaller than the window: the halves are negative and truncate toward zero.
    EXPECT_EQ(CMainFrame::CreationGeometry(QRect(0, 0, 641, 501)), QRect(-69, -34, 780, 570));
    // A primary screen that does not start at the origin.
    EXPECT_EQ(CMainFrame::CreationGeometry(QRect(1920, 0, 1024, 768)), QRect(2042, 99, 780, 570));
}

TEST(MainFrame, SizeTitleStatusBarAndNoMenu) {
    CMainFrame frame;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(frame.geometry(), CMainFrame::CreationGeometry(screen));
    EXPECT_EQ(frame.size(), QSize(780, 570));
    EXPECT_EQ(frame.windowTitle().toStdString(), "Norlix Drennow");
    EXPECT_EQ(frame.findChild<QMenuBar*>(), nullptr);
    EXPECT_EQ(frame.menuWidget(), nullptr);

    ASSERT_NE(frame.MessagePane(), nullptr);
    EXPECT_EQ(frame.MessagePane()->text().toStdString(), "Norlix Drennow: Version 1.2");
    const std::pair<int, const char*> panes[] = {
        {res::kIndicatorCaps, "CAP"}, {res::kIndicatorNum, "NUM"}, {res::kIndicatorScroll, "SCRL"}};
    int previousX = frame.MessagePane()->x();
    frame.show();
    for (auto [id, text] : panes) {
        QLabel* pane = frame.IndicatorPane(id);
        ASSERT_NE(pane, nullptr) << id;
        // Blank while the key is off (no lock key was pressed here, and offscreen there is
        // no X server to ask); wide enough for the text.
        EXPECT_EQ(pane->text().toStdString(), "") << text;
        EXPECT_GE(pane->width(), pane->fontMetrics().horizontalAdvance(text)) << text;
        EXPECT_EQ(pane->parentWidget(), frame.statusBar());
        EXPECT_GT(pane->x(), previousX) << "panes out of order at " << text;
        previousX = pane->x();
    }
    EXPECT_EQ(frame.IndicatorPane(0), nullptr);
}

TEST(MainFrame, CannotBeMadeSmallerThan640By500) {
    CMainFrame frame;
    frame.show();
    frame.resize(300, 200);
    EXPECT_EQ(frame.size(), QSize(640, 500));
    frame.resize(639, 800);
    EXPECT_EQ(frame.size(), QSize(640, 800));
    frame.resize(900, 499);
    EXPECT_EQ(frame.size(), QSize(900, 500));
}

TEST(MainFrame, RefusesToCloseWhileCloseIsDisabled) {
    CMainFrame frame;
    frame.show();
    frame.SetCloseEnabled(false);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    frame.SetCloseEnabled(true);
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
}

TEST(MainFrame, OnlyTheFrameStartUpMadeIsTheApplications) {
    CDrennowApp& app = App();
    {
        auto frame = std::make_unique<CMainFrame>();
        EXPECT_EQ(app.MainFrame(), nullptr);
    }
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST(MainFrame, StatusBarNamesThePrefixAndARunningWineserver) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CMainFrame frame;
    frame.WatchMachine(machine.get());
    const std::string open = "Norlix Drennow: Version 1.2 - Wine prefix " + prefix.Dir();
    EXPECT_EQ(frame.MessagePane()->text().toStdString(), open);
    {
        fixtures::FakeWineServer server(prefix.Dir());
        ASSERT_TRUE(server.Running());
        frame.RefreshMachineStatus();
        EXPECT_EQ(frame.MessagePane()->text().toStdString(),
                  open + " - a wineserver is running: nothing can be written until it stops");
        EXPECT_NE(frame.MessagePane()->toolTip().toStdString().find("wineserver -k"),
                  std::string::npos);
        EXPECT_NE(frame.MessagePane()->toolTip().toStdString().find("a few seconds old"),
                  std::string::npos);
    }
    frame.RefreshMachineStatus();
    EXPECT_EQ(frame.MessagePane()->text().toStdString(), open);
    frame.WatchMachine(nullptr);
    EXPECT_EQ(frame.MessagePane()->text().toStdString(), "Norlix Drennow: Version 1.2");
}

TEST(MainFrame, StatusBarSaysWhenThePrefixIsAnotherUsers) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving the prefix to another user needs root";
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CMainFrame frame;
    frame.WatchMachine(machine.get());
    const std::string open = "Norlix Drennow: Version 1.2 - Wine prefix " + prefix.Dir();
    ASSERT_EQ(::chown(prefix.Dir().c_str(), 65534, 65534), 0);
    frame.RefreshMachineStatus();
    EXPECT_EQ(frame.MessagePane()->text().toStdString(),
              open +
                  " - the prefix is another user's: it can be scanned, but nothing can be "
                  "written");
    const passwd* nobody = ::getpwuid(65534);
    ASSERT_NE(nobody, nullptr);
    EXPECT_NE(frame.MessagePane()->toolTip().toStdString().find(std::string("run Drennow as ") +
                                                                nobody->pw_name),
              std::string::npos)
        << frame.MessagePane()->toolTip().toStdString();
    ASSERT_EQ(::chown(prefix.Dir().c_str(), 0, 0), 0);
    frame.RefreshMachineStatus();
    EXPECT_EQ(frame.MessagePane()->text().toStdString(), open);
    frame.WatchMachine(nullptr);
}

// A long folder gives way to the warning: shortened in the middle, then the text before it
// dropped; the tooltip keeps the whole text.
TEST(MainFrame, StatusPaneShortensTheFolderSoTheWarningShows) {
    const QFontMetrics metrics(QApplication::font());
    const QString head = "Norlix Drennow: Version 1.2 - ";
    const QString folder =
        "Wine prefix /home/someone/.local/share/Steam/steamapps/compatdata/440/pfx";
    const QString tail = " - a wineserver is running: nothing can be written until it stops";
    const QString text = head + folder + tail;
    auto width = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
    const struct {
        int width;
        QString starts, ends;
        bool whole;
    } cases[] = {
        {width(text), head + folder, tail, true},
        {width(head + tail) + width(folder) / 2, head + "Wine pr", "440/pfx" + tail, false},
        {width(tail) + width(folder) / 2, "Wine pr", "pfx" + tail, false},
        {width(tail) / 2, "Wine", QString(QChar(0x2026)), false},
    };
    for (const auto& c : cases) {
        const QString shown = ui::StatusPane::Fit(text, folder, metrics, c.width);
        EXPECT_LE(width(shown), c.width) << shown.toStdString();
        EXPECT_TRUE(shown.startsWith(c.starts)) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(c.ends)) << shown.toStdString();
        EXPECT_EQ(shown == text, c.whole) << shown.toStdString();
    }

    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    fixtures::FakeWineServer server(prefix.Dir());
    CMainFrame frame;
    frame.WatchMachine(machine.get());
    frame.showNormal();
    QApplication::processEvents();
    ui::StatusPane* pane = frame.MessagePane();
    EXPECT_TRUE(pane->ShownText().endsWith("nothing can be written until it stops"))
        << pane->ShownText().toStdString();
    EXPECT_LE(pane->fontMetrics().horizontalAdvance(pane->ShownText()), pane->width());
    EXPECT_TRUE(pane->toolTip().startsWith(pane->text())) << pane->toolTip().toStdString();
    frame.WatchMachine(nullptr);
}

TEST(MainFrame, HostsTheViewAsItsCentralWidget) {
    CMainFrame frame;
    auto* view = new QWidget;
    frame.SetView(view);
    frame.show();
    EXPECT_EQ(frame.centralWidget(), view);
    EXPECT_GT(view->height(), 400);
}

// ---- Start-up ----------------------------------------------------------------------------

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        app->SetErrorReporter([this](const QString& m) { errors.push_back(m.toStdString()); });
        app->SetPrefixProblemHandler([this](const QString& folder, const QString& reason) {
            asked.push_back({folder.toStdString(), reason.toStdString()});
            ui::PrefixOffer offer;
            if (!offers.empty()) {
                offer = offers.front();
                offers.erase(offers.begin());
            }
            return offer;
        });
    }
    void TearDown() override {
        app->ExitInstance();
        app->SetErrorReporter(nullptr);
        app->SetPrefixProblemHandler(nullptr);
        app->SetViewFactory(nullptr);
    }
    CDrennowApp* app = &App();
    std::vector<std::string> errors;
    std::vector<std::pair<std::string, std::string>> asked;  // folder, reason
    std::vector<ui::PrefixOffer> offers;                     // Quit once used up
};

TEST_F(StartUp, MissingPrefixIsNamedAndQuittingOpensNoWindow) {
    QTemporaryDir empty;
    const QString missing = empty.filePath("no-such-prefix");
    EXPECT_FALSE(app->InitInstance({"drennow", "--prefix", missing}));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, missing.toStdString());
    EXPECT_NE(asked[0].second.find("does not exist"), std::string::npos) << asked[0].second;
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(app->MainFrame(), nullptr);
    EXPECT_EQ(app->Machine(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(missing)) << "start-up created the prefix";
    EXPECT_EQ(app->StartFailureStatus(), 3);
    // The folder is named in the command that would make it, quoted for the shell (the
    // temporary folder's name has a space).
    EXPECT_NE(asked[0].second.find("\n    WINEPREFIX='" + missing.toStdString() + "' wineboot -i"),
              std::string::npos)
        << asked[0].second;
}

TEST_F(StartUp, AnotherFolderOrTheDemoCanBeChosenInstead) {
    QTemporaryDir empty;
    const QString missing = empty.filePath("no-such-prefix");
    // A folder without hives is no prefix either: the user is asked again.
    offers = {{ui::PrefixOffer::Action::OpenFolder, empty.path()},
              {ui::PrefixOffer::Action::OpenDemo, {}}};
    ASSERT_TRUE(app->InitInstance({"drennow", "--prefix", missing}));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].first, empty.path().toStdString());
    ASSERT_NE(app->Machine(), nullptr);
    // The demo copy is open, named in the status bar; the shipped demo stays untouched.
    const std::string status = app->MainFrame()->MessagePane()->text().toStdString();
    EXPECT_EQ(status.find("Norlix Drennow: Version 1.2 - Wine prefix "), 0u) << status;
    EXPECT_NE(status.find("demo-prefix"), std::string::npos) << status;
    EXPECT_EQ(status.find(ui::DemoPrefixSource().toStdString()), std::string::npos) << status;

    fixtures::TestPrefix prefix;
    prefix.WriteHives();
    offers = {{ui::PrefixOffer::Action::OpenFolder, QString::fromStdString(prefix.Dir())}};
    ASSERT_TRUE(app->InitInstance({"drennow", "--prefix", missing}));
    EXPECT_EQ(app->MainFrame()->MessagePane()->text().toStdString(),
              "Norlix Drennow: Version 1.2 - Wine prefix " + prefix.Dir());
}

TEST_F(StartUp, UnknownArgumentIsAUsageError) {
    std::vector<std::string> lines;
    app->SetTerminalWriter([&lines](const QString& line) { lines.push_back(line.toStdString()); });
    EXPECT_FALSE(app->InitInstance({"drennow", "--frobnicate"}));
    app->SetTerminalWriter(nullptr);
    EXPECT_EQ(app->StartFailureStatus(), 2);
    // On the terminal, not in a box.
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("--frobnicate"), std::string::npos);
    EXPECT_NE(lines[0].find("Usage"), std::string::npos);
}

TEST_F(StartUp, RealPrefixOpensTheMaximisedCentredFrameWithTheView) {
    fixtures::TestPrefix prefix;
    prefix.WriteHives();
    QWidget* made = nullptr;
    app->SetViewFactory([&](CDrennowApp& a) {
        EXPECT_NE(a.Machine(), nullptr) << "the view is made before the prefix is open";
        made = new QWidget;
        return made;
    });
    ASSERT_TRUE(app->InitInstance({"drennow", "--prefix", QString::fromStdString(prefix.Dir())}))
        << (errors.empty() ? "" : errors[0]);
    CMainFrame* frame = app->MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frame->normalGeometry().size(), QSize(780, 570));
    EXPECT_EQ(frame->centralWidget(), made);
    ASSERT_NE(app->Document(), nullptr);
    app->ExitInstance();
    EXPECT_EQ(app->MainFrame(), nullptr);
}

TEST(PrefixChoice, ArgumentsThenWineprefixThenHome) {
    QProcessEnvironment environment;
    environment.insert("WINEPREFIX", "/env/prefix");
    EXPECT_EQ(ui::ChoosePrefix({"drennow", "--prefix", "/a"}, environment).dir, "/a");
    EXPECT_EQ(ui::ChoosePrefix({"drennow", "--prefix=/b"}, environment).dir, "/b");
    EXPECT_EQ(ui::ChoosePrefix({"drennow"}, environment).dir, "/env/prefix");
    EXPECT_EQ(ui::ChoosePrefix({"drennow"}, QProcessEnvironment()).dir,
              QDir::homePath() + "/.wine");
    EXPECT_FALSE(ui::ChoosePrefix({"drennow", "--prefix"}, environment).error.isEmpty());
    EXPECT_FALSE(
        ui::ChoosePrefix({"drennow", "--demo", "--prefix", "/a"}, environment).error.isEmpty());
}

// ---- About box and help ------------------------------------------------------------------

TEST(AboutBox, DialogUnitsBecomePixelsWithTheShellDlgBaseUnits) {
    EXPECT_EQ(ui::DluToPixelsX(235), 353);  // 352.5 rounds up
    EXPECT_EQ(ui::DluToPixelsY(106), 172);  // 172.25
    EXPECT_EQ(ui::DluRect(96, 83, 50, 16), QRect(144, 135, 75, 26));
    EXPECT_EQ(ui::DluRect(11, 17, 20, 20), QRect(17, 28, 30, 33));

    CDialogAbout about;
    EXPECT_EQ(about.size(), QSize(353, 172));
    EXPECT_EQ(about.windowTitle().toStdString(), "About Norlix Drennow");
    EXPECT_EQ(about.OkButton()->geometry(), QRect(144, 135, 75, 26));
    EXPECT_TRUE(about.OkButton()->isDefault());
    EXPECT_EQ(about.OkButton()->text().toStdString(), "&OK");
    auto* version = about.findChild<QLabel*>(QString::number(res::kAboutVersion));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text().toStdString(), "Norlix Drennow Version 1.2.0");
    EXPECT_EQ(version->geometry(), QRect(60, 16, 282, 13));
}

TEST(AboutBox, LinksAreBlueUnderlinedLeftAlignedAndActive) {
    CDialogAbout about;
    for (CStaticLink* link : {about.WebLink(), about.MailLink()}) {
        EXPECT_EQ(link->Colour(), QColor(0, 0, 255));
        EXPECT_EQ(link->FontVariant(), 1);
        ASSERT_NE(link->VariantFont(1), nullptr);
        EXPECT_TRUE(link->VariantFont(1)->underline());
        EXPECT_EQ(link->TextAlignment(), CStaticLink::kAlignLeft);
        EXPECT_TRUE(link->LinkActive());
        EXPECT_EQ(link->x(), 60);
    }
    EXPECT_EQ(about.WebLink()->y(), ui::DluToPixelsY(42));
    EXPECT_EQ(about.MailLink()->y(), ui::DluToPixelsY(58));
    EXPECT_EQ(about.WebLink()->text(), ui::HomePageUrl().toString());

    // Drawn blue and underlined: a run of blue pixels along one row under the text.
    QTemporaryDir folder;
    const QImage image = RenderToPng(&about, folder, "about");
    const QRect web = about.WebLink()->geometry();
    int longestRun = 0;
    for (int y = web.top(); y <= web.bottom(); ++y) {
        int run = 0;
        for (int x = web.left(); x < web.left() + 150; ++x) {
            const QRgb p = image.pixel(x, y);
            run = (qBlue(p) > 180 && qRed(p) < 90 && qGreen(p) < 90) ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    EXPECT_GT(longestRun, 60);
}

TEST_F(OpenedUrls, AboutLinksOpenTheWebSiteAndANewMail) {
    CDialogAbout about(record);
    about.show();
    Click(about.WebLink(), {3, 3});
    Click(about.MailLink(), {3, 3});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], ui::HomePageUrl());
    EXPECT_EQ(opened[1].scheme().toStdString(), "mailto");
    EXPECT_EQ(opened[1].path(), about.MailLink()->text());
}

TEST_F(OpenedUrls, HelpCommandsOpenTheManualAndTheHomePage) {
    // Without the manual the command shows a message box, which would wait for a click.
    ASSERT_FALSE(ui::ManualPath().isEmpty()) << "docs/manual.html not found";
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CDrennowView view(*machine, {record, {}, {}});
    view.OnCommand(res::kCmdUserManual);
    view.OnCommand(res::kCmdHomePage);
    ASSERT_EQ(opened.size(), 2u);
    ASSERT_TRUE(opened[0].isLocalFile());
    const QFileInfo manual(opened[0].toLocalFile());
    EXPECT_TRUE(manual.isFile());
    EXPECT_EQ(manual.fileName().toStdString(), "manual.html");
    EXPECT_EQ(opened[1], ui::HomePageUrl());
}

TEST_F(OpenedUrls, F1InTheFrameAndInEveryDialogOpensTheManual) {
    ASSERT_FALSE(ui::ManualPath().isEmpty()) << "docs/manual.html not found";
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    ui::GuiHost host(nullptr);
    CMainFrame frame(record);
    CDialogCleanRestore cleanRestore(*machine, host, nullptr, record);
    CDialogIERestore ieRestore(*machine, host, nullptr, record);
    CDialogCleanRestoreDetail detail({}, nullptr, record);
    for (QWidget* window :
         std::initializer_list<QWidget*>{&frame, &cleanRestore, &ieRestore, &detail}) {
        opened.clear();
        window->show();
        QApplication::setActiveWindow(window);
        QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(window, &press);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(window, &f1);
        ASSERT_EQ(opened.size(), 1u) << window->windowTitle().toStdString();
        EXPECT_TRUE(opened[0].toLocalFile().endsWith("manual.html"));
        window->hide();
    }
}

TEST(MainFrame, LockKeyPanesShowTheKeyState) {
    // Offscreen there is no X server to ask: the panes follow the lock-key presses.
    CMainFrame frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_CapsLock, res::kIndicatorCaps},
                                            {Qt::Key_NumLock, res::kIndicatorNum},
                                            {Qt::Key_ScrollLock, res::kIndicatorScroll}};
    const char* texts[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        QLabel* pane = frame.IndicatorPane(keys[i].second);
        EXPECT_EQ(pane->text().toStdString(), "");
        QTest::keyClick(&frame, keys[i].first);
        EXPECT_EQ(pane->text().toStdString(), texts[i]);
        // The other panes do not follow this key.
        EXPECT_EQ(frame.IndicatorPane(keys[(i + 1) % 3].second)->text().toStdString(), "");
        QTest::keyClick(&frame, keys[i].first);
        EXPECT_EQ(pane->text().toStdString(), "");
    }
}

TEST(AboutCommand, RunsTheAboutBoxModally) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    CDrennowView view(*machine);
    std::string title;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        title = modal->windowTitle().toStdString();
        static_cast<QDialog*>(modal)->accept();
    });
    view.OnCommand(res::kCmdAbout);
    EXPECT_EQ(title, "About Norlix Drennow");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
