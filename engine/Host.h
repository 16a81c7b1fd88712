#pragma once
// How the engine reaches its front end: the GUI, the command line, or a test script.
#include <cstdint>
#include <string>

namespace engine {

// A message box's buttons and icon, each with its Win32 style value.
enum class Buttons : unsigned { Ok = 0x00, OkCancel = 0x01, YesNoCancel = 0x03, YesNo = 0x04 };
enum class Icon : unsigned {
    None = 0x00,
    Error = 0x10,
    Question = 0x20,
    Warning = 0x30,
    Information = 0x40,
};

struct BoxStyle {
    constexpr BoxStyle(Buttons b = Buttons::Ok, Icon i = Icon::None) : buttons(b), icon(i) {}
    constexpr BoxStyle(Icon i) : icon(i) {}  // an OK box
    bool operator==(const BoxStyle&) const = default;
    // The style bits a Win32 MessageBox takes.
    constexpr unsigned Win32() const {
        return static_cast<unsigned>(buttons) | static_cast<unsigned>(icon);
    }

    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
};

// The button that closed a message box, with its Win32 value.
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// What a walk tells its front end about the run as it happens.
enum class ScanEvent { Cancelled, Resumed, Paused };

// A text the front end shows (a label on the progress screen, a line on a terminal).
class Label {
public:
    virtual ~Label() = default;
    virtual void SetText(const std::string& text) = 0;
};

// The main window's screens, numbered as the window's steps are.
enum class Screen { None = 0, Choose = 1, Scanning = 2, Results = 3, RepairLog = 4 };

class Host {
public:
    virtual ~Host() = default;
    // Hands pending events to their handlers: button presses, repaints, Ctrl-C, test scripts.
    virtual void Pump() = 0;
    // A modal message box. An empty caption means the application's title.
    virtual Answer MessageBox(const std::string& text, const std::string& caption,
                              BoxStyle style) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // A scan event, delivered synchronously.
    virtual void OnScanState(ScanEvent event) = 0;
    // Waits while a scan is paused.
    virtual void Sleep(unsigned milliseconds) = 0;

    // Front ends without screens ignore it.
    virtual void ShowScreen(Screen /*screen*/) {}
    // The results were emptied (scan start, cancel): lists showing problems must be emptied.
    virtual void OnResultsReset() {}

    // Labels of the progress screen; null when the front end shows none.
    virtual Label* SectionNameLabel() { return nullptr; }
    virtual Label* CurrentKeyLabel() { return nullptr; }
    virtual Label* FoundCountLabel() { return nullptr; }
    // Counter of a section, by its number.
    virtual Label* SectionCounterLabel(int /*section*/) { return nullptr; }
};

}  // namespace engine
