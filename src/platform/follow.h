// Full screen and back on Alt+Enter or F11, and the frame kept in place as
// the manager and the player move, resize and refocus the window.
#pragma once

// Takes in, between frames, what happened to the window: a toggle the player
// asked for, the manager's and the player's moves and resizes, and where the
// keys go. Where the frame moves, the screen is cleared and repaint_frame()
// asks for the frame again.
void follow_window();
