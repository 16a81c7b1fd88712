// Takes the pictures of docs/screenshots/ from the running program on a copy of the demo
// prefix: the four screens of the main window, the dialogs, and a problem row's context menu.
// Usage:
//   drennow_screenshots OUTPUT_FOLDER
// Message boxes are answered (Yes to the backup question, OK otherwise) instead of shown.
#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

#include "ui/CButtonEx.h"
#include "ui/CDialogCleanRestore.h"
#include "ui/CDialogIgnoredEntries.h"
#include "ui/CDrennowApp.h"
#include "ui/CDrennowView.h"
#include "ui/CListCtrlResult.h"
#include <QMouseEvent>
#include "ui/res/ResourceIds.h"

namespace {

namespace res = ui::res;

class Shooter {
public:
    explicit Shooter(QString folder) : folder_(std::move(folder)) {}

    bool Save(QWidget* widget, const QString& name) {
        const QString path = folder_ + "/" + name + ".png";
        const bool saved = widget && widget->grab().save(path);
        std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        ok_ = ok_ && saved;
        return saved;
    }
    // Grabs the modal dialog that `open` runs, once `prepare` has worked on it (and arranged
    // for it to close).
    void SaveModal(const QString& name, const std::function<void(QWidget*)>& prepare,
                   const std::function<void()>& open) {
        QTimer::singleShot(50, [this, name, prepare] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                ok_ = false;
                return;
            }
            prepare(dialog);
            Save(dialog, name);
        });
        open();
    }
    // The window with a popup menu drawn where it stands on the screen (offscreen, a popup
    // is a window of its own that grabbing the main window leaves out).
    void SaveWithMenu(QWidget* window, QMenu* menu, const QString& name) {
        QPixmap picture = window->grab();
        {
            QPainter painter(&picture);
            painter.drawPixmap(window->mapFromGlobal(menu->pos()), menu->grab());
        }
        const QString path = folder_ + "/" + name + ".png";
        const bool saved = picture.save(path);
        std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        ok_ = ok_ && saved;
    }
    bool Ok() const { return ok_; }

private:
    QString folder_;
    bool ok_ = true;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: drennow_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    CDrennowApp app(argc, argv);
    if (!QDir().mkpath(argv[1]) || !app.InitInstance({"drennow", "--demo"})) return 3;
    Shooter shooter(QString::fromLocal8Bit(argv[1]));
    CMainFrame* frame = app.MainFrame();
    frame->showNormal();
    auto* view = qobject_cast<CDrennowView*>(frame->centralWidget());
    view->Host().SetMessageBoxHandler(
        [](const std::string& text, const std::string&, engine::BoxStyle) {
            return text.find("backup before repairing") != std::string::npos ? engine::Answer::Yes
                                                                             : engine::Answer::Ok;
        });
    QApplication::processEvents();
    shooter.Save(frame, "1-section-choice");

    // The progress screen, paused in the last registry section.
    view->Session().SetPumpInterval(std::chrono::milliseconds(0));
    CButtonEx* pause = view->Button(res::kPauseButton);
    QTimer script;
    script.setInterval(0);
    int stage = 0;
    QObject::connect(&script, &QTimer::timeout, [&] {
        if (stage == 0 && view->CaptionLabel()->text() == "Valid Files Path") {
            stage = 1;
            pause->click();
        } else if (stage == 1 && pause->text() == "&Resume") {
            stage = 2;
            shooter.Save(frame, "2-scan-progress");
            pause->click();
            script.stop();
        }
    });
    script.start();
    view->OnCommand(res::kScanButton);

    // The results, with one entry left alone.
    view->ShowSectionProblems(7);
    CListCtrlResult* problems = view->ProblemList();
    if (problems->RowCount() > 1) {
        const QRect row = problems->SubItemRect(1);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(row.left() + 250, row.top() + 45),
                          QPointF(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(problems->viewport(), &press);
    }
    shooter.Save(frame, "3-results");

    // A problem row's context menu; both its choices are taken, for the list's picture below.
    if (problems->RowCount() > 0) {
        const std::unique_ptr<QMenu> menu = problems->BuildContextMenu(0);
        const QRect row = problems->SubItemRect(0);
        menu->popup(problems->viewport()->mapToGlobal(row.topLeft() + QPoint(120, 30)));
        QApplication::processEvents();
        shooter.SaveWithMenu(frame, menu.get(), "9-ignore-menu");
        menu->close();
        view->IgnoreProblem(0, false);
        view->ShowSectionProblems(12);
        if (problems->RowCount() > 0) view->IgnoreProblem(0, true);
    }
    view->ShowSectionProblems(0);

    view->OnCommand(res::kRepairAllButton);
    shooter.Save(frame, "4-repair-log");

    // Clean Restore with the backup of that repair chosen, and its detail.
    auto closeSoon = [](QWidget* dialog) {
        QTimer::singleShot(0, dialog, [dialog] { dialog->close(); });
    };
    QTimer::singleShot(50, [&] {
        auto* clean = qobject_cast<CDialogCleanRestore*>(QApplication::activeModalWidget());
        if (!clean) return;
        auto button = [clean](int id) {
            return qobject_cast<QAbstractButton*>(clean->Control(id));
        };
        auto* list = qobject_cast<QTreeWidget*>(clean->Control(CDialogCleanRestore::kIdBackupList));
        if (list->topLevelItemCount() > 0) {
            const QPointF at(list->visualItemRect(list->topLevelItem(0)).center());
            QMouseEvent down(QEvent::MouseButtonPress, at, QPointF(), Qt::LeftButton,
                             Qt::LeftButton, Qt::NoModifier);
            QMouseEvent up(QEvent::MouseButtonRelease, at, QPointF(), Qt::LeftButton, Qt::NoButton,
                           Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &down);
            QApplication::sendEvent(list->viewport(), &up);
        }
        shooter.Save(clean, "5-clean-restore");
        shooter.SaveModal("6-clean-restore-detail", closeSoon,
                          [&] { button(CDialogCleanRestore::kIdDetail)->click(); });
        button(CDialogCleanRestore::kIdClose)->click();
    });
    view->OnCommand(res::kCmdCleanRestore);

    shooter.SaveModal("7-ie-restore", closeSoon, [&] { view->OnCommand(res::kCmdIERestore); });
    shooter.SaveModal("8-about", closeSoon, [&] { view->OnCommand(res::kCmdAbout); });

    view->OnCommand(res::kReturnButton);

    // The list the two choices above filled; Escape does not close it, its Close button does.
    shooter.SaveModal(
        "10-ignored-entries",
        [](QWidget* dialog) {
            auto* list = qobject_cast<CDialogIgnoredEntries*>(dialog);
            QTimer::singleShot(0, dialog, [list] {
                if (auto* close = list ? qobject_cast<QAbstractButton*>(
                                             list->Control(CDialogIgnoredEntries::kIdClose))
                                       : nullptr)
                    close->click();
            });
        },
        [&] { view->OnCommand(res::kCmdIgnoredEntries); });
    view->OnCommand(res::kReturnButton);
    app.ExitInstance();
    return shooter.Ok() ? 0 : 1;
}
