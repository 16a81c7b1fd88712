#pragma once
// `--script FILE`: drives the program through its own window messages, for the flows tested
// under Wine. A timer of a message-only window runs one step at a time whenever the step
// before it is done; every message loop of the thread dispatches it, so the steps also run
// inside a scan's pump, a modal dialog and a message box. Commands and clicks are posted, never
// sent, so a step that opens a modal window does not run the next step inside itself.
//
// One step per line, fields separated by tabs:
//   post    ID [ID...]       WM_COMMAND for each id to the view, in that order, at once
//   screen  N                waits until the view shows screen N (1 to 4)
//   text?   CAPTION  ID  T   waits until control ID of the window CAPTION reads T
//   click   CAPTION  ID      BM_CLICK to control ID of the modal window CAPTION (a dialog or a
//                            message box, whose caption and text go to the report)
//   select  CAPTION  ID  ROW chooses row ROW of list view ID in the window CAPTION
//   type    CAPTION  ID  T   sets control ID's text
//   report  NAME             the view's report under NAME (screen and records), to the report
//   file    NAME  PATH       the file's lines under NAME, each after "line ", to the report
//                            (none when it is absent)
//   end                      writes the report file and closes the program
// A step that waits longer than 60 seconds ends the program with the reason in the report.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui::win32 {

struct ScriptHooks {
    HWND commandTarget = nullptr;         // receives the posted commands
    HWND frame = nullptr;                 // closed by `end`
    std::function<int()> screen;          // the screen shown
    std::function<std::string()> report;  // what `report` writes
};

class TestScript {
public:
    TestScript() = default;
    ~TestScript();
    TestScript(const TestScript&) = delete;
    TestScript& operator=(const TestScript&) = delete;

    // Reads the steps; false (with the reason in `error`) when the file cannot be read or a
    // line is not a step.
    bool Load(const std::wstring& scriptPath, std::string& error);
    // Starts running the steps; the report goes to `reportPath` at the end. False when the
    // timer's window cannot be made.
    bool Start(ScriptHooks hooks, std::wstring reportPath);

    // One step as read.
    struct Step {
        std::string verb;
        std::vector<std::string> fields;
    };

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunDue();
    // True when the step is done; false when it must be tried again at the next tick.
    bool Run(const Step& step);
    void Finish(const std::string& failure);

    HWND timerWindow_ = nullptr;  // message-only, destroyed with the script
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    ScriptHooks hooks_;
    std::wstring reportPath_;
    std::string report_;
    DWORD waitingSince_ = 0;
    bool running_ = false;  // a step is being run: a tick inside it (a sent message) waits
    bool finished_ = false;
};

}  // namespace ui::win32
