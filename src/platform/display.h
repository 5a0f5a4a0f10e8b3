// How the 640x480 frame reaches the host's screen: the mode, the whole-number scale, the copy.
#pragma once

#include <allegro.h>

// Where and how large the frame appears on the screen: at frame_scale times
// its size, its top-left corner at (frame_left, frame_top). Until a screen is
// opened (and in the headless tests) the frame is copied as it is, at (0, 0).
extern int frame_scale;
extern int frame_left;
extern int frame_top;

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

// Opens the screen. Full screen keeps the desktop's own resolution and shows
// the frame at the largest whole-number scale that fits the primary monitor,
// centred on it, black around; a window is the fallback. Returns false, with
// allegro_error set, when neither can be had.
bool open_screen();

// The frame's one copy per frame onto the screen, at the scale and place above.
void show_frame(BITMAP *frame);

// Copies all of src into dst at k times its size, nearest neighbour, its
// top-left corner at (x, y), which must leave the whole scaled picture inside
// dst. Both bitmaps are 32-bit.
void scaled_copy(BITMAP *src, BITMAP *dst, int k, int x, int y);
