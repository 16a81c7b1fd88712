// The IE Restore dialog over a real test prefix: what it shows at start, the enabling, and
// the three Apply buttons read back from the hive files.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "tests/fixtures/TestPrefix.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/ui/QtTesting.h"
#include "ui/CDialogIERestore.h"
#include "ui/DialogUnits.h"

namespace {

using fixtures::Hive;
constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";

template <class T>
T* Get(CDialogIERestore& dialog, int id) {
    auto* control = qobject_cast<T*>(dialog.Control(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

TEST(IERestoreDialog, ShowsCurrentValuesAndEnablesByCheckBox) {
    fixtures::TestPrefix prefix;
    prefix.SetString(Hive::User, kMain, "Start Page", "http://a.example/");
    prefix.SetString(Hive::User, kMain, "Window Title", std::string(40, 'T'));
    auto machine = prefix.Open();
    repairtest::ScriptedHost host;
    CDialogIERestore dialog(*machine, host);
    EXPECT_EQ(dialog.size(), ui::ClientOfWindow(500, 350));
    auto* edit = Get<QLineEdit>(dialog, 1009);
    EXPECT_EQ(edit->text().toStdString(), "http://a.example/");
    EXPECT_EQ(Get<QLineEdit>(dialog, 1012)->text().toStdString(), std::string(40, 'T'));
    EXPECT_EQ(edit->geometry(), QRect(40, 120, 350, 21));
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(Get<QPushButton>(dialog, 1010)->isEnabled());
    Get<QCheckBox>(dialog, 1008)->click();
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(Get<QPushButton>(dialog, 1010)->isEnabled());
    edit->setText("typed");
    Get<QCheckBox>(dialog, 1008)->click();
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(edit->text().toStdString(), "typed");
    EXPECT_EQ(edit->maxLength(), 9999);
}

TEST(IERestoreDialog, AppliesTheThreeSettingsIntoTheHives) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    repairtest::ScriptedHost host;
    CDialogIERestore dialog(*machine, host);
    // A missing title shows the default.
    EXPECT_EQ(Get<QLineEdit>(dialog, 1012)->text().toStdString(), "Microsoft Internet Explorer");

    Get<QCheckBox>(dialog, 1008)->click();
    Get<QLineEdit>(dialog, 1009)->setText("  http://home.example/  ");
    Get<QPushButton>(dialog, 1010)->click();
    Get<QCheckBox>(dialog, 1011)->click();
    Get<QLineEdit>(dialog, 1012)->setText("   ");
    Get<QPushButton>(dialog, 1013)->click();
    Get<QRadioButton>(dialog, 1015)->click();
    Get<QRadioButton>(dialog, 1014)->click();
    EXPECT_TRUE(Get<QRadioButton>(dialog, 1014)->isChecked());
    EXPECT_FALSE(Get<QRadioButton>(dialog, 1015)->isChecked());
    Get<QPushButton>(dialog, 1016)->click();

    ASSERT_EQ(host.boxes.size(), 3u);
    for (const auto& box : host.boxes) {
        EXPECT_EQ(box.text, "Apply Successed!");
        EXPECT_EQ(box.caption, "Information");
    }
    const std::string user = prefix.ReadHive(Hive::User);
    const std::string system = prefix.ReadHive(Hive::System);
    for (const std::string& hive : {user, system}) {
        EXPECT_NE(hive.find("\"Start Page\"=\"http://home.example/\""), std::string::npos);
        EXPECT_NE(hive.find("\"First Home Page\"=\"http://home.example/\""), std::string::npos);
        EXPECT_NE(hive.find("\"Window Title\"=\"Microsoft Internet Explorer\""), std::string::npos);
    }
    EXPECT_NE(user.find("\"DisableRegistryTools\"=dword:00000001"), std::string::npos);
}

TEST(IERestoreDialog, TypedTextReachesTheHiveThroughTheCodePage) {
    fixtures::TestPrefix prefix;
    auto machine = prefix.Open();
    repairtest::ScriptedHost host;
    CDialogIERestore dialog(*machine, host);
    Get<QCheckBox>(dialog, 1011)->click();
    // The euro sign is 0x80 in Windows-1252; a letter with no mapping at all becomes "?".
    Get<QLineEdit>(dialog, 1012)->setText(QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d"));
    Get<QPushButton>(dialog, 1013)->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Apply Successed!");
    auto reread = prefix.Open();
    CDialogIERestore again(*reread, host);
    EXPECT_EQ(Get<QLineEdit>(again, 1012)->text(), QString::fromUtf8("Caf\u00e9 \u20ac ?"));
}

}  // namespace
