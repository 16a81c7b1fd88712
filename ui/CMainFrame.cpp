#include "ui/CMainFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

#include "platform/Services.h"
#include "ui/CDrennowApp.h"
#include "ui/HelpCommands.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Strings.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(ui::text::kAppName);
    setWindowIcon(ui::ApplicationIcon());
    setMinimumSize(kMinWidth, kMinHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    setGeometry(CreationGeometry(screen ? screen->geometry() : QRect(0, 0, kWidth, kHeight)));

    // No menu bar at all: everything is reached through the view's buttons and menus.
    setMenuBar(nullptr);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QString::number(ui::res::kStatusBar));
    messagePane_ = new QLabel(ui::text::kIdleMessage, bar);
    messagePane_->setObjectName("0");
    bar->addWidget(messagePane_, 1);
    const int ids[3] = {ui::res::kIndicatorCaps, ui::res::kIndicatorNum,
                        ui::res::kIndicatorScroll};
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

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::ApplicationShortcut);
    connect(help, &QShortcut::activated, this, [this] { ui::OpenUserManual(this); });

    machineWatch_.setInterval(2000);
    connect(&machineWatch_, &QTimer::timeout, this, &CMainFrame::RefreshMachineStatus);

    if (CDrennowApp* app = CDrennowApp::Instance()) app->SetMainFrame(this);
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
    if (machine_) {
        text += " - " + QString::fromStdString(machine_->Description());
        const std::string warning = machine_->Warning();
        if (!warning.empty()) {
            text += " - a wineserver is running: read-only until it stops";
            tip = QString::fromStdString(warning);
        }
    }
    messagePane_->setText(text);
    messagePane_->setToolTip(tip);
}

QRect CMainFrame::CreationGeometry(const QRect& screen) {
    // Integer division truncates toward zero, also for a screen smaller than the window.
    const int x = (screen.width() - kWidth) / 2;
    const int y = (screen.height() - kHeight) / 2;
    return QRect(screen.x() + x, screen.y() + y, kWidth, kHeight);
}

void CMainFrame::SetView(QWidget* view) { setCentralWidget(view); }

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
        return;
    }
    QMainWindow::closeEvent(event);
}
