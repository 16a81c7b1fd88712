#pragma once
// What Qt's window flags cannot say to an X11 desktop: a caption without any window
// functions (no system menu, no minimise, maximise or close), and the keyboard's lock
// indicators. Elsewhere (offscreen, Wayland) these do what can be done without X11.
#include <optional>

class QWidget;

namespace ui {

// Asks the window manager for a caption and border only, with no window menu and no
// minimise, maximise or close, for a top-level window that exists (call from showEvent).
void RemoveWindowFunctions(QWidget* window);

struct LockKeys {
    bool caps = false, num = false, scroll = false;
};

// The lock indicators as the X server holds them; nothing when no X server answers.
std::optional<LockKeys> ServerLockKeys();

}  // namespace ui
