// The pictures and the font every scene shares, and the one table of their files.
#pragma once

#include <allegro.h>

extern BITMAP *bg[3];          // level backgrounds
extern BITMAP *l2sprites;      // level two's 3x3 sheet of 128x128 icons
extern BITMAP *child1;
extern BITMAP *nanny1;
extern BITMAP *trolley3;
extern BITMAP *title;
extern FONT *f;
extern BITMAP *scenes[4][20];  // [cutscene][picture]
extern const int imagecount[4];

// Every picture the game reads, in the order start-up reads them, with the
// global it goes into. Start-up, the tests and the bench all go by this table.
struct Picture {
    const char *path;
    BITMAP **slot;
};
const int picture_count = 13;
extern const Picture pictures[picture_count];
// The font is read after this many pictures: the title's, before the cutscenes'.
const int pictures_before_font = 8;
extern const char *const font_path;

// Loads the pictures and the font in the game's fixed order. A picture that
// fails is left null (and named on stderr); without the font nothing can be
// shown, so that ends the program with status 1.
void load_images();

// Frees every picture and the font and sets them null: for the tests and the
// bench, which load them more than once. The game itself never frees them.
void free_images();
