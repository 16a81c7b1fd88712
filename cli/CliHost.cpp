#include "cli/CliHost.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <thread>

#include "cli/TextOutput.h"

namespace cli {

CliHost::CliHost(bool progress) : progress_(progress && ::isatty(STDERR_FILENO) == 1) {}

CliHost::~CliHost() { ClearProgress(); }

void CliHost::Pump() {
    if (interrupts_.Take()) {
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

int CliHost::Ask(const std::string& text, unsigned style) {
    const unsigned buttons = style & 0x0F;
    const bool yesNo = buttons == engine::MB_YESNO || buttons == engine::MB_YESNOCANCEL;
    const int no = yesNo ? engine::IDNO : engine::IDCANCEL;
    if (answer_) return *answer_;
    if (::isatty(STDIN_FILENO) != 1) return no;
    ClearProgress();
    std::cerr << AnsiToUtf8(text) << (yesNo ? " [y/N] " : " [o/C] ") << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply)) return no;
    const char c = reply.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(reply[0])));
    if (yesNo) return c == 'y' ? engine::IDYES : no;
    return c == 'o' ? engine::IDOK : no;
}

int CliHost::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
    int answer = engine::IDOK;
    if ((style & 0x0F) == engine::MB_OK) {
        if (!quiet_) {
            ClearProgress();
            std::cerr << AnsiToUtf8(text) << '\n';
        }
    } else {
        answer = Ask(text, style);
    }
    boxes_.push_back({text, caption, style, answer});
    return answer;
}

}  // namespace cli
