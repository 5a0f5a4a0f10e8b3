// Where the generator writes, and the canvas and save every picture goes through.
#pragma once

#include <allegro.h>

#include <string>

extern std::string out;   // the data folder being written

// Allegro's mask colour: transparent wherever the game uses masked_blit.
const int MASK_R = 255, MASK_G = 0, MASK_B = 255;

BITMAP *canvas(int w, int h, int r, int g, int b);
void save(BITMAP *bmp, const char *name);   // writes bmp/<name> and frees the bitmap
