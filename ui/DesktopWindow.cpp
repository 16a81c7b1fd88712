#include "ui/DesktopWindow.h"

#include <QGuiApplication>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(DRENNOW_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#define DRENNOW_X11 1
#endif

namespace ui {

#ifdef DRENNOW_X11
namespace {

xcb_connection_t* XConnection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

void RemoveWindowFunctions(QWidget* window) {
    xcb_connection_t* connection = XConnection();
    if (!connection || !window) return;
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(kName), kName), nullptr);
    if (!atom) return;
    // Functions and decorations given; the only function is moving, the decorations the
    // border and the title. Qt itself asks for every function when it is given none.
    enum : std::uint32_t { kFunctions = 1, kDecorations = 2, kMove = 4, kBorder = 2, kTitle = 8 };
    const std::uint32_t hints[5] = {kFunctions | kDecorations, kMove, kBorder | kTitle, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window->winId()), atom->atom, atom->atom, 32, 5,
                        hints);
    std::free(atom);
    xcb_flush(connection);
}

std::optional<LockKeys> ServerLockKeys() {
    xcb_connection_t* connection = XConnection();
    if (!connection) return std::nullopt;
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
    if (!reply) return std::nullopt;
    // The core LED mask, which the X keyboard extension keeps in step with its indicators:
    // LED 1 Caps Lock, 2 Num Lock, 3 Scroll Lock.
    const std::uint32_t leds = reply->led_mask;
    std::free(reply);
    return LockKeys{(leds & 1u) != 0, (leds & 2u) != 0, (leds & 4u) != 0};
}

#else

void RemoveWindowFunctions(QWidget*) {}

std::optional<LockKeys> ServerLockKeys() { return std::nullopt; }

#endif

}  // namespace ui
