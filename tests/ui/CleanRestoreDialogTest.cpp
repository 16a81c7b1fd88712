// The Clean Restore dialogs over a real test prefix with a real backup file: the list, the
// buttons' enabling, Detail, Restore read back from the hive files, Delete read back from the
// backup file, closing, and the pixel layouts.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QScrollBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/ScanResultsBuilder.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/platform/files/FilesTestSupport.h"
#include "tests/repair/RepairTestSupport.h"
#include "tests/repair/ScriptedHost.h"
#include "tests/ui/QtTesting.h"
#include "ui/CDialogCleanRestore.h"
#include "ui/DialogUnits.h"
#include "ui/CDialogCleanRestoreDetail.h"
#include "ui/CListCtrlResult.h"

namespace {

using fixtures::Hive;
using repairtest::Crlf;
using repairtest::ReadBytes;
using Dialog = CDialogCleanRestore;

// Blocks of counts 2, 0 and 3, as a repair writes them.
const std::string kFirstTwoBlocks =
    "\n>>   4/5/2026  21:6:3  >>2\n\n"
    "[HKEY_CURRENT_USER\\Software\\First]\n\"One\"=\"1\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\First]\n\"Two\"=\"2\"\n\n"
    "\n>>   5/5/2026  8:0:0  >>0\n\n";
const std::string kThirdBlock =
    "\n>>   6/5/2026  10:11:12  >>3\n\n"
    "[HKEY_CURRENT_USER\\Software\\Tool]\n\"Path\"=\"c:\\\\old\\\\tool.exe\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\Tool]\n\"Count\"=dword:0000000B\n\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Tool]\n@=hex(2):97,00,98,00,00,00\n\n";

// What a detail dialog showed while it was open.
struct Shown {
    QString title;
    bool readOnly = false;
    std::vector<std::string> keys, values, marks;
    QString note;  // the damaged lines' note, when it shows
};

// Answers Detail by recording the dialog instead of running it; also clicks where a problem
// list would take the choice "leave", which must change nothing here.
class AnsweredDialog : public Dialog {
public:
    using Dialog::Dialog;
    std::vector<Shown> details;

protected:
    void RunDetail(CDialogCleanRestoreDetail& detail) override {
        CListCtrlResult* list = detail.EntryList();
        if (list->RowCount() > 0) {
            const QRect row = list->SubItemRect(0);
            uitest::Click(list->viewport(), QPoint(row.left() + 250, row.top() + 45));
        }
        Shown shown{detail.windowTitle(), list->RepairLogMode(), {}, {}, {}, {}};
        for (int r = 0; r < list->RowCount(); ++r) {
            shown.keys.push_back(list->ColumnText(r, 1));
            shown.values.push_back(list->ColumnText(r, 2));
            shown.marks.push_back(list->ColumnText(r, 3));
        }
        const auto* note = static_cast<QLabel*>(detail.Control(CDialogCleanRestoreDetail::kIdNote));
        if (note->isVisibleTo(&detail)) shown.note = note->text();
        details.push_back(shown);
    }
};

class CleanRestoreDialog : public ::testing::Test {
protected:
    fixtures::TestPrefix prefix;
    repairtest::ScriptedHost host;
    std::unique_ptr<platform::Services> services;

    std::string BackupPath() const { return prefix.HostPath(repairtest::kBackupWindowsPath); }
    std::unique_ptr<AnsweredDialog> Open(const std::string* backup = nullptr) {
        if (backup) repairtest::WriteBytes(BackupPath(), Crlf(*backup));
        if (!services) services = prefix.Open();
        auto dialog = std::make_unique<AnsweredDialog>(*services, host);
        dialog->show();
        return dialog;
    }
    static QTreeWidget* List(Dialog& d) {
        return static_cast<QTreeWidget*>(d.Control(Dialog::kIdBackupList));
    }
    static QPushButton* Button(Dialog& d, int id) {
        return static_cast<QPushButton*>(d.Control(id));
    }
    static bool ButtonsEnabled(Dialog& d) {
        const bool on = Button(d, Dialog::kIdDetail)->isEnabled();
        EXPECT_EQ(Button(d, Dialog::kIdRestore)->isEnabled(), on);
        EXPECT_EQ(Button(d, Dialog::kIdDelete)->isEnabled(), on);
        return on;
    }
    static QPoint RowPoint(Dialog& d, int row) {
        return List(d)->visualItemRect(List(d)->topLevelItem(row)).center();
    }
    static QPoint EmptyPoint(Dialog& d) { return {20, List(d)->viewport()->height() - 5}; }
    static void ClickRow(Dialog& d, int row) {
        uitest::Click(List(d)->viewport(), RowPoint(d, row));
    }
};

TEST_F(CleanRestoreDialog, WithoutBackupsTheListIsEmptyAndOnlyCloseEndsTheDialog) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Clean Restore");
    EXPECT_EQ(List(*dialog)->topLevelItemCount(), 0);
    EXPECT_FALSE(ButtonsEnabled(*dialog));
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowSystemMenuHint);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->isVisible());
    Button(*dialog, Dialog::kIdClose)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    auto again = Open();
    QTest::keyClick(List(*again), Qt::Key_Return);  // the default button, Close
    EXPECT_FALSE(again->isVisible());
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(CleanRestoreDialog, ListsBlocksAboveZeroAndClicksEnableTheButtons) {
    const std::string backup = kFirstTwoBlocks + kThirdBlock;
    auto dialog = Open(&backup);
    QTreeWidget* list = List(*dialog);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "4/5/2026  21:6:3");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "2");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "6/5/2026  10:11:12");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "3");
    EXPECT_EQ(list->topLevelItem(1)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    ClickRow(*dialog, 1);
    EXPECT_TRUE(ButtonsEnabled(*dialog));
    Button(*dialog, Dialog::kIdDetail)->click();
    ASSERT_EQ(dialog->details.size(), 1u);
    const Shown& shown = dialog->details[0];
    EXPECT_EQ(shown.title, "Clean Restore - Detail");
    EXPECT_TRUE(shown.readOnly);
    EXPECT_EQ(shown.keys, (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Tool",
                                                    "HKEY_CURRENT_USER\\Software\\Tool",
                                                    "HKEY_LOCAL_MACHINE\\Software\\Tool"}));
    EXPECT_EQ(shown.values[0], "Path = c:\\old\\tool.exe");
    EXPECT_EQ(shown.values[2], "<Default>");
    EXPECT_EQ(shown.marks, (std::vector<std::string>{"0", "0", "0"}));
    EXPECT_TRUE(shown.note.isEmpty());

    uitest::Click(list->viewport(), EmptyPoint(*dialog));
    EXPECT_FALSE(ButtonsEnabled(*dialog));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    uitest::DoubleClick(list->viewport(), EmptyPoint(*dialog));
    EXPECT_EQ(dialog->details.size(), 1u);
    uitest::DoubleClick(list->viewport(), RowPoint(*dialog, 0));
    ASSERT_EQ(dialog->details.size(), 2u);
    EXPECT_EQ(dialog->details[1].values, (std::vector<std::string>{"One = 1", "Two = 2"}));
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(CleanRestoreDialog, RestoreWritesTheClickedBackupIntoTheHives) {
    const std::string backup = kFirstTwoBlocks + kThirdBlock;
    auto dialog = Open(&backup);
    ClickRow(*dialog, 1);
    Button(*dialog, Dialog::kIdRestore)->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Restore Successed!");
    EXPECT_EQ(host.boxes[0].caption, "Information");
    EXPECT_EQ(host.boxes[0].style, engine::Icon::Information);
    const std::string user = prefix.ReadHive(Hive::User);
    EXPECT_NE(user.find("\"Path\"=\"c:\\\\old\\\\tool.exe\""), std::string::npos) << user;
    EXPECT_NE(user.find("\"Count\"=dword:0000000b"), std::string::npos);
    EXPECT_EQ(user.find("\"One\""), std::string::npos);
    EXPECT_NE(prefix.ReadHive(Hive::System).find("@=str(2):\"ab\""), std::string::npos);
}

TEST_F(CleanRestoreDialog, DeleteRemovesTheSelectedRowsBlockAndEmptiesTheEntries) {
    const std::string backup = kFirstTwoBlocks + kThirdBlock;
    auto dialog = Open(&backup);
    // The row chosen with the arrow key is the row every button acts on: Detail shows row 1
    // (three keys; row 0 has two), Delete removes it.
    ClickRow(*dialog, 0);
    QTest::keyClick(List(*dialog), Qt::Key_Down);
    ASSERT_EQ(List(*dialog)->currentIndex().row(), 1);
    Button(*dialog, Dialog::kIdDetail)->click();
    EXPECT_EQ(dialog->details.back().keys.size(), 3u);
    Button(*dialog, Dialog::kIdDelete)->click();
    ASSERT_EQ(List(*dialog)->topLevelItemCount(), 1);
    EXPECT_EQ(List(*dialog)->topLevelItem(0)->text(1), "2");
    EXPECT_TRUE(ButtonsEnabled(*dialog));
    const std::string kept = Crlf(
        ">>   4/5/2026  21:6:3  >>2\n[HKEY_CURRENT_USER\\Software\\First]\n\"One\"=\"1\"\n"
        "[HKEY_CURRENT_USER\\Software\\First]\n\"Two\"=\"2\"\n>>   5/5/2026  8:0:0  >>0\n");
    EXPECT_EQ(ReadBytes(BackupPath()), kept);

    // An arrow key on a button keeps the focus there: Space after Down never reaches Delete.
    Button(*dialog, Dialog::kIdRestore)->setFocus();
    QTest::keyClick(Button(*dialog, Dialog::kIdRestore), Qt::Key_Down);
    EXPECT_EQ(dialog->focusWidget(), Button(*dialog, Dialog::kIdRestore));

    // No row is selected after the delete, so a second Delete removes nothing.
    Button(*dialog, Dialog::kIdDelete)->click();
    EXPECT_EQ(List(*dialog)->topLevelItemCount(), 1);
    EXPECT_EQ(ReadBytes(BackupPath()), kept);

    const std::string userBefore = prefix.ReadHive(Hive::User);
    Button(*dialog, Dialog::kIdRestore)->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Restore Successed!");
    EXPECT_EQ(prefix.ReadHive(Hive::User), userBefore);
    Button(*dialog, Dialog::kIdDetail)->click();
    EXPECT_TRUE(dialog->details.back().keys.empty());
}

TEST_F(CleanRestoreDialog, DeleteInAReadOnlyBackupFolderKeepsRowAndFileAndSaysSo) {
    const std::string backup = kFirstTwoBlocks + kThirdBlock;
    auto dialog = Open(&backup);
    ClickRow(*dialog, 0);
    const std::filesystem::path folder = std::filesystem::path(BackupPath()).parent_path();
    // The folder belongs to the user who runs the check, so only its mode forbids the write.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    }
    std::filesystem::permissions(folder, std::filesystem::perms(0555));
    const int result = files_test::RunUnprivileged(prefix.Dir(), [&] {
        Button(*dialog, Dialog::kIdDelete)->click();
        if (List(*dialog)->topLevelItemCount() != 2) return 1;
        if (host.boxes.size() != 1 ||
            host.boxes[0].text.find("could not be deleted") == std::string::npos)
            return 2;
        return 0;
    });
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(BackupPath()), Crlf(backup));
}

TEST_F(CleanRestoreDialog, ControlsKeepTheirPixelPlacesAtAnySize) {
    auto dialog = Open();
    // 500 x 350 with the frame: Close ends a margin above the window's foot.
    const QSize client = ui::ClientOfWindow(500, 350);
    EXPECT_EQ(dialog->size(), client);
    EXPECT_LE(client.height() - dialog->Control(Dialog::kIdClose)->geometry().bottom(), 10);
    // No system menu, no window buttons, and a size that cannot change (so no maximising
    // into a large window with the controls in its corner).
    for (const Qt::WindowType hint : {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                      Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        EXPECT_FALSE(dialog->windowFlags().testFlag(hint)) << hint;
    EXPECT_EQ(dialog->minimumSize(), client);
    EXPECT_EQ(dialog->maximumSize(), client);
    const std::vector<std::pair<int, QRect>> places = {
        {Dialog::kIdCaption, {12, 6, 250, 18}},
        {Dialog::kIdBackupList, {12, 30, 390, 240}},
        {Dialog::kIdDetail, {410, 30, 73, 25}},
        {Dialog::kIdRestore, {410, 70, 73, 25}},
        {Dialog::kIdDelete, {410, 110, 73, 25}},
        {Dialog::kIdSeparator, {0, 280, client.width(), 2}},
        {Dialog::kIdClose, {410, 290, 73, 25}}};
    for (const QSize size : {client, QSize(720, 260)}) {
        dialog->resize(size);
        for (const auto& [id, place] : places)
            EXPECT_EQ(dialog->Control(id)->geometry(), place) << id << " at " << size.width();
    }
    QTreeWidget* list = List(*dialog);
    EXPECT_EQ(list->headerItem()->text(0), "Backup Time");
    EXPECT_EQ(list->headerItem()->text(1), "Backup Counts");
    EXPECT_EQ(list->columnWidth(0), 250);
    EXPECT_EQ(list->columnWidth(1), 100);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(Button(*dialog, Dialog::kIdClose)->isDefault());
    EXPECT_EQ(Button(*dialog, Dialog::kIdClose)->text(), "&Close");
}

// Openbox offers a minimise box the dialog does not ask for, and iconifies the main window
// with it: both come back.
TEST_F(CleanRestoreDialog, MinimisedByTheWindowManagerBothWindowsComeBack) {
    QWidget main;
    main.show();
    services = prefix.Open();
    CDialogCleanRestore dialog(*services, host, &main);
    dialog.show();
    main.setWindowState(Qt::WindowMinimized);
    dialog.setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_FALSE(dialog.isMinimized());
    EXPECT_FALSE(main.isMinimized());
}

TEST_F(CleanRestoreDialog, DetailShowsTheEntriesAfterACutOneAndSaysALineWasSkipped) {
    const std::string backup =
        "\n>>   7/5/2026  9:0:0  >>3\n\n"
        "[HKEY_CURRENT_USER\\Software\\A]\n\"One\"=\"1\"\n\n"
        "[HKEY_CURRENT_USER\\Software\\Cut]\n\n"
        "[HKEY_CURRENT_USER\\Software\\B]\n\"Two\"=\"2\"\n\n";
    auto dialog = Open(&backup);
    ClickRow(*dialog, 0);
    Button(*dialog, Dialog::kIdDetail)->click();
    ASSERT_EQ(dialog->details.size(), 1u);
    EXPECT_EQ(dialog->details[0].values, (std::vector<std::string>{"One = 1", "Two = 2"}));
    EXPECT_EQ(dialog->details[0].note, "1 damaged line skipped");
}

TEST(CleanRestoreDetail, ListFollowsTheSizeAndMaximising) {
    CDialogCleanRestoreDetail detail(
        fixtures::ProblemsFromTexts({"[HKEY_USERS\\x]", "@", "\"y\"", "0"}), nullptr, {}, 2);
    EXPECT_TRUE(detail.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(detail.size(), QSize(460, 330));
    auto expectLayout = [&detail] {
        const int cx = detail.width(), cy = detail.height();
        EXPECT_EQ(detail.Control(40001)->geometry(), QRect(12, 6, cx - 24, cy - 60));
        EXPECT_EQ(detail.Control(1004)->geometry(), QRect(0, cy - 45, cx, 2));
        EXPECT_EQ(detail.Control(1006)->geometry(), QRect(cx - 85, cy - 35, 73, 25));
        EXPECT_EQ(detail.Control(1005)->geometry(), QRect(12, cy - 31, cx - 109, 18));
    };
    EXPECT_EQ(static_cast<QLabel*>(detail.Control(1005))->text(), "2 damaged lines skipped");
    expectLayout();
    EXPECT_EQ(detail.Control(40001)->geometry(), QRect(12, 6, 436, 270));
    detail.showMaximized();
    QTest::qWait(20);
    EXPECT_GT(detail.width(), 460);
    expectLayout();
    EXPECT_EQ(detail.EntryList()->RowCount(), 1);
    // The saved entries were never repaired: no red "Repaired" mark, and the short entry needs
    // no scroll bar across.
    const QImage shown = detail.EntryList()->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) red += uitest::IsReddish(shown.pixel(x, y));
    EXPECT_EQ(red, 0);
    EXPECT_EQ(detail.EntryList()->horizontalScrollBar()->maximum(), 0);
}

TEST(CleanRestoreDetail, EscapeCloseBoxAndCloseEachCloseIt) {
    for (int way = 0; way < 4; ++way) {
        CDialogCleanRestoreDetail detail({});
        detail.show();
        if (way == 0) QTest::keyClick(&detail, Qt::Key_Escape);
        if (way == 1) detail.close();
        if (way == 2) static_cast<QPushButton*>(detail.Control(1006))->click();
        if (way == 3) QTest::keyClick(detail.Control(40001), Qt::Key_Return);
        EXPECT_FALSE(detail.isVisible()) << way;
    }
}

TEST_F(CleanRestoreDialog, DetailRunsAsAModalDialogOfItsOwn) {
    repairtest::WriteBytes(BackupPath(), Crlf(kFirstTwoBlocks));
    services = prefix.Open();
    CDialogCleanRestore dialog(*services, host);
    dialog.show();
    ClickRow(dialog, 0);
    int rows = -1;
    bool modal = false;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* detail = qobject_cast<CDialogCleanRestoreDetail*>(window);
            if (!detail || !detail->isVisible()) continue;
            rows = detail->EntryList()->RowCount();
            modal = detail->isModal() && detail->parentWidget() == nullptr;
            detail->reject();
        }
    });
    answer.start();
    Button(dialog, Dialog::kIdDetail)->click();
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(modal);
}

}  // namespace
