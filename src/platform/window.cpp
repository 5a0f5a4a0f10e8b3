// The game's window on an X11 desktop: its names and icon, full screen through the window manager, the toggle, the frame's place.
#include "platform/window.h"

#include "platform/display.h"

#include <allegro.h>
#include <xalleg.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <poll.h>
#include <unistd.h>
#include <vector>

const uint32_t window_icon[] = {
#include "../../packaging/window-icon.inc"
};
const size_t window_icon_words = sizeof window_icon / sizeof window_icon[0];

namespace {

// Where the desktop does not say what its panels leave free, room for one.
const int PANEL_ROOM = 48;

// The game thread's own connection to the X server. Allegro's is used by its
// input thread, and Xlib connections are not shared between threads here.
Display *x = nullptr;
Window game = None;   // Allegro's top-level window, the one the manager sees

// A manager that shows a window full screen when asked (EWMH), or none.
bool managed = false;
bool full = false;
// The whole X screen, its primary monitor, and what panels leave of it.
Area desktop, monitor, usable;

// From the input thread to the game thread: a toggle key went down.
std::atomic<bool> toggle_wanted{false};
// The toggle key still held, so that its repeats do not toggle again. The
// keyboard's calls set it, on the input thread or, when the game thread lets
// go of keys, on that one.
std::atomic<int> toggle_key{0};

// The atoms read or set on every toggle and state change, interned once.
Atom net_wm_state = None, net_wm_state_fullscreen = None;

// The pointer has left the window while keys follow the pointer: no key the
// game sees can be held then. Kept up until the pointer comes back, since
// Allegro reads its key events on a connection of its own and may still set
// a key from an event that came just before the pointer left.
bool pointer_away = false;

Atom atom(const char *name)
{
    return XInternAtom(x, name, False);
}

// A property's 32-bit items, which Xlib hands over as longs; empty when the
// property is missing or of another type.
std::vector<long> property(Window w, const char *name, Atom type)
{
    std::vector<long> items;
    Atom actual;
    int format;
    unsigned long n, after;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(x, w, atom(name), 0, 1024, False, type, &actual, &format, &n, &after, &data) ==
            Success &&
        actual == type && format == 32) {
        const long *v = reinterpret_cast<const long *>(data);
        items.assign(v, v + n);
    }
    if (data)
        XFree(data);
    return items;
}

Area overlap(const Area &a, const Area &b)
{
    int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// The primary monitor as RandR reports it (the first active one when none is
// marked primary); false when the server does not know monitors.
bool primary_monitor(Window root, Area *out)
{
    int event_base, error_base, major = 0, minor = 0;
    if (!XRRQueryExtension(x, &event_base, &error_base) || !XRRQueryVersion(x, &major, &minor) ||
        major * 100 + minor < 105)
        return false;
    int n = 0;
    XRRMonitorInfo *m = XRRGetMonitors(x, root, True, &n);
    if (!m)
        return false;
    int pick = -1;
    for (int i = 0; i < n && pick < 0; i++)
        if (m[i].primary)
            pick = i;
    if (pick < 0 && n > 0)
        pick = 0;
    if (pick >= 0)
        *out = {m[pick].x, m[pick].y, m[pick].width, m[pick].height};
    XRRFreeMonitors(m);
    return pick >= 0;
}

// The whole desktop, the primary monitor within it and the area a window may
// use (_NET_WORKAREA of the first desktop). Without an answer from the
// server, all three are the desktop.
void look_at_desktop()
{
    int w = 0, h = 0;
    get_desktop_resolution(&w, &h);
    desktop = {0, 0, w, h};
    monitor = desktop;
    usable = {0, 0, w, h - PANEL_ROOM};
    if (!x)
        return;
    int s = DefaultScreen(x);
    Window root = RootWindow(x, s);
    desktop = {0, 0, DisplayWidth(x, s), DisplayHeight(x, s)};
    Area m;
    monitor = primary_monitor(root, &m) && inside(m, desktop) ? m : desktop;
    std::vector<long> v = property(root, "_NET_WORKAREA", XA_CARDINAL);
    Area work = v.size() >= 4 ? Area{int(v[0]), int(v[1]), int(v[2]), int(v[3])} : Area{0, 0, 0, 0};
    if (inside(work, desktop))
        usable = overlap(work, monitor);
    else
        usable = {monitor.x, monitor.y, monitor.w, monitor.h - PANEL_ROOM};
}

// Whether a window's list of atoms names full screen.
bool lists_full_screen(Window w, const char *name)
{
    std::vector<long> atoms = property(w, name, XA_ATOM);
    return std::find(atoms.begin(), atoms.end(), static_cast<long>(net_wm_state_fullscreen)) != atoms.end();
}

// A running EWMH manager says so on the root window, with the states it knows.
bool manager_does_full_screen()
{
    Window root = DefaultRootWindow(x);
    return !property(root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty() &&
           lists_full_screen(root, "_NET_SUPPORTED");
}

bool shown_full_screen()
{
    return lists_full_screen(game, "_NET_WM_STATE");
}

// What desktops show for the game: its class (which names nannyday.desktop),
// its name in UTF-8, its icon, and the process and machine it runs on.
void describe_window()
{
    // Allegro sets the class again whenever it resets the window.
    xwin_set_window_name("nannyday", "Nannyday");
    char name[] = "nannyday", cls[] = "Nannyday";
    XClassHint hint;
    hint.res_name = name;
    hint.res_class = cls;
    XSetClassHint(x, game, &hint);

    static const char title[] = "Nanny Day";
    Atom utf8 = atom("UTF8_STRING");
    for (const char *prop : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"})
        XChangeProperty(x, game, atom(prop), utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(title), int(sizeof title - 1));

    long pid = getpid();
    XChangeProperty(x, game, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&pid), 1);
    char host[256];
    if (gethostname(host, sizeof host) == 0) {
        host[sizeof host - 1] = '\0';
        char *list[] = {host};
        XTextProperty text;
        if (XStringListToTextProperty(list, 1, &text)) {
            XSetWMClientMachine(x, game, &text);
            XFree(text.value);
        }
    }

    std::vector<long> icon(window_icon, window_icon + window_icon_words);
    XChangeProperty(x, game, atom("_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(icon.data()), int(icon.size()));

    XSelectInput(x, game, StructureNotifyMask | PropertyChangeMask | EnterWindowMask | LeaveWindowMask);
}

// Allegro puts its own logo in WM_HINTS; a manager that reads no _NET_WM_ICON
// would show it for the game. Without it, such a manager shows its default.
void drop_library_icon()
{
    XWMHints *hints = XGetWMHints(x, game);
    if (!hints)
        return;
    hints->flags &= ~(IconPixmapHint | IconMaskHint);
    XSetWMHints(x, game, hints);
    XFree(hints);
}

// A window is of fixed size; full screen takes whatever the manager gives it.
void size_hints(bool fixed, int w, int h)
{
    XSizeHints *hints = XAllocSizeHints();
    if (!hints)
        return;
    hints->flags = PMinSize | (fixed ? PMaxSize : 0);
    hints->min_width = fixed ? w : FRAME_W;
    hints->min_height = fixed ? h : FRAME_H;
    hints->max_width = w;
    hints->max_height = h;
    XSetWMNormalHints(x, game, hints);
    XFree(hints);
}

// Where and how the window is to appear when Allegro maps it: at the place
// given, and full screen or not (the manager reads _NET_WM_STATE on mapping).
void before_mapping(bool full_screen, const Area &a)
{
    if (managed && full_screen)
        XChangeProperty(x, game, net_wm_state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char *>(&net_wm_state_fullscreen), 1);
    else
        XDeleteProperty(x, game, net_wm_state);
    XMoveWindow(x, game, a.x, a.y);
    XSync(x, False);
}

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
    XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// The window's client area on the X screen, wherever the manager framed it.
Area where_window_is()
{
    Window root, child;
    int wx, wy, rx = 0, ry = 0;
    unsigned w = 0, h = 0, border, depth;
    if (!XGetGeometry(x, game, &root, &wx, &wy, &w, &h, &border, &depth))
        return full ? desktop : window_spot(usable);
    XTranslateCoordinates(x, game, root, 0, 0, &rx, &ry, &child);
    return {rx, ry, int(w), int(h)};
}

void toggle()
{
    // A fallback window has no full-size screen to show full screen with.
    if (SCREEN_W < desktop.w || SCREEN_H < desktop.h)
        return;
    full = !full;
    Area a = full ? desktop : window_spot(usable);
    if (managed && full) {
        size_hints(false, a.w, a.h);
        ask_manager(true);
    } else {
        if (managed)
            ask_manager(false);
        size_hints(!full, a.w, a.h);
        XMoveResizeWindow(x, game, a.x, a.y, unsigned(a.w), unsigned(a.h));
    }
    XFlush(x);
}

// The keyboard's calls, on Allegro's input thread: they only pass the wish on.
void on_key_change(int scancode)
{
    int code = scancode & 0x7f;
    if (scancode & 0x80) {
        if (code == toggle_key)
            toggle_key = 0;
    } else if (toggle_key == 0 && toggles_window(code, key[KEY_ALT] || key[KEY_ALTGR])) {
        toggle_key = code;
        toggle_wanted = true;
    }
}

// Keeps the toggle keys out of the key buffer, where the intro would take
// them for "any key".
int on_buffered_key(int k)
{
    return toggles_window(k >> 8, key[KEY_ALT] || key[KEY_ALTGR]) ? 0 : k;
}

// Whether keys go to the window under the pointer, as without a manager.
bool keys_follow_pointer()
{
    Window focus;
    int revert;
    XGetInputFocus(x, &focus, &revert);
    return focus == PointerRoot;
}

// Allegro lets go of every key when a window manager takes the focus away,
// but not when keys follow the pointer and the pointer leaves: a key let go
// of elsewhere would stay held in key[] for good. Done under Allegro's X
// lock, which its input thread holds while it handles keys.
void let_go_of_keys()
{
    bool any = false;
    for (int k = 1; k < KEY_MAX && !any; k++)
        any = key[k] != 0;
    if (!any)
        return;
    XLOCK();
    for (int k = 1; k < KEY_MAX; k++)
        if (key[k])
            _handle_key_release(k);
    XUNLOCK();
}

void place_frame_in(const Area &window)
{
    use_placement(place_in_window(window, monitor, SCREEN_W, SCREEN_H));
}

bool set_mode(bool full_screen, const Area &a)
{
    if (x)
        before_mapping(full_screen, a);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, a.w, a.h, 0, 0) != 0)
        return false;
    full = full_screen;
    if (x) {
        // Allegro draws into a child window and gives it the class too;
        // only the top-level window is the game to the desktop and its tools.
        if (_xwin.window != game)
            XDeleteProperty(x, _xwin.window, XA_WM_CLASS);
        drop_library_icon();
        size_hints(!full_screen, a.w, a.h);
        XFlush(x);
    }
    place_frame_in(a);
    clear_to_color(screen, 0);
    return true;
}

} // namespace

bool toggles_window(int scancode, bool alt_held)
{
    return scancode == KEY_F11 || ((scancode == KEY_ENTER || scancode == KEY_ENTER_PAD) && alt_held);
}

bool open_screen()
{
    x = XOpenDisplay(nullptr);
    look_at_desktop();
    if (x) {
        game = _xwin.wm_window;
        if (game == None) {
            XCloseDisplay(x);
            x = nullptr;
        }
    }
    if (x) {
        net_wm_state = atom("_NET_WM_STATE");
        net_wm_state_fullscreen = atom("_NET_WM_STATE_FULLSCREEN");
        managed = manager_does_full_screen();
        describe_window();
    }
    keyboard_lowlevel_callback = on_key_change;
    keyboard_callback = on_buffered_key;

    // The desktop's own resolution, so the monitor keeps its mode; a desktop
    // smaller than the frame gets the frame's size, as it always did. A
    // manager makes the window as large as the monitor it shows it on, which
    // may not be the primary one (nor as large): a screen as large as the
    // whole desktop has room for the frame on any of them. Without a manager
    // the window covers the whole desktop, as Allegro's own full screen did.
    desktop.w = std::max(desktop.w, FRAME_W);
    desktop.h = std::max(desktop.h, FRAME_H);
    Area full_area = desktop;
    if (managed) {
        // Asked for at the primary monitor's corner, where managers look for
        // the monitor to show a full-screen window on.
        full_area.x = monitor.x;
        full_area.y = monitor.y;
    }
    if (set_mode(true, full_area))
        return true;
    Area window = window_spot(usable);
    if (set_mode(false, window))
        return true;
    Area small = window;
    small.w = FRAME_W;
    small.h = FRAME_H;
    return set_mode(false, small);
}

bool follow_window()
{
    if (!x)
        return false;
    if (toggle_wanted.exchange(false))
        toggle();
    // Most passes find nothing: one poll() says so, without Xlib's flush and read.
    pollfd fd{ConnectionNumber(x), POLLIN, 0};
    bool moved = false;
    if (XEventsQueued(x, QueuedAlready) > 0 || poll(&fd, 1, 0) > 0) {
        while (XPending(x)) {
            XEvent e;
            XNextEvent(x, &e);
            if (e.type == ConfigureNotify && e.xconfigure.window == game)
                moved = true;
            else if (e.type == LeaveNotify && e.xcrossing.detail != NotifyInferior)
                pointer_away = keys_follow_pointer();
            else if (e.type == EnterNotify && e.xcrossing.detail != NotifyInferior)
                pointer_away = false;
            else if (managed && e.type == PropertyNotify && e.xproperty.atom == net_wm_state)
                full = shown_full_screen();   // the manager's own controls may change it too
        }
    }
    if (pointer_away)
        let_go_of_keys();
    if (!moved)
        return false;
    Placement was = frame_placement();
    Placement now = place_in_window(where_window_is(), monitor, SCREEN_W, SCREEN_H);
    if (now == was)
        return false;
    use_placement(now);
    clear_to_color(screen, 0);
    return true;
}
