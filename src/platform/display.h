// How the 640x480 frame reaches the host's screen: where it goes, how large, and its one copy per frame.
#pragma once

#include <allegro.h>

// The frame every scene draws, in its own pixels.
const int FRAME_W = 640;
const int FRAME_H = 480;

// Where and how large the frame appears on a screen or in a window: its
// top-left corner at (left, top), w x h of the host's pixels. scale is the
// whole number k when w x h is exactly 640k x 480k, copied pixel for pixel;
// 0 when it is sharply scaled (sharp_copy) to a size no whole number gives.
struct Placement {
    int left, top, w, h, scale;
};
bool operator==(const Placement &a, const Placement &b);

// Where the frame is shown now. Until a screen is opened (and in the
// headless tests) the frame is copied as it is, at (0, 0).
Placement frame_placement();
// Shows the frame at p from the next show_frame() on, which then copies it
// even if it is the frame already shown.
void use_placement(const Placement &p);

// A rectangle on the X screen, in its pixels.
struct Area {
    int x, y, w, h;
};

// Whether a is not empty and lies wholly within outer.
bool inside(const Area &a, const Area &outer);

// The largest whole number k with 640k <= w and 480k <= h; at least 1.
int whole_scale(int w, int h);

// The frame in an area of w x h at (x, y), centred on it:
//   F is the largest 4:3 size that fits (the other side rounded to whole
//   pixels); a whole-number scale k where 640k x 480k fits and is at least
//   85 % of F's width, else sharp scaling to F; never less than 640x480
//   (an area smaller than that shows the frame's top-left part from the
//   area's corner).
Placement fit_frame(Area area);

// Where the frame goes on a full screen of screen_w x screen_h whose primary
// monitor is the w x h area at (x, y): fitted to the monitor. A monitor that
// is not wholly on the screen, or smaller than the frame, stands for the
// whole screen.
Placement place_frame(int x, int y, int w, int h, int screen_w, int screen_h);

// The scale of a window that fits, with its title bar and borders, into a
// usable desktop area of w x h; 0 when not even 640x480 fits.
int window_scale(int w, int h);

// The game's first window in the usable desktop area, centred in it with its
// title bar and borders: the largest whole-number multiple of 640x480 that
// fits; where that is 1x and the area holds more, the largest 4:3 size that
// fits; else 640x480.
Area window_spot(Area usable);

// Where the frame goes in the game's window, which lies at `window` on the X
// screen and shows the top-left canvas_w x canvas_h of Allegro's screen: on the
// primary monitor when the window covers it (a full-screen window), else
// fitted to the window's visible part.
Placement place_in_window(Area window, Area monitor, int canvas_w, int canvas_h);

// The frame's one copy per frame onto the screen, at the placement above. A
// frame equal to the last one shown is not copied again (the X server is
// sent nothing), unless repaint_frame() was called since.
void show_frame(BITMAP *frame);

// The screen no longer shows the last frame (an Expose, a toggle, a resize,
// a cleared screen): the next show_frame() copies whatever it is given.
void repaint_frame();

// Whether the screen still shows the last frame show_frame() was given: not
// before the first, nor after repaint_frame() or on a new screen.
bool screen_shows_frame();

// Copies all of src into dst at k times its size, nearest neighbour, its
// top-left corner at (x, y), which must leave the whole scaled picture inside
// dst. Both bitmaps are 32-bit.
void scaled_copy(BITMAP *src, BITMAP *dst, int k, int x, int y);
