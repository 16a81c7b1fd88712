#include "cli/CliHost.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <thread>

#include "cli/TextOutput.h"

namespace cli {

CliHost::CliHost(bool progress, const std::atomic<bool>* cancel)
    : cancel_(cancel), progress_(progress && ::isatty(STDERR_FILENO) == 1) {
    if (!cancel_) interrupts_.emplace();
}

CliHost::~CliHost() { ClearProgress(); }

void CliHost::Pump() {
    if (cancel_ ? cancel_->load() && !interrupted_ : interrupts_->Take()) {
        interrupted_ = true;
        if (onInterrupt_) onInterrupt_();
    }
    DrawProgress(false);
}

void CliHost::Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void CliHost::DrawProgress(bool force) {
    if (!progress_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDraw_ < std::chrono::milliseconds(100)) return;
    lastDraw_ = now;
    std::string line = AnsiToUtf8(section_);
    if (!key_.empty()) line += ": " + AnsiToUtf8(key_);
    if (!found_.empty()) line = found_ + " | " + line;
    if (line.size() > 110) line = line.substr(0, 107) + "...";
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void CliHost::ClearProgress() {
    if (!drawn_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    drawn_ = false;
}

engine::Answer CliHost::Ask(const std::string& text, engine::Buttons buttons) {
    const bool yesNo = buttons == engine::Buttons::YesNo || buttons == engine::Buttons::YesNoCancel;
    const engine::Answer no = yesNo ? engine::Answer::No : engine::Answer::Cancel;
    if (answer_) return *answer_;
    if (::isatty(STDIN_FILENO) != 1) return no;
    ClearProgress();
    std::cerr << AnsiToUtf8(text) << (yesNo ? " [y/N] " : " [o/C] ") << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply)) return no;
    const char c = reply.empty()
                       ? '\0'
                       : static_cast<char>(std::tolower(static_cast<unsigned char>(reply[0])));
    if (yesNo) return c == 'y' ? engine::Answer::Yes : no;
    return c == 'o' ? engine::Answer::Ok : no;
}

engine::Answer CliHost::MessageBox(const std::string& text, const std::string& caption,
                                   engine::BoxStyle style) {
    engine::Answer answer = engine::Answer::Ok;
    if (style.buttons == engine::Buttons::Ok) {
        if (!quiet_) {
            ClearProgress();
            std::cerr << AnsiToUtf8(text) << '\n';
        }
    } else {
        answer = Ask(text, style.buttons);
    }
    boxes_.push_back({text, caption, style, answer});
    return answer;
}

}  // namespace cli
