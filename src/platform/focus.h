// Whether the keys the player types reach the game, decided from the focus
// and the pointer together, and what follows when that changes.
#pragma once

union _XEvent;

// Takes in a focus or crossing event on the game's window (FocusIn, FocusOut,
// EnterNotify, LeaveNotify); the next keep_keys_straight() looks again.
void focus_event(const union _XEvent &e);

// Once a pass: while keys go elsewhere, none stays held in key[]; when they
// come back, the keys still held show as held at once, and focus_came_back()
// says so.
void keep_keys_straight();

// True once, at the pass after the keys came back to the game from another
// window: keys still held then must not read as new presses.
bool focus_came_back();

// Whether another window has the keyboard focus under a window manager, so
// that nothing the player does is meant for the game. Without a manager,
// always false.
bool other_window_has_focus();
