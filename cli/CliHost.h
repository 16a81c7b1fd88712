#pragma once
// The host for a terminal: Ctrl-C cancels as the Cancel button does, progress goes to stderr
// only when it is a terminal, message boxes are answered by a preset answer or a prompt.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Interrupt.h"
#include "engine/Host.h"

namespace cli {

class CliHost final : public engine::Host {
public:
    // `progress`: draw a progress line on stderr (only honoured when stderr is a terminal).
    // `cancel`: Ctrl-C is caught by whoever sets this flag (scans on several threads share one
    // catcher), and the host acts on it once it is set; null: the host catches Ctrl-C itself.
    explicit CliHost(bool progress = true, const std::atomic<bool>* cancel = nullptr);
    ~CliHost() override;
    CliHost(const CliHost&) = delete;
    CliHost& operator=(const CliHost&) = delete;

    // What Ctrl-C does (the session's Cancel command). Until set, Ctrl-C does nothing.
    void OnInterrupt(std::function<void()> handler) { onInterrupt_ = std::move(handler); }
    // The answer to every question box; without one the user is asked when stdin is a
    // terminal, else the question is answered No (or Cancel).
    void SetAnswer(engine::Answer answer) { answer_ = answer; }
    // Information boxes are printed to stderr unless quiet.
    void SetQuiet(bool quiet) { quiet_ = quiet; }

    struct Box {
        std::string text, caption;
        engine::BoxStyle style;
        engine::Answer answer = engine::Answer::Ok;
    };
    const std::vector<Box>& Boxes() const { return boxes_; }
    // Removes the progress line, so that output can follow.
    void ClearProgress();

    void Pump() override;
    engine::Answer MessageBox(const std::string& text, const std::string& caption,
                              engine::BoxStyle style) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void OnScanState(engine::ScanEvent /*event*/) override {}
    void Sleep(unsigned milliseconds) override;
    engine::Label* SectionNameLabel() override { return progress_ ? &sectionLabel_ : nullptr; }
    engine::Label* CurrentKeyLabel() override { return progress_ ? &keyLabel_ : nullptr; }
    engine::Label* FoundCountLabel() override { return progress_ ? &foundLabel_ : nullptr; }

private:
    class ProgressLabel final : public engine::Label {
    public:
        ProgressLabel(CliHost& host, std::string& text) : host_(host), text_(text) {}
        void SetText(const std::string& text) override {
            text_ = text;
            host_.DrawProgress(false);
        }

    private:
        CliHost& host_;
        std::string& text_;
    };

    void DrawProgress(bool force);
    engine::Answer Ask(const std::string& text, engine::Buttons buttons);

    std::optional<InterruptCatcher> interrupts_;
    const std::atomic<bool>* cancel_ = nullptr;
    // A shared cancel flag stays set: the interrupt is handed on once.
    bool interrupted_ = false;
    bool progress_ = false;
    bool quiet_ = false;
    bool drawn_ = false;
    std::optional<engine::Answer> answer_;
    std::function<void()> onInterrupt_;
    std::vector<Box> boxes_;
    std::string section_, key_, found_;
    ProgressLabel sectionLabel_{*this, section_};
    ProgressLabel keyLabel_{*this, key_};
    ProgressLabel foundLabel_{*this, found_};
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace cli
