// The keyboard as Allegro's input thread hands it over, and the keys the game
// thread sets right when the focus comes and goes. Everything that more than
// one thread touches in the window's code lives here.
#pragma once

// Whether a key going down toggles between full screen and a window: F11,
// or either Enter with Alt held.
bool toggles_window(int scancode, bool alt_held);

// Puts the keyboard's calls in place: they note a toggle key going down and
// keep toggle keys out of the key buffer.
void watch_toggle_keys();

// True once for each toggle key that went down since the last call.
bool toggle_asked();

// Lets go of every key key[] holds down, as if each had been released.
void let_go_of_keys();

// Marks down in key[] the keys of the X keymap `held` (XQueryKeymap's 32
// bytes) that key[] shows up, as held keys and not as presses: nothing goes
// to the key buffer, and a held toggle key does not toggle again.
void hold_keys(const char held[32]);
