// The frame every scene draws into, the game's colours, and drawing that skips missing pictures.
#pragma once

#include <allegro.h>

#include <cstdint>

extern BITMAP *buffer;   // the off-screen frame, copied to the screen once a frame

// The game's palette, made after the screen mode is set, so they are that
// mode's pixel values.
extern int black;
extern int bgcol;        // every scene's clear colour, and the highlighted menu item's text
extern int white;        // behind the highlighted menu item
extern int textink;      // every other line of text: its letters
extern int textpaper;    // and behind them
extern int stripecol[2]; // the intro's and title's stripes, even rows and odd
void make_colours();

// Drawing into buffer that skips a picture whose file failed to load.
void blit_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h);
void masked_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h);

// A scene's look (see loop.h) made of up to four numbers that each fit in 16
// bits, signed or not: two looks are equal only where all four are.
inline uint64_t look_of(int a, int b = 0, int c = 0, int d = 0)
{
    auto part = [](int n) { return uint64_t(uint16_t(n)); };
    return part(a) | part(b) << 16 | part(c) << 32 | part(d) << 48;
}
