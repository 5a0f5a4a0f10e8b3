// The game's window: its names and icon, its size hints, and the mode it opens in.
#include "platform/window.h"

#include "platform/desktop.h"
#include "platform/display.h"
#include "platform/keys.h"

#include <allegro.h>
#include <xalleg.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <unistd.h>
#include <vector>

const uint32_t window_icon[] = {
#include "../../packaging/window-icon.inc"
};
const size_t window_icon_words = sizeof window_icon / sizeof window_icon[0];

bool full = false;

namespace {

const char TITLE[] = "Nanny Day";

// What desktops show for the game: its class (which names nannyday.desktop),
// its name, also in UTF-8, its icon, and the process and machine it runs on.
void describe_window()
{
    // Allegro sets the class and name again whenever it resets the window.
    xwin_set_window_name("nannyday", "Nannyday");
    set_window_title(TITLE);
    if (!xdisplay)
        return;
    char name[] = "nannyday", cls[] = "Nannyday";
    XClassHint hint;
    hint.res_name = name;
    hint.res_class = cls;
    XSetClassHint(xdisplay, game, &hint);

    Atom utf8 = atom("UTF8_STRING");
    for (const char *prop : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"})
        XChangeProperty(xdisplay, game, atom(prop), utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(TITLE), int(sizeof TITLE - 1));

    long pid = getpid();
    XChangeProperty(xdisplay, game, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&pid), 1);
    char host[256];
    if (gethostname(host, sizeof host) == 0) {
        host[sizeof host - 1] = '\0';
        char *list[] = {host};
        XTextProperty text;
        if (XStringListToTextProperty(list, 1, &text)) {
            XSetWMClientMachine(xdisplay, game, &text);
            XFree(text.value);
        }
    }

    std::vector<long> icon(window_icon, window_icon + window_icon_words);
    XChangeProperty(xdisplay, game, atom("_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(icon.data()), int(icon.size()));

    XSelectInput(xdisplay, game,
                 StructureNotifyMask | PropertyChangeMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask);
}

// Allegro puts its own logo in WM_HINTS; a manager that reads no _NET_WM_ICON
// would show it for the game. Without it, such a manager shows its default.
void drop_library_icon()
{
    XWMHints *hints = XGetWMHints(xdisplay, game);
    if (!hints)
        return;
    hints->flags &= ~(IconPixmapHint | IconMaskHint);
    XSetWMHints(xdisplay, game, hints);
    XFree(hints);
}

// Any size from the frame's up: Allegro's screen is as large as the whole
// desktop, so a larger window only moves the frame. A fallback screen smaller
// than the desktop keeps the window at its own size.
void size_hints()
{
    XSizeHints *hints = XAllocSizeHints();
    if (!hints)
        return;
    bool fixed = fallback_screen();
    hints->flags = PMinSize | (fixed ? PMaxSize : 0);
    hints->min_width = hints->max_width = fixed ? SCREEN_W : FRAME_W;
    hints->min_height = hints->max_height = fixed ? SCREEN_H : FRAME_H;
    XSetWMNormalHints(xdisplay, game, hints);
    XFree(hints);
}

// Where and how the window is to appear when Allegro maps it: at the place
// given, and full screen or not (the manager reads _NET_WM_STATE on mapping).
void before_mapping(bool full_screen, const Area &a)
{
    if (managed && full_screen)
        XChangeProperty(xdisplay, game, net_wm_state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char *>(&net_wm_state_fullscreen), 1);
    else
        XDeleteProperty(xdisplay, game, net_wm_state);
    XMoveWindow(xdisplay, game, a.x, a.y);
    XSync(xdisplay, False);
}

bool set_mode(bool full_screen, const Area &a)
{
    if (xdisplay)
        before_mapping(full_screen, a);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, a.w, a.h, 0, 0) != 0)
        return false;
    full = full_screen;
    if (xdisplay) {
        // Allegro draws into a child window and gives it the class too;
        // only the top-level window is the game to the desktop and its tools.
        if (_xwin.window != game)
            XDeleteProperty(xdisplay, _xwin.window, XA_WM_CLASS);
        drop_library_icon();
        size_hints();
        XFlush(xdisplay);
    }
    use_placement(placement_in(a));
    clear_to_color(screen, 0);
    return true;
}

} // namespace

bool fallback_screen()
{
    return SCREEN_W < desktop.w || SCREEN_H < desktop.h;
}

Placement placement_in(const Area &window)
{
    return place_in_window(window, monitor, SCREEN_W, SCREEN_H);
}

bool shown_full_screen()
{
    return lists_full_screen(game, "_NET_WM_STATE");
}

bool open_screen()
{
    look_at_desktop();
    describe_window();
    watch_toggle_keys();

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
