// The frame every scene draws into, the game's colours, and drawing that skips missing pictures.
#pragma once

#include <allegro.h>

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
