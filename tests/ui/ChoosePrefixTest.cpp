// The Choose Prefix dialog, the start-up rule for homes without ~/.wine, and switching the
// open prefix, on fake homes of launcher files.
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/discovery/Discovery.h"
#include "tests/fixtures/FakeWineServer.h"
#include "tests/fixtures/LauncherHome.h"
#include "tests/ui/QtTesting.h"
#include "ui/CDialogChoosePrefix.h"
#include "ui/CDrennowApp.h"
#include "ui/CDrennowView.h"
#include "ui/DialogUnits.h"
#include "ui/PrefixChoice.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"
#include "tests/ui/ViewTestSupport.h"

namespace {

using Action = ui::PrefixOffer::Action;
namespace discovery = platform::discovery;

TEST(ChoosePrefixDialog, ListsTheFoundPrefixesAndMarksARunningServer) {
    fixtures::FakeHome home;
    fixtures::FillLauncherHome(home);
    fixtures::FakeWineServer server(home.Path("Games/guild-wars-2"));
    ASSERT_TRUE(server.Running());
    // Another user's prefix shows its owner (giving it away needs root).
    const std::string theirs = home.Path(".local/share/wineprefixes/dotnet");
    const bool given = ::geteuid() == 0 && ::chown(theirs.c_str(), 65534, 65534) == 0;
    const passwd* nobody = ::getpwuid(65534);
    ASSERT_NE(nobody, nullptr);
    const discovery::Discovery found = discovery::DiscoverPrefixes({home.Dir(), {}});
    CDialogChoosePrefix dialog(found);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), static_cast<int>(found.prefixes.size()));
    for (int row = 0; row < dialog.List()->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = dialog.List()->topLevelItem(row);
        const discovery::FoundPrefix& prefix = found.prefixes[static_cast<std::size_t>(row)];
        EXPECT_EQ(item->text(0).toStdString(), prefix.name);
        EXPECT_EQ(item->text(1).toStdString(), KindName(prefix.kind));
        EXPECT_EQ(item->text(2).toStdString(), prefix.path);
        EXPECT_EQ(item->text(3).isEmpty(), prefix.path != home.Path("Games/guild-wars-2"))
            << prefix.path;
        EXPECT_EQ(item->text(4).toStdString(),
                  given && prefix.path == theirs ? nobody->pw_name : "")
            << prefix.path;
    }
    // Every column within the list, the mark's as wide as its heading; Cancel ends a margin
    // above the window's foot (its 350 pixels include the frame).
    dialog.show();
    QApplication::processEvents();
    const QHeaderView* header = dialog.List()->header();
    EXPECT_LE(header->length(), dialog.List()->viewport()->width());
    EXPECT_GE(header->sectionSize(3), header->fontMetrics().horizontalAdvance("Wineserver"));
    EXPECT_GE(header->sectionSize(2), 200);
    EXPECT_EQ(dialog.size(), ui::ClientOfWindow(760, 350));
}

TEST(ChoosePrefixDialog, EachButtonGivesItsChoice) {
    fixtures::FakeHome home;
    home.Prefix(".local/share/wineprefixes/a");
    home.Prefix(".local/share/wineprefixes/b");
    const discovery::Discovery found = discovery::DiscoverPrefixes({home.Dir(), {}});
    const struct {
        const char* what;
        std::function<QPushButton*(CDialogChoosePrefix&)> button;
        QString folderAnswer;
        bool closes;
        Action action;
        QString dir;
    } cases[] = {
        {"open",
         &CDialogChoosePrefix::OpenButton,
         {},
         true,
         Action::OpenFolder,
         QString::fromStdString(home.Path(".local/share/wineprefixes/b"))},
        {"other", &CDialogChoosePrefix::OtherFolderButton, "/some/folder", true, Action::OpenFolder,
         "/some/folder"},
        {"other, cancelled", &CDialogChoosePrefix::OtherFolderButton, {}, false, Action::Quit, {}},
        {"demo", &CDialogChoosePrefix::DemoButton, {}, true, Action::OpenDemo, {}},
        {"cancel", &CDialogChoosePrefix::CancelButton, {}, true, Action::Quit, {}},
    };
    for (const auto& c : cases) {
        CDialogChoosePrefix dialog(found);
        dialog.SetFolderAsker([&c] { return c.folderAnswer; });
        dialog.List()->setCurrentItem(dialog.List()->topLevelItem(1));
        dialog.show();
        c.button(dialog)->click();
        EXPECT_EQ(dialog.isVisible(), !c.closes) << c.what;
        EXPECT_EQ(dialog.Choice().action, c.action) << c.what;
        EXPECT_EQ(dialog.Choice().dir, c.dir) << c.what;
    }
}

// Runs the application with `home` as $HOME (and no $WINEPREFIX), restoring both after.
class StartUpWithoutDotWine : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "WINEPREFIX"})
            if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
        ::setenv("HOME", home.Dir().c_str(), 1);
        ::unsetenv("WINEPREFIX");
        app->SetErrorReporter([this](const QString& m) { errors.push_back(m.toStdString()); });
        app->SetPrefixProblemHandler([this](const QString& folder, const QString&) {
            problems.push_back(folder.toStdString());
            return ui::PrefixOffer{};
        });
        app->SetPrefixChooser([this](const discovery::Discovery& found) {
            offered = found.prefixes.size();
            return answer;
        });
    }
    void TearDown() override {
        app->ExitInstance();
        app->SetErrorReporter(nullptr);
        app->SetPrefixProblemHandler(nullptr);
        app->SetPrefixChooser(nullptr);
        ::unsetenv("WINEPREFIX");
        for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::string Status() const { return app->MainFrame()->MessagePane()->text().toStdString(); }

    CDrennowApp* app = &uitest::App();
    fixtures::FakeHome home;
    std::vector<std::string> errors, problems;
    std::optional<std::size_t> offered;  // prefixes shown by the chooser, once asked
    ui::PrefixOffer answer;

private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(StartUpWithoutDotWine, OneFoundPrefixIsOpenedStraightAway) {
    home.Prefix(".local/share/wineprefixes/only");
    ASSERT_TRUE(app->InitInstance({"drennow"}));
    EXPECT_FALSE(offered);
    EXPECT_TRUE(problems.empty());
    EXPECT_NE(Status().find(home.Path(".local/share/wineprefixes/only")), std::string::npos)
        << Status();
}

TEST_F(StartUpWithoutDotWine, SeveralAreOfferedInTheChooser) {
    fixtures::FillLauncherHome(home);
    std::filesystem::remove(home.Path(".wine"));
    answer = {Action::OpenFolder, QString::fromStdString(home.Path("Games/guild-wars-2"))};
    ASSERT_TRUE(app->InitInstance({"drennow"}));
    EXPECT_EQ(offered, 11u);
    EXPECT_NE(Status().find(home.Path("Games/guild-wars-2")), std::string::npos) << Status();
    app->ExitInstance();
    answer = {};  // cancelled: the program ends, and says why on the terminal
    std::vector<std::string> lines;
    app->SetTerminalWriter([&lines](const QString& line) { lines.push_back(line.toStdString()); });
    EXPECT_FALSE(app->InitInstance({"drennow"}));
    app->SetTerminalWriter(nullptr);
    EXPECT_EQ(app->StartFailureStatus(), 3);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("no prefix was chosen"), std::string::npos) << lines[0];
    EXPECT_TRUE(problems.empty());
}

TEST_F(StartUpWithoutDotWine, NoneFoundKeepsTheNoUsablePrefixMessage) {
    EXPECT_FALSE(app->InitInstance({"drennow"}));
    EXPECT_FALSE(offered);
    EXPECT_EQ(problems, std::vector<std::string>{home.Path(".wine")});
}

TEST_F(StartUpWithoutDotWine, ChoosingAnotherPrefixReopensTheView) {
    home.Prefix(".local/share/wineprefixes/first");
    home.Prefix("apps/second");
    ASSERT_TRUE(app->InitInstance({"drennow"}));
    const QWidget* firstView = app->MainFrame()->centralWidget();
    EXPECT_TRUE(
        app->SwitchPrefix({Action::OpenFolder, QString::fromStdString(home.Path("apps/second"))}));
    EXPECT_NE(app->MainFrame()->centralWidget(), firstView);
    EXPECT_NE(Status().find(home.Path("apps/second")), std::string::npos) << Status();
    // A folder that is no prefix is reported, and the open prefix stays.
    EXPECT_FALSE(
        app->SwitchPrefix({Action::OpenFolder, QString::fromStdString(home.Path("apps"))}));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_NE(Status().find(home.Path("apps/second")), std::string::npos) << Status();
}

TEST_F(StartUpWithoutDotWine, TheViewsChoosePrefixCommandReachesTheApplication) {
    home.Prefix(".local/share/wineprefixes/first");
    home.Prefix("apps/second");
    ASSERT_TRUE(app->InitInstance({"drennow"}));
    auto* view = qobject_cast<CDrennowView*>(app->MainFrame()->centralWidget());
    ASSERT_NE(view, nullptr);
    answer = {Action::OpenFolder, QString::fromStdString(home.Path("apps/second"))};
    view->OnCommand(ui::res::kCmdChoosePrefix);
    EXPECT_TRUE(offered);
    // The view that ran the command is replaced once the command has returned.
    QCoreApplication::processEvents();
    EXPECT_NE(app->MainFrame()->centralWidget(), view);
    EXPECT_NE(Status().find(home.Path("apps/second")), std::string::npos) << Status();
}

// The scan's loop is on the stack while it hands events on: nothing may replace the view or
// the prefix under it, and the window stays.
TEST_F(StartUpWithoutDotWine, DuringAPausedScanNothingReplacesTheViewOrClosesTheWindow) {
    home.Prefix(".local/share/wineprefixes/first");
    home.Prefix("apps/second");
    ASSERT_TRUE(app->InitInstance({"drennow"}));
    auto* view = qobject_cast<CDrennowView*>(app->MainFrame()->centralWidget());
    ASSERT_NE(view, nullptr);
    view->Host().SetMessageBoxHandler([](const std::string&, const std::string&, engine::BoxStyle) {
        return engine::Answer::Ok;
    });
    answer = {Action::OpenFolder, QString::fromStdString(home.Path("apps/second"))};
    std::vector<std::pair<std::string, bool>> items;
    bool switched = true, closed = true;
    std::string statusWhileRefused;
    uitest::EveryPump script([&](int n) {
        if (n == 1) view->OnCommand(ui::res::kPauseButton);
        if (!view->Session().Paused()) return true;
        for (const int button : {ui::res::kOptionButton, ui::res::kHelpButton}) {
            const std::unique_ptr<QMenu> menu = view->BuildPopupMenu(button);
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    items.emplace_back(action->text().toStdString(), action->isEnabled());
        }
        view->OnCommand(ui::res::kCmdChoosePrefix);
        switched = app->SwitchPrefix(answer);
        closed = app->MainFrame()->close();
        statusWhileRefused = app->MainFrame()->statusBar()->currentMessage().toStdString();
        view->OnCommand(ui::res::kCancelScanButton);
        return false;
    });
    view->Session().SetPumpInterval(std::chrono::milliseconds(0));
    view->OnCommand(ui::res::kScanButton);
    EXPECT_EQ(items,
              (std::vector<std::pair<std::string, bool>>{{"Clean Restore", false},
                                                         {"Ignored Entries...", false},
                                                         {"IE Restore", false},
                                                         {"Choose Prefix...", false},
                                                         {"User Manual", true},
                                                         {"About Norlix Drennow", true},
                                                         {"Go to Norlix HomePage ->", true}}));
    EXPECT_FALSE(offered);
    EXPECT_FALSE(switched);
    EXPECT_FALSE(closed);
    EXPECT_EQ(statusWhileRefused, ui::text::kCloseDuringScan);
    QCoreApplication::processEvents();
    EXPECT_EQ(app->MainFrame()->centralWidget(), view);
    EXPECT_EQ(view->Screen(), engine::Screen::Choose);
    // Once the scan has returned, the command works again.
    view->OnCommand(ui::res::kCmdChoosePrefix);
    QCoreApplication::processEvents();
    EXPECT_NE(Status().find(home.Path("apps/second")), std::string::npos) << Status();
}

}  // namespace

namespace {

TEST_F(StartUpWithoutDotWine, PrefixTakesSteamIdsAndNamesAsTheCommandLineDoes) {
    fixtures::FillLauncherHome(home);
    const QProcessEnvironment environment;
    const struct {
        const char* argument;
        std::string dir;    // below the home; empty for an error
        std::string error;  // a text the error holds
    } cases[] = {
        {"steam:440", "Games/SteamLibrary/steamapps/compatdata/440/pfx", {}},
        {"Office 2010", ".local/share/bottles/bottles/Office", {}},
        {"steam:1", {}, "Half-Life 2 (steam, steam:220)"},
    };
    for (const auto& c : cases) {
        const ui::PrefixChoice choice =
            ui::ChoosePrefix({"drennow", "--prefix", c.argument}, environment);
        EXPECT_EQ(choice.dir.toStdString(), c.dir.empty() ? "" : home.Path(c.dir)) << c.argument;
        EXPECT_NE(choice.error.toStdString().find(c.error), std::string::npos)
            << choice.error.toStdString();
        EXPECT_EQ(choice.error.isEmpty(), c.error.empty()) << c.argument;
    }
}

}  // namespace
