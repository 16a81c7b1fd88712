#pragma once
// How the engine reaches its front end: the GUI, the command line, or a test script.
#include <cstdint>
#include <string>

namespace engine {

// Message box answers and styles, with their Win32 values.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// Parameters of the scan-state message 0x779.
inline constexpr int kScanStateMessage = 0x779;
inline constexpr int kScanCancelled = 3;
inline constexpr int kScanResumed = 4;
inline constexpr int kScanPaused = 5;

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
    // A modal message box; returns IDOK, IDYES, IDNO or IDCANCEL. An empty caption means the
    // application's title.
    virtual int MessageBox(const std::string& text, const std::string& caption,
                           unsigned style) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // The scan-state message, delivered synchronously (kScanCancelled, kScanResumed,
    // kScanPaused).
    virtual void OnScanState(int state) = 0;
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
    // Counter of section 1 to 14.
    virtual Label* SectionCounterLabel(int /*section*/) { return nullptr; }
};

}  // namespace engine
