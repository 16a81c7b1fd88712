#include "ui/CMainFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QKeyEvent>
#include <QStatusBar>
#include <QWindow>

#include "platform/Services.h"
#include "ui/DesktopWindow.h"
#include "ui/HelpCommands.h"
#include "ui/Pictures.h"
#include "ui/StatusPane.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

CMainFrame::CMainFrame(ui::UrlOpener open, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(ui::text::kAppName);
    setWindowIcon(ui::ApplicationIcon());
    setMinimumSize(kMinWidth, kMinHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    setGeometry(CreationGeometry(screen ? screen->geometry() : QRect(0, 0, kWidth, kHeight)));

    // No menu bar at all: everything is reached through the view's buttons and menus.
    setMenuBar(nullptr);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QString::number(ui::res::kStatusBar));
    messagePane_ = new ui::StatusPane(ui::text::kIdleMessage, bar);
    messagePane_->setObjectName("0");
    bar->addWidget(messagePane_, 1);
    const int ids[3] = {ui::res::kIndicatorCaps, ui::res::kIndicatorNum, ui::res::kIndicatorScroll};
    const char* texts[3] = {ui::text::kIndicatorCaps, ui::text::kIndicatorNum,
                            ui::text::kIndicatorScroll};
    for (int i = 0; i < 3; ++i) {
        indicators_[i] = new QLabel(texts[i], bar);
        indicators_[i]->setObjectName(QString::number(ids[i]));
        indicators_[i]->setFrameShape(QFrame::Panel);
        indicators_[i]->setFrameShadow(QFrame::Sunken);
        indicators_[i]->setAlignment(Qt::AlignCenter);
        indicators_[i]->setMinimumWidth(indicators_[i]->sizeHint().width() + 8);
        bar->addPermanentWidget(indicators_[i]);
    }
    // The lock keys change outside the program too: they are looked at a few times a second
    // (as a status bar does when idle) and at once after a key press.
    qApp->installEventFilter(this);
    indicatorWatch_.setInterval(250);
    connect(&indicatorWatch_, &QTimer::timeout, this, &CMainFrame::RefreshIndicators);
    indicatorWatch_.start();
    RefreshIndicators();

    ui::AddManualShortcut(this, std::move(open));

    machineWatch_.setInterval(2000);
    connect(&machineWatch_, &QTimer::timeout, this, &CMainFrame::RefreshMachineStatus);
}

void CMainFrame::WatchMachine(platform::Services* machine) {
    machine_ = machine;
    RefreshMachineStatus();
    if (machine_) machineWatch_.start();
    else machineWatch_.stop();
}

void CMainFrame::RefreshMachineStatus() {
    QString text = ui::text::kIdleMessage;
    QString tip;
    QString opened;
    if (machine_) {
        opened = QString::fromStdString(machine_->Description());
        text += " - " + opened;
        if (!wineBrief_.isEmpty()) text += " - " + wineBrief_;
        tip = wineNote_;
        const std::string warning = machine_->Warning();
        if (!warning.empty()) {
            // Another user's prefix is refused as access denied; the tip names its owner.
            // Either text is short enough for the restored window; the tooltip says the rest.
            const bool others = machine_->CanWrite().code == platform::ERROR_ACCESS_DENIED;
            text += others ? ui::text::kNotYourPrefixStatus : ui::text::kServerRunsStatus;
            tip = (tip.isEmpty() ? QString() : tip + "\n") + QString::fromStdString(warning);
        }
    }
    messagePane_->setText(text);
    messagePane_->SetElidable(opened);
    messagePane_->setToolTip(tip.isEmpty() ? text : text + "\n\n" + tip);
}

void CMainFrame::SetWineBuild(const QString& note, const QString& brief) {
    wineNote_ = note;
    wineBrief_ = brief;
    RefreshMachineStatus();
}

QRect CMainFrame::CreationGeometry(const QRect& screen) {
    // Integer division truncates toward zero, also for a screen smaller than the window.
    const int x = (screen.width() - kWidth) / 2;
    const int y = (screen.height() - kHeight) / 2;
    return QRect(screen.x() + x, screen.y() + y, kWidth, kHeight);
}

void CMainFrame::SetView(QWidget* view) { setCentralWidget(view); }

void CMainFrame::SetCloseEnabled(bool enabled) {
    closeEnabled_ = enabled;
    if (enabled) statusBar()->clearMessage();
    // Set on the window itself: changing the widget's flags would hide and show it again.
    if (QWindow* window = windowHandle()) window->setFlag(Qt::WindowCloseButtonHint, enabled);
}

void CMainFrame::RefreshIndicators() {
    const std::optional<ui::LockKeys> server = ui::ServerLockKeys();
    const bool on[3] = {server ? server->caps : pressedLocks_[0],
                        server ? server->num : pressedLocks_[1],
                        server ? server->scroll : pressedLocks_[2]};
    const char* texts[3] = {ui::text::kIndicatorCaps, ui::text::kIndicatorNum,
                            ui::text::kIndicatorScroll};
    for (int i = 0; i < 3; ++i) indicators_[i]->setText(on[i] ? texts[i] : "");
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int lock = key == Qt::Key_CapsLock     ? 0
                         : key == Qt::Key_NumLock    ? 1
                         : key == Qt::Key_ScrollLock ? 2
                                                     : -1;
        if (lock >= 0) {
            pressedLocks_[lock] = !pressedLocks_[lock];
            // The server has changed its indicator by the time the press arrives.
            RefreshIndicators();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QLabel* CMainFrame::IndicatorPane(int id) const {
    switch (id) {
    case ui::res::kIndicatorCaps: return indicators_[0];
    case ui::res::kIndicatorNum: return indicators_[1];
    case ui::res::kIndicatorScroll: return indicators_[2];
    default: return nullptr;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!closeEnabled_) {
        event->ignore();
        statusBar()->showMessage(ui::text::kCloseDuringScan, 10000);
        return;
    }
    QMainWindow::closeEvent(event);
}
