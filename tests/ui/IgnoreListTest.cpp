// The ignore list in the desktop program: a problem row's context menu takes the entry off the
// results and their counts at once and onto the list, and the Ignored Entries dialog lists and
// removes entries, all over a real test prefix.
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "repair/IgnoreFile.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/ui/QtTesting.h"
#include "tests/ui/ViewTestSupport.h"
#include "ui/CButtonEx.h"
#include "ui/CDialogIgnoredEntries.h"
#include "ui/CListCtrlResult.h"
#include "ui/CStaticLink.h"
#include "ui/res/ResourceIds.h"

namespace {

using fixtures::Hive;
namespace res = ui::res;

constexpr const char* kShared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::string kStoredShared = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr int kSharedRow = 6;     // Shared Programs
constexpr int kShortcutRow = 13;  // Valid Shortcuts

std::vector<std::string> Lines(const std::string& hostPath) {
    std::vector<std::string> lines;
    const std::string text = repairtest::ReadBytes(hostPath);
    for (std::size_t from = 0, to; from < text.size(); from = to + 2) {
        to = text.find("\r\n", from);
        if (to == std::string::npos) break;
        lines.push_back(text.substr(from, to - from));
    }
    return lines;
}

class IgnoreInTheView : public ::testing::Test {
protected:
    void SetUp() override {
        prefix.SetDword(Hive::System, kShared, "C:\\Gone\\one.dll", 1);
        prefix.SetDword(Hive::System, kShared, "C:\\Gone\\two.dll", 1);
        prefix.SetDword(Hive::System, kShared, "C:\\Gone\\three.dll", 1);
        prefix.CreateShortcut("C:\\users\\Public\\Desktop\\Gone App.lnk", "C:\\Gone\\gone.exe");
        prefix.CreateShortcut("C:\\users\\Public\\Desktop\\Old Tool.lnk", "C:\\Gone\\old.exe");
        h = std::make_unique<uitest::ViewHarness>(prefix);
        Scan();
    }
    void Scan() {
        uitest::Click(h->view->Button(res::kScanButton), {10, 10});
        ASSERT_EQ(h->view->Screen(), engine::Screen::Results);
    }
    CListCtrlResult& List() { return *h->view->ProblemList(); }
    void Choose(int row, int item) {
        const std::unique_ptr<QMenu> menu = List().BuildContextMenu(row);
        ASSERT_EQ(menu->actions().size(), 2);
        menu->actions()[item]->trigger();
    }
    std::string Counts() {
        std::string counts;
        for (int row : {kSharedRow, kShortcutRow})
            counts += h->view->CountLink(row)->text().toStdString() + " ";
        return counts + h->view->ResultCountLabel()->text().toStdString();
    }
    std::string IgnorePath() const {
        return prefix.HostPath("C:\\Program Files\\Norlix Drennow\\ignore.txt");
    }

    fixtures::TestPrefix prefix;
    std::unique_ptr<uitest::ViewHarness> h;
};

TEST_F(IgnoreInTheView, TheContextMenuTakesRowsOffAtOnceAndTheNextScanLeavesThemOut) {
    ASSERT_EQ(Counts(), "3 2 5 problem(s) found");
    ASSERT_EQ(h->view->MarkerRow(), kSharedRow);
    const std::unique_ptr<QMenu> menu = List().BuildContextMenu(0);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Ignore This &Entry");
    EXPECT_EQ(menu->actions()[1]->text(), "Ignore This &Key");

    // Each row's tooltip says what was looked for, and where.
    EXPECT_TRUE(List().ToolTipText(0).startsWith("Looked for C:\\Gone\\"))
        << List().ToolTipText(0).toStdString();
    EXPECT_TRUE(List().ToolTipText(0).contains("/drive_c/Gone/"));

    const std::string first = List().ColumnText(0, 2);
    Choose(0, 0);  // this value only
    EXPECT_EQ(Counts(), "2 2 4 problem(s) found");
    EXPECT_EQ(List().RowCount(), 2);
    EXPECT_NE(List().ColumnText(0, 2), first);

    Choose(1, 1);  // the key: both other values go, the shortcuts are shown
    EXPECT_EQ(Counts(), "0 2 2 problem(s) found");
    EXPECT_EQ(h->view->MarkerRow(), kShortcutRow);
    h->view->OnCommand(res::kFirstSectionLink + kSharedRow);  // an emptied section's link is dead
    EXPECT_EQ(h->view->MarkerRow(), kShortcutRow);

    // A shortcut file has no key to ignore.
    EXPECT_FALSE(List().BuildContextMenu(0)->actions()[1]->isEnabled());
    Choose(0, 0);
    EXPECT_EQ(Counts(), "0 1 1 problem(s) found");
    EXPECT_EQ(h->view->Session().Results().ignored, 4);

    EXPECT_EQ(Lines(IgnorePath()),
              (std::vector<std::string>{
                  "Norlix Drennow ignore list 1",
                  // The key as the hive spells it.
                  "value\t7\tHKEY_LOCAL_MACHINE\\" + kStoredShared + "\tC:\\Gone\\one.dll",
                  "key\t7\tHKEY_LOCAL_MACHINE\\" + kStoredShared,
                  "shortcut\t14\tC:\\users\\Public\\Desktop\\Gone App.lnk"}));

    // Shift+F10 opens the same menu from the keyboard; closed unchosen, it changes nothing.
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        for (QAction* action : popup->actions()) shown << action->text();
        popup->close();
    });
    QTest::keyClick(&List(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(shown, QStringList({"Ignore This &Entry", "Ignore This &Key"}));
    EXPECT_EQ(Counts(), "0 1 1 problem(s) found");

    uitest::Click(h->view->Button(res::kCancelResultButton), {10, 10});
    Scan();
    EXPECT_EQ(Counts(), "0 1 1 problem(s) found");
    EXPECT_EQ(h->view->Session().Results().ignored, 4);
}

TEST(IgnoredEntriesDialog, ListsTheEntriesAndRemovesThemFromTheFile) {
    fixtures::TestPrefix prefix;
    const std::string path = prefix.HostPath("C:\\Program Files\\Norlix Drennow\\ignore.txt");
    repairtest::WriteBytes(path,
                           "Norlix Drennow ignore list 1\r\n"
                           "value\t8\tHKEY_CURRENT_USER\\Software\\T\xC5\x8Dol\t@\r\n"
                           "key\t-\tHKEY_LOCAL_MACHINE\\Software\\Old\r\n"
                           "shortcut\t14\tC:\\users\\Public\\Desktop\r\n");
    auto services = prefix.Open();
    repairtest::ScriptedHost host;
    CDialogIgnoredEntries dialog(*services, host);
    dialog.show();
    auto* list = static_cast<QTreeWidget*>(dialog.Control(CDialogIgnoredEntries::kIdEntryList));
    auto button = [&dialog](int id) { return static_cast<QPushButton*>(dialog.Control(id)); };
    EXPECT_EQ(dialog.windowTitle(), "Ignored Entries");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    const struct {
        const char16_t* section;
        const char16_t* key;
        const char16_t* name;
    } rows[] = {
        {u"Startup Programs", u"HKEY_CURRENT_USER\\Software\\T\u014Dol", u"<Default>"},
        {u"-", u"HKEY_LOCAL_MACHINE\\Software\\Old", u"(whole key)"},
        {u"Valid Shortcut", u"C:\\users\\Public\\Desktop", u"(shortcut file or folder)"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const char16_t* expected[] = {rows[row].section, rows[row].key, rows[row].name};
            EXPECT_EQ(list->topLevelItem(row)->text(column), QString::fromUtf16(expected[column]));
        }
    EXPECT_FALSE(button(CDialogIgnoredEntries::kIdRemove)->isEnabled());
    EXPECT_TRUE(button(CDialogIgnoredEntries::kIdRemoveAll)->isEnabled());

    list->setCurrentItem(list->topLevelItem(1));
    ASSERT_TRUE(button(CDialogIgnoredEntries::kIdRemove)->isEnabled());
    button(CDialogIgnoredEntries::kIdRemove)->click();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(Lines(path).size(), 3u);
    EXPECT_EQ(repairtest::ReadBytes(path).find("Software\\Old"), std::string::npos);

    host.answers = {engine::Answer::No, engine::Answer::Yes};
    button(CDialogIgnoredEntries::kIdRemoveAll)->click();  // No: nothing goes
    EXPECT_EQ(list->topLevelItemCount(), 2);
    button(CDialogIgnoredEntries::kIdRemoveAll)->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(Lines(path), (std::vector<std::string>{"Norlix Drennow ignore list 1"}));
    EXPECT_FALSE(button(CDialogIgnoredEntries::kIdRemoveAll)->isEnabled());
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].style,
              engine::BoxStyle(engine::Buttons::YesNo, engine::Icon::Question));
}

}  // namespace
