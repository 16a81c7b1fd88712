#include "ui/win32/TestScript.h"

#include <commctrl.h>

#include <cstdio>
#include <sstream>

#include "ui/win32/Text.h"

namespace ui::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMilliseconds = 20;
constexpr DWORD kStepTimeoutMilliseconds = 60000;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static holding a message box's text
constexpr const wchar_t* kWindowClass = L"DrennowTestScript";

struct StepShape {
    const char* verb;
    std::size_t fields;  // exact count; `post` takes one or more
};
constexpr StepShape kShapes[] = {{"post", 1},   {"screen", 1}, {"text?", 3},
                                 {"click", 2},  {"select", 3}, {"type", 3},
                                 {"report", 1}, {"file", 2},   {"end", 0}};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    return fields;
}

// UTF-8 of a window's text.
std::string Utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                          size);
    return out;
}

struct Search {
    std::wstring caption;
    bool dialogOnly;
    HWND found = nullptr;
};

// Dialog boxes and message boxes are of this class; the frame is not.
bool IsDialogBox(HWND window) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

// The thread's visible, enabled top-level window with this caption (a dialog or message box
// when `dialogOnly`): the modal window on top (a window a modal one belongs to is disabled
// while it runs).
HWND ModalWindow(const std::string& caption, bool dialogOnly) {
    Search search{FromUtf8(caption), dialogOnly};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& wanted = *reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
                WindowText(window) == wanted.caption &&
                (!wanted.dialogOnly || IsDialogBox(window))) {
                wanted.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int Number(const std::string& text) { return std::atoi(text.c_str()); }

bool ReadWholeFile(const std::wstring& path, std::string& text) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return false;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    return std::fclose(file) == 0;
}

struct ById {
    int id;
    HWND found = nullptr;
};

// The window's child, grandchild, ... with this id (the view's buttons are the frame's
// grandchildren).
HWND Descendant(HWND window, int id) {
    ById search{id};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& wanted = *reinterpret_cast<ById*>(data);
            if (::GetDlgCtrlID(child) != wanted.id) return TRUE;
            wanted.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TestScript::~TestScript() {
    if (timerWindow_) ::DestroyWindow(timerWindow_);
}

bool TestScript::Load(const std::wstring& scriptPath, std::string& error) {
    std::string text;
    if (!ReadWholeFile(scriptPath, text)) {
        error = "the script cannot be read";
        return false;
    }
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields = SplitTabs(line);
        Step step{fields.front(), {fields.begin() + 1, fields.end()}};
        bool known = false;
        for (const StepShape& shape : kShapes)
            if (step.verb == shape.verb)
                known =
                    step.verb == "post" ? !step.fields.empty() : step.fields.size() == shape.fields;
        if (!known) {
            error = "line " + std::to_string(number) + " is not a step: " + line;
            return false;
        }
        steps_.push_back(std::move(step));
    }
    return true;
}

bool TestScript::Start(ScriptHooks hooks, std::wstring reportPath) {
    hooks_ = std::move(hooks);
    reportPath_ = std::move(reportPath);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassW(&windowClass);
    timerWindow_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     windowClass.hInstance, nullptr);
    if (!timerWindow_) return false;
    ::SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    waitingSince_ = ::GetTickCount();
    return ::SetTimer(timerWindow_, kTimerId, kTickMilliseconds, nullptr) != 0;
}

LRESULT CALLBACK TestScript::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        if (auto* script =
                reinterpret_cast<TestScript*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
            script->RunDue();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void TestScript::RunDue() {
    if (running_ || finished_) return;
    running_ = true;
    while (!finished_ && next_ < steps_.size()) {
        if (!Run(steps_[next_])) {
            if (!finished_ && ::GetTickCount() - waitingSince_ > kStepTimeoutMilliseconds)
                Finish("step " + std::to_string(next_ + 1) + " (" + steps_[next_].verb +
                       ") timed out");
            break;
        }
        ++next_;
        waitingSince_ = ::GetTickCount();
        // A step that posted messages lets them run before the next step looks.
        const std::string& done = steps_[next_ - 1].verb;
        if (done == "post" || done == "click") break;
    }
    if (!finished_ && next_ == steps_.size()) Finish("");
    running_ = false;
}

bool TestScript::Run(const Step& step) {
    const std::vector<std::string>& f = step.fields;
    if (step.verb == "post") {
        for (const std::string& id : f)
            ::PostMessageW(hooks_.commandTarget, WM_COMMAND, MAKEWPARAM(Number(id), BN_CLICKED), 0);
        return true;
    }
    if (step.verb == "screen") return hooks_.screen && hooks_.screen() == Number(f[0]);
    if (step.verb == "report") {
        report_ += "[" + f[0] + "]\n" + (hooks_.report ? hooks_.report() : std::string());
        return true;
    }
    if (step.verb == "file") {
        report_ += "[" + f[0] + "]\n";
        std::string text;
        if (ReadWholeFile(FromUtf8(f[1]), text)) {
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);) report_ += "line " + line + "\n";
        }
        return true;
    }
    if (step.verb == "end") {
        Finish("");
        return true;
    }
    // Clicks, choices and typing go to a dialog or message box only: between two boxes of the
    // frame's caption the frame is enabled again for a moment.
    const HWND window = ModalWindow(f[0], step.verb != "text?");
    const HWND control = window ? Descendant(window, Number(f[1])) : nullptr;
    if (!control) return false;
    if (step.verb == "text?") return Utf8(WindowText(control)) == f[2];
    if (step.verb == "click") {
        report_ += "window " + f[0] + ": " +
                   Utf8(WindowText(::GetDlgItem(window, kMessageBoxTextId))) + "\n";
        report_ += "clicked " + f[1] + ": " + Utf8(WindowText(control)) + "\n";
        ::PostMessageW(control, BM_CLICK, 0, 0);
        return true;
    }
    if (step.verb == "type") return ::SetWindowTextW(control, FromUtf8(f[2]).c_str()) != FALSE;
    // select
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return ::SendMessageW(control, LVM_SETITEMSTATE, static_cast<WPARAM>(Number(f[2])),
                          reinterpret_cast<LPARAM>(&item)) != FALSE;
}

void TestScript::Finish(const std::string& failure) {
    finished_ = true;
    if (timerWindow_) ::KillTimer(timerWindow_, kTimerId);
    report_ += failure.empty() ? "done\n" : "failed: " + failure + "\n";
    if (FILE* out = _wfopen(reportPath_.c_str(), L"wb")) {
        std::fwrite(report_.data(), 1, report_.size(), out);
        std::fclose(out);
    }
    // A failed step may leave a modal window or a scan running, which would keep the program
    // from closing: it ends at once, its report written.
    if (!failure.empty()) ::ExitProcess(4);
    ::PostMessageW(hooks_.frame, WM_CLOSE, 0, 0);
}

}  // namespace ui::win32
