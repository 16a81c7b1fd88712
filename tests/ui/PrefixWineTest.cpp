// The desktop program judges a launcher's prefix with the build the launcher records for it,
// however the prefix is opened, and says in the status bar which one judges and what is amiss.
#include <QLabel>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/fixtures/LauncherBuilds.h"
#include "tests/ui/QtTesting.h"
#include "ui/CDrennowApp.h"

namespace {

using Action = ui::PrefixOffer::Action;

// Runs the application with `home` as $HOME, its system Wine alone on PATH, no $WINEPREFIX and
// no $WINE, restoring them after.
class PrefixWineGui : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "PATH", "WINEPREFIX", "WINE"})
            if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
        fixtures::FillLauncherBuilds(home);
        home.Prefix("apps/plain");
        ::setenv("HOME", home.Dir().c_str(), 1);
        SystemWineOnPath(true);
        ::unsetenv("WINEPREFIX");
        ::unsetenv("WINE");
        // A failure is recorded, never a message box.
        app->SetErrorReporter([this](const QString& m) { errors.push_back(m.toStdString()); });
        app->SetPrefixProblemHandler([this](const QString&, const QString& reason) {
            errors.push_back(reason.toStdString());
            return ui::PrefixOffer{};
        });
    }
    void TearDown() override {
        app->ExitInstance();
        app->SetErrorReporter(nullptr);
        app->SetPrefixProblemHandler(nullptr);
        EXPECT_TRUE(errors.empty()) << errors.front();
        for (const char* name : {"PATH", "WINEPREFIX", "WINE"}) ::unsetenv(name);
        for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
    }
    void SystemWineOnPath(bool on) {
        ::setenv("PATH", on ? home.Path(std::string(fixtures::kSystemWine) + "/bin").c_str() : "",
                 1);
    }
    // Whether the open prefix counts the recorded builds' own value as Wine's.
    bool JudgedByTheBuild() const {
        return app->Machine()->IsInstallationEntry(
            platform::HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
            u"ProtonHelper", u"C:\\windows\\system32\\protonhelper.exe");
    }
    std::string Status() const { return app->MainFrame()->MessagePane()->text().toStdString(); }
    std::string Tip() const { return app->MainFrame()->MessagePane()->toolTip().toStdString(); }

    CDrennowApp* app = &uitest::App();
    fixtures::FakeHome home;
    std::vector<std::string> errors;

private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(PrefixWineGui, EveryWayOfOpeningJudgesWithTheRecordedBuild) {
    const fixtures::LauncherBuild& steam = fixtures::kLauncherBuilds[0];
    const QString folder = QString::fromStdString(home.Path(steam.prefix));
    home.Link(".wine", home.Path(steam.prefix));
    const struct {
        const char* way;
        QStringList arguments;
        bool choose;  // then Option > Choose Prefix... opens the Steam prefix
    } cases[] = {
        {"--prefix DIR", {"drennow", "--prefix", folder}, false},
        {"--prefix steam:APPID", {"drennow", "--prefix", "steam:4000"}, false},
        {"~/.wine", {"drennow"}, false},
        {"Choose Prefix",
         {"drennow", "--prefix", QString::fromStdString(home.Path("apps/plain"))},
         true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(app->InitInstance(c.arguments)) << c.way;
        if (c.choose) {
            EXPECT_FALSE(JudgedByTheBuild()) << c.way;  // the system's Wine judges the plain one
            EXPECT_NE(Tip().find("the wine on PATH"), std::string::npos) << Tip();
            ASSERT_TRUE(app->SwitchPrefix({Action::OpenFolder, folder})) << c.way;
        }
        EXPECT_TRUE(JudgedByTheBuild()) << c.way;
        EXPECT_NE(Tip().find(home.Path(steam.build) + " (the build Steam records"),
                  std::string::npos)
            << c.way << ": " << Tip();
        // Nothing amiss: the pane names the prefix and says nothing after it.
        EXPECT_EQ(Status().find(" - ", Status().find("Wine prefix")), std::string::npos)
            << Status();
        app->ExitInstance();
    }
}

TEST_F(PrefixWineGui, TheStatusBarSaysOnceWhenNoneJudgesOrTheRecordedBuildIsGone) {
    const fixtures::LauncherBuild& lutris = fixtures::kLauncherBuilds[1];
    std::filesystem::remove_all(home.Path(lutris.build));
    const struct {
        std::string prefix;
        bool systemWine;
        std::string says;
    } cases[] = {
        {"apps/plain", false, "no Wine installation found: Wine's own entries are reported too"},
        {lutris.prefix, true,
         "the Wine build Lutris records (lutris-test) is gone: judged with the Wine at " +
             home.Path(fixtures::kSystemWine)},
    };
    for (const auto& c : cases) {
        SystemWineOnPath(c.systemWine);
        ASSERT_TRUE(app->InitInstance(
            {"drennow", "--prefix", QString::fromStdString(home.Path(c.prefix))}));
        const std::string status = Status();
        EXPECT_NE(status.find(c.says), std::string::npos) << status;
        EXPECT_EQ(status.find(c.says), status.rfind(c.says)) << status;
        EXPECT_NE(Tip().find(c.systemWine ? home.Path(lutris.build) : "--wine DIR"),
                  std::string::npos)
            << Tip();
        app->ExitInstance();
    }
}

}  // namespace
