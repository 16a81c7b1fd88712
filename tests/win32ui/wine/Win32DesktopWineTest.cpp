// drennow.exe under Wine on a 1024 x 768 virtual screen: the frame, its status bar and the
// dialogs stand where and as the layouts say, read from the windows themselves.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fixtures/WineTemplate.h"
#include "tests/fixtures/XServer.h"
#include "ui/res/Layouts.h"

namespace {

namespace fs = std::filesystem;

std::string WindowsExe() { return std::string(DRENNOW_WINDOWS_BUILD) + "/ui/win32/drennow.exe"; }

// The report's lines by their first word; a word given more than once keeps every line.
using Report = std::multimap<std::string, std::string>;

class Win32Desktop : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!fixtures::WineAvailable() || !fs::exists(WindowsExe())) return;
        fixtures::XServer screen(1024, 768);
        if (!screen.Running()) return;
        const std::string dir =
            (fs::temp_directory_path() / ("drennow-win32-ui-" + std::to_string(::getpid())))
                .string();
        if (fixtures::CopyWineTemplate(dir).empty()) return;
        const fixtures::WineRun run =
            fixtures::RunWine(dir, {WindowsExe(), "--report", "C:\\report.txt"});
        std::ifstream in(dir + "/drive_c/report.txt");
        for (std::string line; std::getline(in, line);) {
            const std::size_t space = line.find(' ');
            report_.emplace(line.substr(0, space),
                            space == std::string::npos ? "" : line.substr(space + 1));
        }
        status_ = run.exitCode;
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void SetUp() override {
        if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
        if (!fs::exists(WindowsExe())) GTEST_SKIP() << WindowsExe() << " is not built";
        if (::system("command -v Xvfb >/dev/null") != 0) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_EQ(status_, 0);
        ASSERT_FALSE(report_.empty());
    }
    static std::string One(const std::string& key) {
        const auto found = report_.find(key);
        return found == report_.end() ? "(missing)" : found->second;
    }
    static std::vector<std::string> All(const std::string& key) {
        std::vector<std::string> lines;
        for (auto [it, end] = report_.equal_range(key); it != end; ++it)
            lines.push_back(it->second);
        return lines;
    }

    // Dialog units of the dialog `name` to pixels, as the dialog manager rounds them.
    static std::pair<int, int> BaseUnits(const std::string& name) {
        std::istringstream base(One(name + ".baseunits"));
        int baseX = 0, baseY = 0;
        base >> baseX >> baseY;
        return {baseX, baseY};
    }
    static std::string Place(int id, int x, int y, int width, int height) {
        return std::to_string(id) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
               std::to_string(width) + " " + std::to_string(height);
    }

    static Report report_;
    static int status_;
};
Report Win32Desktop::report_;
int Win32Desktop::status_ = -1;

TEST_F(Win32Desktop, FrameIsCentredOpensMaximisedAndKeepsItsMinimum) {
    EXPECT_EQ(One("screen"), "1024 768");
    EXPECT_EQ(One("frame.restored"), "122 99 780 570");
    EXPECT_EQ(One("frame.maximized"), "1");
    EXPECT_EQ(One("frame.menu"), "0");
    EXPECT_EQ(One("frame.caption"), "Norlix Drennow");
    EXPECT_EQ(One("frame.mintrack"), "640 500");
}

TEST_F(Win32Desktop, StatusBarHasTheMessagePaneAndThreeIndicators) {
    EXPECT_EQ(One("status.id"), "59393");
    EXPECT_EQ(One("status.parts"), "4");
    const std::vector<std::string> texts = All("status.text");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], std::string("0 ") + ui::text::kIdleMessage);
}

// Every control of the template, at its place in dialog units of the box's own font.
TEST_F(Win32Desktop, AboutBoxIsBuiltFromItsTemplate) {
    std::istringstream base(One("about.baseunits"));
    int baseX = 0, baseY = 0;
    base >> baseX >> baseY;
    ASSERT_GT(baseX, 0);
    ASSERT_GT(baseY, 0);
    auto x = [baseX](int units) { return (units * baseX + 2) / 4; };
    auto y = [baseY](int units) { return (units * baseY + 4) / 8; };
    const ui::res::DialogTemplate& about = ui::res::kAboutDialog;
    EXPECT_EQ(One("about.caption"), "About Norlix Drennow");
    EXPECT_EQ(One("about.client"),
              std::to_string(x(about.width)) + " " + std::to_string(y(about.height)));
    std::vector<std::string> places;
    std::vector<std::string> texts;
    for (const ui::res::ControlTemplate& control : about.controls) {
        // A static showing an icon takes the icon's own size, as on Windows.
        const bool icon = control.kind == ui::res::ControlKind::Icon;
        places.push_back(std::to_string(control.id) + " " + std::to_string(x(control.x)) + " " +
                         std::to_string(y(control.y)) + " " +
                         std::to_string(icon ? 32 : x(control.width)) + " " +
                         std::to_string(icon ? 32 : y(control.height)));
        texts.push_back(std::to_string(control.id) + " " + control.text);
    }
    EXPECT_EQ(All("about.control"), places);
    EXPECT_EQ(All("about.text"), texts);
}

// Each dialog at its template's size with every control at its place in dialog units of its
// own font, the detail dialog's as its layout places them for its size; the buttons that
// wait for a choice start disabled, and only the dialogs that Escape ends have a close box.
TEST_F(Win32Desktop, DialogsAreBuiltFromTheirTemplates) {
    namespace res = ui::res;
    const struct {
        const char* name;
        const res::DialogTemplate& layout;
        bool sysmenu;
        std::vector<int> disabled;
    } dialogs[] = {
        {"cleanrestore",
         res::kCleanRestoreDialog,
         false,
         {res::kCleanRestoreDetail, res::kCleanRestoreRestore, res::kCleanRestoreDelete}},
        {"detail", res::kDetailDialog, true, {}},
        {"ierestore",
         res::kIERestoreDialog,
         true,
         {res::kIEHomeEdit, res::kIEHomeApply, res::kIETitleEdit, res::kIETitleApply,
          res::kIELockApply}},
        {"ignored", res::kIgnoredDialog, false, {res::kIgnoredRemove, res::kIgnoredRemoveAll}},
    };
    for (const auto& d : dialogs) {
        const std::string name = d.name;
        const auto [baseX, baseY] = BaseUnits(name);
        ASSERT_GT(baseX, 0) << name;
        ASSERT_GT(baseY, 0) << name;
        auto x = [baseX](int units) { return (units * baseX + 2) / 4; };
        auto y = [baseY](int units) { return (units * baseY + 4) / 8; };
        const int width = x(d.layout.width), height = y(d.layout.height);
        EXPECT_EQ(One(name + ".client"), std::to_string(width) + " " + std::to_string(height));
        EXPECT_EQ(One(name + ".caption"), d.layout.caption);
        EXPECT_EQ(One(name + ".sysmenu"), d.sysmenu ? "1" : "0") << name;
        const res::DetailPlaces detail = res::DetailLayout(width, height);
        std::vector<std::string> places, states;
        for (const res::ControlTemplate& c : d.layout.controls) {
            if (&d.layout == &res::kDetailDialog) {
                const res::Place p = res::DetailPlace(detail, c.id);
                places.push_back(Place(c.id, p.x, p.y, p.width, p.height));
            } else if (c.kind == res::ControlKind::EtchedLine) {
                // Wine gives the line a border of its own: it only has to start in its place
                // and reach across the dialog.
                places.push_back(std::to_string(c.id) + " " + std::to_string(x(c.x)) + " " +
                                 std::to_string(y(c.y)));
            } else {
                places.push_back(Place(c.id, x(c.x), y(c.y), x(c.width), y(c.height)));
            }
            const bool disabled =
                std::find(d.disabled.begin(), d.disabled.end(), c.id) != d.disabled.end();
            // The detail dialog's note shows only when damaged lines were skipped.
            const bool hidden = c.id == res::kDetailNote && &d.layout == &res::kDetailDialog;
            states.push_back(std::to_string(c.id) + (disabled ? " 0" : " 1") +
                             (hidden ? " 0" : " 1"));
        }
        std::vector<std::string> reported = All(name + ".control");
        for (std::size_t i = 0; i < reported.size() && i < d.layout.controls.size(); ++i) {
            if (&d.layout == &res::kDetailDialog ||
                d.layout.controls[i].kind != res::ControlKind::EtchedLine)
                continue;
            std::istringstream line(reported[i]);
            int id = 0, left = 0, top = 0, across = 0;
            line >> id >> left >> top >> across;
            EXPECT_GE(left + across, width) << name;
            reported[i] =
                std::to_string(id) + " " + std::to_string(left) + " " + std::to_string(top);
        }
        EXPECT_EQ(reported, places) << name;
        EXPECT_EQ(All(name + ".state"), states) << name;
    }
    EXPECT_EQ(All("cleanrestore.text")[6], "1006 &Close");
    EXPECT_EQ(All("ierestore.text")[9], "1014 Lock Registry Edit (Regedit)");
}

}  // namespace
