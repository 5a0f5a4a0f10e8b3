// Painting for the pictures: shapes are drawn on a canvas SS times larger
// than the picture and averaged down, which smooths every edge. Coordinates
// and sizes are in pixels of the finished picture.
#pragma once

#include <allegro.h>

#include <initializer_list>

const int SS = 4;

int rgb(int r, int g, int b);
int mix(int c1, int c2, float t);   // t = 0 gives c1, t = 1 gives c2
int mask();                         // Allegro's mask colour, (255, 0, 255)

// A canvas for a w x h picture, filled with colour.
BITMAP *big_canvas(int w, int h, int colour);
// The finished picture, every pixel the average of its SS x SS block. The canvas is freed.
BITMAP *shrink(BITMAP *big);
// The same for a picture drawn with MASK as its background: a pixel stays
// MASK unless at least half of its block was painted, and then averages
// only the painted part, so no pink fringe is left around a figure.
BITMAP *shrink_masked(BITMAP *big);

// The same, crisp: every pixel takes the colour most of its block has, the
// colour `edge` counting half as much again so that outlines stay whole
// pixels; the mask wins only where it fills more than half the block. For
// small figures, where averaged edges would blur them.
BITMAP *shrink_crisp(BITMAP *big, int edge);

void box(BITMAP *b, float x1, float y1, float x2, float y2, int c);   // x2, y2 are the far edges
void rbox(BITMAP *b, float x1, float y1, float x2, float y2, float r, int c);
void disc(BITMAP *b, float cx, float cy, float r, int c);
void oval(BITMAP *b, float cx, float cy, float rx, float ry, int c);
void poly(BITMAP *b, std::initializer_list<float> xy, int c);
// A stroke of width w with round ends, through the points x0, y0, x1, y1, ...
void stroke(BITMAP *b, std::initializer_list<float> xy, float w, int c);
// Part of an ellipse's outline; angles in degrees, 0 to the right, 90 down.
void arc(BITMAP *b, float cx, float cy, float rx, float ry, float a0, float a1, float w, int c);
// Washes the area towards `colour` by t (0 keeps it, 1 paints it over).
void wash(BITMAP *b, float x1, float y1, float x2, float y2, int colour, float t);
// The same inside an ellipse: shadows on the ground, glows.
void shade_oval(BITMAP *b, float cx, float cy, float rx, float ry, int colour, float t);
// Night over the whole canvas, washed towards `night` by `dark`, except in a
// pool of light of radius r round (cx, cy) that fades in towards `warm`.
void lamplight(BITMAP *b, float cx, float cy, float r, int night, float dark, int warm, float glow);
void vgrad(BITMAP *b, float x1, float y1, float x2, float y2, int top, int bottom);

// Text in the game's own font, drawn on a finished picture: scale 1 or more,
// align -1 left of x, 0 centred on x, 1 right of x; an outline of one font
// pixel in `edge` unless it is -1.
FONT *game_font();   // loaded back from the generated bmp/font.pcx
void say(BITMAP *b, const char *s, int x, int y, int scale, int align, int colour, int edge);
int text_width(const char *s, int scale);
int line_height(int scale);
