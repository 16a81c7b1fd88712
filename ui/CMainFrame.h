#pragma once
// The main window: 780 x 570 centred on the primary screen, never smaller than 640 x 500, the
// title alone, no menu bar, and a status bar with the message pane and CAP, NUM, SCRL.
#include <QMainWindow>
#include <QRect>
#include <QTimer>

#include "ui/HelpCommands.h"
#include "ui/StatusPane.h"
#include "ui/res/Layouts.h"

class QLabel;

namespace platform {
class Services;
}

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = ui::res::kFrameWidth;
    static constexpr int kHeight = ui::res::kFrameHeight;
    static constexpr int kMinWidth = ui::res::kFrameMinWidth;
    static constexpr int kMinHeight = ui::res::kFrameMinHeight;

    // F1 opens the manual through `open`.
    explicit CMainFrame(ui::UrlOpener open = {}, QWidget* parent = nullptr);

    // The restored window rectangle for a primary screen of this geometry: centred, halves
    // truncated toward zero.
    static QRect CreationGeometry(const QRect& screen);

    // Makes `view` the frame's working surface (the frame takes it over).
    void SetView(QWidget* view);

    // While disabled (a scan runs) the window refuses to close (a window manager that ignores
    // the grey close box gets the reason in the status bar), and its close box and the
    // window menu's Close are grey.
    void SetCloseEnabled(bool enabled);
    bool CloseEnabled() const { return closeEnabled_; }

    // Shows in the message pane which prefix is open and, while a wineserver runs for it or it
    // is another user's, that nothing can be written (the folder shortened first when the pane
    // is too narrow; the tooltip has the whole text); looked at again every few seconds. The
    // machine must outlive the frame, or be replaced by null first.
    void WatchMachine(platform::Services* machine);
    // Looks at the machine now.
    void RefreshMachineStatus();
    // Which Wine installation judges the open prefix (`note`, the message pane's tooltip) and,
    // when none does or the prefix's own build is gone, the few words (`brief`) the pane shows
    // after the prefix.
    void SetWineBuild(const QString& note, const QString& brief);

    ui::StatusPane* MessagePane() const { return messagePane_; }
    // The indicator panes 59137 CAP, 59138 NUM, 59139 SCRL; null for other ids. Each shows
    // its text while its lock key is on and is blank while it is off.
    QLabel* IndicatorPane(int id) const;
    // Reads the lock keys again: from the X server when there is one, else as the lock-key
    // presses seen so far left them.
    void RefreshIndicators();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool closeEnabled_ = true;
    platform::Services* machine_ = nullptr;
    QTimer machineWatch_;
    QString wineNote_, wineBrief_;
    ui::StatusPane* messagePane_ = nullptr;  // children of the status bar
    QLabel* indicators_[3] = {};
    QTimer indicatorWatch_;
    bool pressedLocks_[3] = {};  // without an X server: toggled by the lock-key presses
};
