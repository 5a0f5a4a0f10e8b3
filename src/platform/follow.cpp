// The toggle between full screen and a window, and the window followed as it changes.
#include "platform/follow.h"

#include "platform/desktop.h"
#include "platform/display.h"
#include "platform/focus.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/window.h"

#include <allegro.h>

#include <X11/Xatom.h>

#include <vector>

namespace {

// The window as the player last had it: its client area, and its frame's
// top-left corner, where the manager puts a window asked to move. Empty
// until it has been a window.
Area windowed{0, 0, 0, 0};
int windowed_frame_x = 0, windowed_frame_y = 0;

// Once mapped, full-screen state is the manager's to change, on request.
void ask_manager(bool full_screen)
{
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = game;
    e.xclient.message_type = net_wm_state;
    e.xclient.format = 32;
    e.xclient.data.l[0] = full_screen ? 1 : 0;   // _NET_WM_STATE_ADD, _NET_WM_STATE_REMOVE
    e.xclient.data.l[1] = static_cast<long>(net_wm_state_fullscreen);
    e.xclient.data.l[3] = 1;   // asked by an application
    XSendEvent(xdisplay, DefaultRootWindow(xdisplay), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// The window's client area on the X screen, wherever the manager framed it.
Area where_window_is()
{
    Window root, child;
    int wx, wy, rx = 0, ry = 0;
    unsigned w = 0, h = 0, border, depth;
    if (!XGetGeometry(xdisplay, game, &root, &wx, &wy, &w, &h, &border, &depth))
        return full ? desktop : window_spot(usable);
    XTranslateCoordinates(xdisplay, game, root, 0, 0, &rx, &ry, &child);
    return {rx, ry, int(w), int(h)};
}

// Notes where the window is while it is one, so that it comes back there, at
// the player's size, after a turn at full screen.
void remember_window(const Area &a)
{
    windowed = a;
    // The manager's frame: left, right, top and bottom.
    std::vector<long> frame = managed ? property(game, "_NET_FRAME_EXTENTS", XA_CARDINAL) : std::vector<long>();
    bool known = frame.size() == 4;
    windowed_frame_x = a.x - (known ? int(frame[0]) : 0);
    windowed_frame_y = a.y - (known ? int(frame[2]) : 0);
}

void toggle()
{
    // A fallback window has no full-size screen to show full screen with.
    if (fallback_screen())
        return;
    if (!full)
        remember_window(where_window_is());
    full = !full;
    if (managed)
        ask_manager(full);
    if (!full) {
        Area a = window_spot(usable);
        if (windowed.w > 0)
            a = {windowed_frame_x, windowed_frame_y, windowed.w, windowed.h};
        XMoveResizeWindow(xdisplay, game, a.x, a.y, unsigned(a.w), unsigned(a.h));
    } else if (!managed) {
        XMoveResizeWindow(xdisplay, game, desktop.x, desktop.y, unsigned(desktop.w), unsigned(desktop.h));
    }
    XFlush(xdisplay);
}

} // namespace

void follow_window()
{
    if (!xdisplay)
        return;
    if (toggle_asked())
        toggle();
    // Most passes find nothing, and learn it without Xlib's flush and read.
    bool moved = false;
    if (x_input_waiting(xdisplay)) {
        while (XPending(xdisplay)) {
            XEvent e;
            XNextEvent(xdisplay, &e);
            if (e.type == ConfigureNotify && e.xconfigure.window == game)
                moved = true;
            else if (e.type == EnterNotify || e.type == LeaveNotify || e.type == FocusIn || e.type == FocusOut)
                focus_event(e);
            else if (managed && e.type == PropertyNotify && e.xproperty.atom == net_wm_state)
                full = shown_full_screen();   // the manager's own controls may change it too
        }
    }
    keep_keys_straight();
    if (!moved)
        return;
    Area now = where_window_is();
    if (!full)
        remember_window(now);
    Placement p = placement_in(now);
    if (p == frame_placement())
        return;
    use_placement(p);
    clear_to_color(screen, 0);
}
