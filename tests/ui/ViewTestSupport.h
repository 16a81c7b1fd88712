#pragma once
// The main view in its frame over a real test prefix, with message boxes answered from a
// script and recorded, and actions run while the event loop is pumped (inside a scan).
#include <QApplication>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Host.h"
#include "tests/fixtures/AnsweredBoxes.h"
#include "tests/fixtures/TestPrefix.h"
#include "ui/CDrennowView.h"
#include "ui/CMainFrame.h"

namespace uitest {

using fixtures::SeenMessage;

// Runs `step(n)` at every pass of the event loop while it lives, n counting from 1; a step
// that returns false stops the runs.
class EveryPump {
public:
    explicit EveryPump(std::function<bool(int)> step) : step_(std::move(step)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!step_(++count_)) timer_.stop();
        });
        timer_.start();
    }
    int Count() const { return count_; }

private:
    std::function<bool(int)> step_;
    QTimer timer_;
    int count_ = 0;
};

class ViewHarness : public fixtures::AnsweredBoxes {
public:
    // Opens the prefix (its content already added) and shows the frame with the view.
    explicit ViewHarness(fixtures::TestPrefix& prefix) : machine(prefix.Open()) {
        frame = std::make_unique<CMainFrame>();
        ui::ViewLinks links;
        links.setCloseEnabled = [this](bool enabled) { frame->SetCloseEnabled(enabled); };
        view = new CDrennowView(*machine, std::move(links));
        frame->SetView(view);
        frame->show();
        view->Host().SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, engine::BoxStyle style) {
                return Answer(text, caption, style);
            });
    }

    std::unique_ptr<platform::Services> machine;
    std::unique_ptr<CMainFrame> frame;
    CDrennowView* view = nullptr;  // owned by the frame
};

}  // namespace uitest
