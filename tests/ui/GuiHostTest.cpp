// The Qt host: message boxes with the engine's texts, buttons and icons, answers mapped back,
// labels in Windows-1252, the override cursor balanced.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <gtest/gtest.h>

#include "tests/ui/QtTesting.h"
#include "ui/GuiHost.h"

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Shows a real box through the host and presses `press` on it once it is up.
engine::Answer ShowAndPress(ui::GuiHost& host, const std::string& text, const std::string& caption,
                            engine::BoxStyle style, QMessageBox::StandardButton press,
                            SeenBox& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(press)->click();
    });
    return host.MessageBox(text, caption, style);
}

TEST(GuiHostMessageBox, TextsButtonsIconsAndAnswers) {
    ui::GuiHost host(nullptr);
    SeenBox seen;
    EXPECT_EQ(ShowAndPress(host, "No Problems Detected!", "Information", engine::Icon::Information,
                           QMessageBox::Ok, seen),
              engine::Answer::Ok);
    EXPECT_EQ(seen.title.toStdString(), "Information");
    EXPECT_EQ(seen.text.toStdString(), "No Problems Detected!");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // The backup question: Yes/No/Cancel with the question icon; each answer comes back.
    const engine::BoxStyle question(engine::Buttons::YesNoCancel, engine::Icon::Question);
    EXPECT_EQ(ShowAndPress(host, "q", "Information", question, QMessageBox::No, seen),
              engine::Answer::No);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(ShowAndPress(host, "q", "Information", question, QMessageBox::Yes, seen),
              engine::Answer::Yes);
    EXPECT_EQ(ShowAndPress(host, "q", "Information", question, QMessageBox::Cancel, seen),
              engine::Answer::Cancel);

    // The repair total has no caption of its own and no icon: the application's title shows.
    EXPECT_EQ(ShowAndPress(host, "Total 2", "", engine::Buttons::Ok, QMessageBox::Ok, seen),
              engine::Answer::Ok);
    EXPECT_EQ(seen.title.toStdString(), "Norlix Drennow");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
}

// Whether `part` is laid out on one line of the box's text.
bool OnOneLine(QMessageBox& box, const QString& part) {
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    if (!label) return false;
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setHtml(label->text());
    document.setTextWidth(label->contentsRect().width());
    document.documentLayout()->documentSize();  // lays the lines out
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (block.text().mid(line.textStart(), line.textLength()).contains(part)) return true;
        }
    }
    return false;
}

// The wineserver refusal of a repair for `folder`, built and shown.
std::unique_ptr<QMessageBox> ShownServerRefusal(const std::string& folder,
                                                const std::string& command) {
    const std::string refusal =
        "Nothing has been repaired: A wineserver is running for the prefix\n    " + folder +
        "\nIt keeps its own copy of the registry and would overwrite any change. Close the "
        "prefix's programs, or stop the server with\n    " +
        command + "\nthen try again.";
    auto box =
        ui::GuiHost::BuildMessageBox(refusal, "Information", engine::Icon::Information, nullptr);
    box->show();
    QApplication::processEvents();
    return box;
}

TEST(GuiHostMessageBox, FoldersAndCommandsStayWholeAndCaptionsFit) {
    const std::string folder = "/tmp/a-rather-long-folder-name/for-the-prefix/of-some-program";
    const std::string command = "WINEPREFIX=" + folder + " wineserver -k";
    auto box = ShownServerRefusal(folder, command);
    EXPECT_TRUE(OnOneLine(*box, QString::fromStdString(folder)));
    EXPECT_TRUE(OnOneLine(*box, QString::fromStdString(command)));
    // The special characters are shown as written.
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    QTextDocument shown;
    shown.setHtml(label->text());
    EXPECT_TRUE(shown.toPlainText().contains("prefix's programs, or stop the server with"));

    // A short text with no icon: the box is still wide enough for its caption.
    auto applied = ui::GuiHost::BuildMessageBox("Apply Successed!", "Information",
                                                engine::Buttons::Ok, nullptr);
    applied->show();
    QApplication::processEvents();
    EXPECT_GE(applied->width(), applied->fontMetrics().horizontalAdvance("Information") + 100);
}

// A folder too long for Qt's own limit on a box's width: the box grows to show it whole,
// and every other line wraps inside the box (none runs past its edge or its foot).
TEST(GuiHostMessageBox, LongFoldersStayWholeAndTheRestWrapsInsideTheBox) {
    const std::string folder =
        "/home/someone-with-a-rather-long-name/.local/share/Steam/steamapps/"
        "compatdata/1234567/pfx";
    const std::string command = "WINEPREFIX=" + folder + " wineserver -k";
    auto box = ShownServerRefusal(folder, command);
    EXPECT_TRUE(OnOneLine(*box, QString::fromStdString(folder)));
    EXPECT_TRUE(OnOneLine(*box, QString::fromStdString(command)));
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->geometry().right(), box->width()) << "the text runs past the box's edge";
    QTextDocument shown;
    shown.setDocumentMargin(0);  // as the label lays its text out
    shown.setDefaultFont(label->font());
    shown.setHtml(label->text());
    shown.setTextWidth(label->contentsRect().width());
    EXPECT_LE(shown.size().height(), label->contentsRect().height() + 1)
        << "lines are cut at the foot";
    EXPECT_LE(box->width(), box->screen()->availableGeometry().width());
    const QTemporaryDir folderForPng;
    uitest::RenderToPng(box.get(), folderForPng, "wineserver-box");
}

TEST(GuiHostMessageBox, HandlerAnswersInsteadOfABox) {
    ui::GuiHost host(nullptr);
    std::vector<std::string> asked;
    host.SetMessageBoxHandler([&](const std::string& text, const std::string&, engine::BoxStyle) {
        asked.push_back(text);
        return engine::Answer::No;
    });
    EXPECT_EQ(host.MessageBox("a", "Information", engine::Buttons::YesNo), engine::Answer::No);
    EXPECT_EQ(asked, std::vector<std::string>{"a"});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(GuiHostLabels, TextsReachTheWidgetsFromWindows1252) {
    ui::GuiHost host(nullptr);
    QLabel name, counter;
    host.SetLabels(ui::LabelSetter(&name), nullptr, nullptr);
    host.SetSectionCounter(14, ui::LabelSetter(&counter));
    host.SectionNameLabel()->SetText("Caf\xe9 \x80");  // Windows-1252: e acute, euro sign
    host.SectionCounterLabel(14)->SetText("3");
    host.Pump();
    EXPECT_EQ(name.text(), QString::fromUtf8("Caf\u00e9 \u20ac"));
    EXPECT_EQ(counter.text().toStdString(), "3");
}

TEST(GuiHostWaitCursor, BalancedAndNeverBelowZero) {
    {
        ui::GuiHost host(nullptr);
        host.BeginWaitCursor();
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        host.EndWaitCursor();
        host.EndWaitCursor();  // a scan-state message with no Pause before it
        EXPECT_EQ(host.WaitDepth(), 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        host.BeginWaitCursor();  // left up: the host's end takes it down
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
