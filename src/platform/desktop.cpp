// The desktop as the game thread sees it: monitors, work area, the manager.
#include "platform/desktop.h"

#include <allegro.h>
#include <xalleg.h>

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

Display *xdisplay = nullptr;
Window game = None;
Area desktop, monitor, usable;
bool managed = false;
Atom net_wm_state = None, net_wm_state_fullscreen = None;

namespace {

// Where the desktop does not say what its panels leave free, room for one.
const int PANEL_ROOM = 48;

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
    if (!XRRQueryExtension(xdisplay, &event_base, &error_base) || !XRRQueryVersion(xdisplay, &major, &minor) ||
        major * 100 + minor < 105)
        return false;
    int n = 0;
    XRRMonitorInfo *m = XRRGetMonitors(xdisplay, root, True, &n);
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

// A running EWMH manager says so on the root window, with the states it knows.
bool manager_does_full_screen()
{
    Window root = DefaultRootWindow(xdisplay);
    return !property(root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty() &&
           lists_full_screen(root, "_NET_SUPPORTED");
}

} // namespace

Atom atom(const char *name)
{
    return XInternAtom(xdisplay, name, False);
}

std::vector<long> property(Window w, const char *name, Atom type)
{
    std::vector<long> items;
    Atom actual;
    int format;
    unsigned long n, after;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(xdisplay, w, atom(name), 0, 1024, False, type, &actual, &format, &n, &after, &data) ==
            Success &&
        actual == type && format == 32) {
        const long *v = reinterpret_cast<const long *>(data);
        items.assign(v, v + n);
    }
    if (data)
        XFree(data);
    return items;
}

bool lists_full_screen(Window w, const char *name)
{
    std::vector<long> atoms = property(w, name, XA_ATOM);
    return std::find(atoms.begin(), atoms.end(), static_cast<long>(net_wm_state_fullscreen)) != atoms.end();
}

// The whole desktop, the primary monitor within it and the area a window may
// use (_NET_WORKAREA of the first desktop). Without an answer from the
// server, all three are the desktop.
void look_at_desktop()
{
    // The game's own connection follows its window; a screen without one
    // (no X window) has nothing to follow.
    if (_xwin.wm_window != None)
        xdisplay = XOpenDisplay(nullptr);
    int w = 0, h = 0;
    get_desktop_resolution(&w, &h);
    desktop = {0, 0, w, h};
    monitor = desktop;
    usable = {0, 0, w, h - PANEL_ROOM};
    if (!xdisplay)
        return;
    game = _xwin.wm_window;
    net_wm_state = atom("_NET_WM_STATE");
    net_wm_state_fullscreen = atom("_NET_WM_STATE_FULLSCREEN");
    managed = manager_does_full_screen();
    int s = DefaultScreen(xdisplay);
    Window root = RootWindow(xdisplay, s);
    desktop = {0, 0, DisplayWidth(xdisplay, s), DisplayHeight(xdisplay, s)};
    Area m;
    monitor = primary_monitor(root, &m) && inside(m, desktop) ? m : desktop;
    std::vector<long> v = property(root, "_NET_WORKAREA", XA_CARDINAL);
    Area work = v.size() >= 4 ? Area{int(v[0]), int(v[1]), int(v[2]), int(v[3])} : Area{0, 0, 0, 0};
    if (inside(work, desktop))
        usable = overlap(work, monitor);
    else
        usable = {monitor.x, monitor.y, monitor.w, monitor.h - PANEL_ROOM};
}
