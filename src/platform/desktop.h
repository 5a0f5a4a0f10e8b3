// What the game thread reads of the X desktop on a connection of its own: the
// screen, its primary monitor, the area panels leave free, and the manager.
#pragma once

#include "platform/display.h"

#include <X11/Xlib.h>

#include <vector>

// The game thread's own connection to the X server; null when there is none.
// Allegro's is used by its input thread, and Xlib connections are not shared
// between threads here.
extern Display *xdisplay;

// Allegro's top-level window, the one the manager sees.
extern Window game;

// The whole X screen, its primary monitor, and what panels leave of it.
extern Area desktop, monitor, usable;

// A manager that shows a window full screen when asked (EWMH) is running.
extern bool managed;

// _NET_WM_STATE and its full-screen state, read and set on every toggle.
extern Atom net_wm_state, net_wm_state_fullscreen;

// Opens the connection and reads the desktop; without a window of Allegro's
// to look after, the connection is closed again. Without a connection all three
// areas are the size Allegro reports, less room for a panel.
void look_at_desktop();

Atom atom(const char *name);

// A property's 32-bit items, which Xlib hands over as longs; empty when the
// property is missing or of another type.
std::vector<long> property(Window w, const char *name, Atom type);

// Whether a window's list of atoms (_NET_WM_STATE, _NET_SUPPORTED) names full screen.
bool lists_full_screen(Window w, const char *name);
