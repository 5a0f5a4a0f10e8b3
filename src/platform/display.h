// How the 640x480 frame reaches the host's screen: the mode, the whole-number scale, the copy.
#pragma once

#include <allegro.h>

// Where and how large the frame appears on the screen: at frame_scale times
// its size, its top-left corner at (frame_left, frame_top). Until a screen is
// opened (and in the headless tests) the frame is copied as it is, at (0, 0).
extern int frame_scale;
extern int frame_left;
extern int frame_top;

// The frame every scene draws, in its own pixels.
const int FRAME_W = 640;
const int FRAME_H = 480;

// A rectangle on the X screen, in its pixels.
struct Area {
    int x, y, w, h;
};

// Whether a is not empty and lies wholly within outer.
bool inside(const Area &a, const Area &outer);

// The largest whole number k with 640k <= w and 480k <= h; at least 1.
int whole_scale(int w, int h);

// Where the frame goes on a full screen of screen_w x screen_h whose primary
// monitor is the w x h area at (x, y): at the whole-number scale that fits
// the monitor, centred on it. A monitor that is not wholly on the screen, or
// smaller than the frame, stands for the whole screen.
struct Placement {
    int scale, left, top;
};
Placement place_frame(int x, int y, int w, int h, int screen_w, int screen_h);

// The scale of a window that fits, with its title bar and borders, into a
// usable desktop area of w x h; 0 when not even 640x480 fits.
int window_scale(int w, int h);

// The game as a window in the usable desktop area: the largest whole-number
// multiple of 640x480 that fits with its title bar and borders, else
// 640x480, centred in the area.
Area window_spot(Area usable);

// Where the frame goes in the game's window, which lies at `window` on the X
// screen and shows the top-left canvas_w x canvas_h of Allegro's screen: on the
// primary monitor when the window covers it (a full-screen window), else
// filling the window's visible part as well as a whole number allows.
Placement place_in_window(Area window, Area monitor, int canvas_w, int canvas_h);

// The frame's one copy per frame onto the screen, at the scale and place above.
void show_frame(BITMAP *frame);

// Copies all of src into dst at k times its size, nearest neighbour, its
// top-left corner at (x, y), which must leave the whole scaled picture inside
// dst. Both bitmaps are 32-bit.
void scaled_copy(BITMAP *src, BITMAP *dst, int k, int x, int y);
