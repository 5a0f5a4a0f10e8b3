// The game's window on the desktop: what the window manager is told about it,
// full screen and back on Alt+Enter or F11, and the frame's place as it changes.
#pragma once

#include <cstddef>
#include <cstdint>

// Opens the screen and its window, named "Nanny Day" (class nannyday,
// Nannyday), with the game's own icon and process id. Full screen is a
// window the desktop's manager is asked to show full screen
// (_NET_WM_STATE_FULLSCREEN) on the primary monitor, at the desktop's own
// resolution; without such a manager, a window covering the whole screen.
// The frame goes on the primary monitor at the largest whole-number scale,
// black around. A window of whole-number size is the fallback. Returns false,
// with allegro_error set, when neither can be had.
bool open_screen();

// Takes in, between frames, what happened to the window: a toggle the player
// asked for, and the manager's moves and resizes. True when the frame moved
// and the screen was cleared, so that the frame must be drawn again now.
bool follow_window();

// True once, at the pass after the window got the keyboard focus back from
// another window: keys still held then must not read as new presses.
bool focus_came_back();

// Whether another window has the keyboard focus under a window manager, so
// that nothing the player does is meant for the game. Without a manager,
// always false.
bool other_window_has_focus();

// Whether a key going down toggles between full screen and a window: F11,
// or either Enter with Alt held.
bool toggles_window(int scancode, bool alt_held);

// The game's icon in _NET_WM_ICON's layout (tools/art/icon.cpp writes it).
extern const uint32_t window_icon[];
extern const size_t window_icon_words;
