// The game's window on the desktop: what the window manager is told about it,
// and the mode it opens in.
#pragma once

#include "platform/display.h"

#include <cstddef>
#include <cstdint>

// Opens the screen and its window, named "Nanny Day" (class nannyday,
// Nannyday), with the game's own icon and process id. Full screen is a
// window the desktop's manager is asked to show full screen
// (_NET_WM_STATE_FULLSCREEN) on the primary monitor, at the desktop's own
// resolution; without such a manager, a window covering the whole screen.
// The window may be made any size from 640x480 up. A window of the size
// window_spot() gives is the fallback, then one of 640x480. Returns false,
// with allegro_error set, when none can be had.
bool open_screen();

// Whether the screen is a fallback window's, smaller than the desktop: it
// keeps its size and cannot go full screen.
bool fallback_screen();

// The game is shown full screen, or as a window.
extern bool full;

// Where the frame goes for a window whose client area lies at `window` on the X screen.
Placement placement_in(const Area &window);

// Whether the window is shown full screen, as its _NET_WM_STATE says.
bool shown_full_screen();

// The game's icon in _NET_WM_ICON's layout (tools/art/icon.cpp writes it).
extern const uint32_t window_icon[];
extern const size_t window_icon_words;
