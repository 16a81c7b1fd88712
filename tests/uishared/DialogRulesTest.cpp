// The dialogs' rules over a real test prefix, through a recording face: what a chosen row,
// a ticked box or a radio button enables, what the buttons change on disk, which keys end
// each dialog, and the templates' units.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "tests/fixtures/TestPrefix.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/uishared/RecordingFace.h"
#include "ui/shared/CleanRestore.h"
#include "ui/shared/IERestore.h"
#include "ui/shared/IgnoredEntriesDialog.h"

namespace {

namespace res = ui::res;
using uisharedtest::RecordingFace;

TEST(DialogRules, AChosenBackupEnablesItsActionsAndADeleteLeavesThemAsTheyWere) {
    fixtures::TestPrefix prefix;
    repairtest::WriteBytes(prefix.HostPath(repairtest::kBackupWindowsPath),
                           repairtest::Crlf("\n>>   4/5/2026  21:6:3  >>2\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\A]\n\"One\"=\"1\"\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\A]\n\"Two\"=\"2\"\n\n"
                                            "\n>>   5/5/2026  8:0:0  >>0\n\n"
                                            "\n>>   6/5/2026  10:11:12  >>1\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\B]\n\"Three\"=\"3\"\n"
                                            "\"Cut\"\n\n"));
    auto services = prefix.Open();
    repairtest::ScriptedHost host;
    RecordingFace face;
    ui::shared::CleanRestoreLogic logic(*services, host, face);
    face.onChoice = [&logic](int row) { logic.OnChosen(row); };
    enum Step { Choose, DoubleClick, Command };
    const struct {
        Step step;
        int arg;  // the row chosen, or the command
        bool enabled;
        std::size_t rows, details;
    } steps[] = {
        {Choose, 1, true, 2, 0},
        {Choose, -1, false, 2, 0},
        {DoubleClick, 0, false, 2, 0},  // no row: no detail
        {Choose, 0, true, 2, 0},
        {DoubleClick, 0, true, 2, 1},
        {Choose, 1, true, 2, 1},
        {Command, res::kCleanRestoreDetail, true, 2, 2},
        {Command, res::kCleanRestoreDelete, true, 1, 2},  // no row chosen after it
        {Command, res::kCleanRestoreDelete, true, 1, 2},  // so a second one deletes nothing
        {Command, res::kCleanRestoreDetail, true, 1, 3},  // the entries went with the backup
    };
    logic.Start();
    ASSERT_EQ(face.rows[res::kCleanRestoreList].size(), 2u);
    EXPECT_EQ(face.rows[res::kCleanRestoreList][1], (ui::shared::Row{u"6/5/2026  10:11:12", u"1"}));
    EXPECT_FALSE(face.enabled[res::kCleanRestoreDetail]);
    int index = 0;
    for (const auto& s : steps) {
        if (s.step == Choose) {
            face.selected[res::kCleanRestoreList] = s.arg;
            logic.OnChosen(s.arg);
        }
        if (s.step == DoubleClick) logic.OnDoubleClick();
        if (s.step == Command) {
            EXPECT_FALSE(logic.Command(s.arg));
        }
        for (int id :
             {res::kCleanRestoreDetail, res::kCleanRestoreRestore, res::kCleanRestoreDelete}) {
            EXPECT_EQ(face.enabled[id], s.enabled) << "step " << index << ", button " << id;
        }
        EXPECT_EQ(face.rows[res::kCleanRestoreList].size(), s.rows) << "step " << index;
        EXPECT_EQ(face.details.size(), s.details) << "step " << index;
        ++index;
    }
    EXPECT_EQ(face.details[0].first.size(), 2u);
    EXPECT_EQ(face.details[0].second, 0);
    EXPECT_EQ(face.details[1].first.size(), 1u);  // the third block, its cut line counted
    EXPECT_EQ(face.details[1].second, 1);
    EXPECT_TRUE(face.details[2].first.empty());
    EXPECT_EQ(
        repairtest::ReadBytes(prefix.HostPath(repairtest::kBackupWindowsPath)).find("10:11:12"),
        std::string::npos);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(ui::shared::DetailNote(0), "");
    EXPECT_EQ(ui::shared::DetailNote(1), "1 damaged line skipped");
}

TEST(DialogRules, EachBoxAndRadioEnablesItsControlsAndLockApplyWritesTheChosenOne) {
    fixtures::TestPrefix prefix;
    auto services = prefix.Open();
    repairtest::ScriptedHost host;
    RecordingFace face;
    ui::shared::IERestoreLogic logic(*services, host, face);
    logic.Start();
    EXPECT_EQ(face.texts[res::kIETitleEdit], u"Microsoft Internet Explorer");
    EXPECT_EQ(face.limits[res::kIEHomeEdit], 9999);
    const struct {
        int click;
        bool ticked;  // a check box's state after the click (it ticks itself)
        bool home, title, lockApply, lock, unlock;
    } clicks[] = {
        {0, false, false, false, false, false, false},
        {res::kIEHomeBox, true, true, false, false, false, false},
        {res::kIETitleBox, true, true, true, false, false, false},
        {res::kIEHomeBox, false, false, true, false, false, false},
        {res::kIEUnlock, true, false, true, true, false, true},
        {res::kIELock, true, false, true, true, true, false},
    };
    for (const auto& c : clicks) {
        if (c.click != 0) {
            face.checked[c.click] = c.ticked;
            EXPECT_FALSE(logic.Command(c.click));
        }
        EXPECT_EQ(face.enabled[res::kIEHomeEdit], c.home) << c.click;
        EXPECT_EQ(face.enabled[res::kIEHomeApply], c.home) << c.click;
        EXPECT_EQ(face.enabled[res::kIETitleEdit], c.title) << c.click;
        EXPECT_EQ(face.enabled[res::kIETitleApply], c.title) << c.click;
        EXPECT_EQ(face.enabled[res::kIELockApply], c.lockApply) << c.click;
        EXPECT_EQ(face.checked[res::kIELock], c.lock) << c.click;
        EXPECT_EQ(face.checked[res::kIEUnlock], c.unlock) << c.click;
    }
    face.texts[res::kIETitleEdit] = u"  Caf\u00e9  ";
    logic.Command(res::kIETitleApply);
    logic.Command(res::kIELockApply);
    EXPECT_EQ(host.boxes.size(), 2u);
    const std::string user = prefix.ReadHive(fixtures::Hive::User);
    EXPECT_NE(user.find("\"Window Title\"=\"Caf\\xe9\""), std::string::npos) << user;
    EXPECT_NE(user.find("\"DisableRegistryTools\"=dword:00000001"), std::string::npos);
}

TEST(DialogRules, RemoveTakesTheChosenEntryByWhatItNamesAfterAnotherProgramChangedTheList) {
    fixtures::TestPrefix prefix;
    const std::string path = prefix.HostPath("C:\\Program Files\\Norlix Drennow\\ignore.txt");
    const std::string header = "Norlix Drennow ignore list 1\r\n";
    const std::string oldKey = "key\t-\tHKEY_LOCAL_MACHINE\\Software\\Old\r\n";
    const std::string shortcut = "shortcut\t14\tC:\\users\\Public\\Desktop\r\n";
    repairtest::WriteBytes(path, header + oldKey + shortcut);
    auto services = prefix.Open();
    repairtest::ScriptedHost host;
    RecordingFace face;
    ui::shared::IgnoredEntriesLogic logic(*services, host, face);
    logic.Start();
    EXPECT_FALSE(face.enabled[res::kIgnoredRemove]);
    EXPECT_TRUE(face.enabled[res::kIgnoredRemoveAll]);
    face.selected[res::kIgnoredList] = 1;
    logic.OnChosen();
    EXPECT_TRUE(face.enabled[res::kIgnoredRemove]);
    // Another Drennow puts an entry first: row 1 now names the old key in the file.
    repairtest::WriteBytes(
        path, header + "value\t8\tHKEY_CURRENT_USER\\Software\\New\t@\r\n" + oldKey + shortcut);
    EXPECT_FALSE(logic.Command(res::kIgnoredRemove));
    EXPECT_EQ(repairtest::ReadBytes(path),
              header + "value\t8\tHKEY_CURRENT_USER\\Software\\New\t@\r\n" + oldKey);
    ASSERT_EQ(face.rows[res::kIgnoredList].size(), 2u);
    EXPECT_EQ(face.rows[res::kIgnoredList][0][2], u"<Default>");
    EXPECT_FALSE(face.enabled[res::kIgnoredRemove]);
    EXPECT_TRUE(host.boxes.empty());
}

TEST(DialogRules, OnlyDialogsWithACloseBoxEndOnEscapeAndEveryCloseButtonEnds) {
    fixtures::TestPrefix prefix;
    auto services = prefix.Open();
    repairtest::ScriptedHost host;
    RecordingFace face;
    ui::shared::CleanRestoreLogic cleanRestore(*services, host, face);
    ui::shared::IERestoreLogic ieRestore(*services, host, face);
    ui::shared::IgnoredEntriesLogic ignored(*services, host, face);
    const struct {
        const char* dialog;
        std::function<bool(int)> command;
        int close;
        bool escape, enter;
    } cases[] = {
        {"Clean Restore", [&](int id) { return cleanRestore.Command(id); }, res::kCleanRestoreClose,
         false, false},
        {"IE Restore", [&](int id) { return ieRestore.Command(id); }, res::kIEClose, true, false},
        {"Ignored Entries", [&](int id) { return ignored.Command(id); }, res::kIgnoredClose, false,
         false},
        {"Detail", ui::shared::DetailCommandEnds, res::kDetailClose, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.command(c.close)) << c.dialog;
        EXPECT_EQ(c.command(res::kEscapeKey), c.escape) << c.dialog;
        // Enter presses the default button (Close) where there is one, else nothing.
        EXPECT_EQ(c.command(res::kEnterKey), c.enter) << c.dialog;
    }
}

// Pixels become the nearest dialog units (1.5 pixels across, 1.625 down), so every control
// the Win32 dialogs place from units stands within a pixel of the Qt program's place.
TEST(DialogRules, TemplatesInPixelsBecomeTheNearestDialogUnits) {
    const struct {
        int pixels, acrossUnits, downUnits;
    } cases[] = {{0, 0, 0},    {1, 1, 1},    {2, 1, 1},       {12, 8, 7},     {25, 17, 15},
                 {30, 20, 18}, {73, 49, 45}, {280, 187, 172}, {494, 329, 304}};
    for (const auto& c : cases) {
        EXPECT_EQ(res::PixelsToUnitsX(c.pixels), c.acrossUnits) << c.pixels;
        EXPECT_EQ(res::PixelsToUnitsY(c.pixels), c.downUnits) << c.pixels;
    }
    for (const res::DialogTemplate* dialog : {&res::kCleanRestoreDialog, &res::kDetailDialog,
                                              &res::kIERestoreDialog, &res::kIgnoredDialog}) {
        for (const res::ControlTemplate& control : dialog->controls) {
            // Within half a unit: |units * 1.5 - pixels| <= 0.75, |units * 1.625 - pixels| <=
            // 0.8125.
            EXPECT_LE(std::abs(control.x * 6 - control.pixels.x * 4), 3) << control.id;
            EXPECT_LE(std::abs(control.y * 13 - control.pixels.y * 8), 6) << control.id;
            EXPECT_EQ(res::FindControl(*dialog, control.id), &control) << "twice: " << control.id;
            EXPECT_LT(control.pixels.x, dialog->pixels.width) << control.id;
            EXPECT_LT(control.pixels.y + control.pixels.height, dialog->pixels.height)
                << control.id;
        }
    }
}

}  // namespace
