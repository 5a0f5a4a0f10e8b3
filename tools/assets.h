// Shared by the generator's parts: the output folder and picture helpers.
#pragma once

#include "writers.h"

#include <allegro.h>

#include <string>

extern std::string out;   // the data folder being written

// Allegro's mask colour: transparent wherever the game uses masked_blit.
const int MASK_R = 255, MASK_G = 0, MASK_B = 255;

BITMAP *canvas(int w, int h, int r, int g, int b);
void save(BITMAP *bmp, const char *name);   // writes bmp/<name> and frees the bitmap

// One function per data file.
void font_pcx();
void bg0();
void bg1();
void bg2();
void l2sprites();
void img1();
void img2();
void trolley();
void title_bmp();
void cutscene_0_0();
void cutscene_0_1();
void cutscene_1_0();
void cutscene_2_0();
void cutscene_3_0();
void good_wav();
void bad_wav();
void track_0();
void track_1();
void track_2();
void track_int();

// The desktop icon at every hicolor size, under <dir>/icons/hicolor.
void icon_png(const std::string &dir);
// The same icon at 16, 32, 48 and 64 pixels as _NET_WM_ICON words, a C++ initialiser list.
void window_icon(const std::string &path);
