// The controls the scenes read, keys and pads alike, and the one edge latch
// most of them share.
#pragma once

// Whether the control that acts as this key is down now. The scenes ask for
// KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE and KEY_ESC, which a pad's
// D-pad and left stick, its south button or Start, and its east button or
// Back also hold; any other key is read from key[] as it is.
bool held(int scancode);

// The title menu's way out of the game: Esc or a pad's Back, never its east
// button, which a reflex press on a handheld would hit.
bool held_leave();

// A key typed since the keyboard's buffer was last emptied, or a pad's
// button or D-pad pressed in the last poll.
bool any_press();

// A press of a control that was up on the tick before: the latch follows the
// control, so the acting tick leaves it set and a held control acts once.
bool fresh_press(bool down, bool &latch);
