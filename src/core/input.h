// The controls the scenes read, and the one edge latch most of them share.
#pragma once

// Whether the control that acts as this key is down now. The scenes ask for
// KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE and KEY_ESC; any other key
// is read from key[] as it is.
bool held(int scancode);

// The title menu's Esc, its way out of the game.
bool held_leave();

// A press of a control that was up on the tick before: the latch follows the
// control, so the acting tick leaves it set and a held control acts once.
bool fresh_press(bool down, bool &latch);
