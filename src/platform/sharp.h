// The frame scaled to a size no whole number gives, keeping its pixels sharp.
#pragma once

#include <allegro.h>

// Copies all of src into the w x h rectangle of dst at (x, y), which must lie
// wholly inside dst. One scale serves both axes: s = min(w / src->w,
// h / src->h), at least 1, so that the picture is at most a pixel short of
// the rectangle on one side. A screen pixel that lies wholly inside one of
// src's pixels takes its colour; one that straddles the border of two (or
// four) is their blend, weighted by how much of each it covers, and never
// takes anything from a pixel it does not touch. The last column or row,
// when part of it lies beyond the picture, is made of what it does cover.
// Both bitmaps are 32-bit; src is at least 2x2.
void sharp_copy(BITMAP *src, BITMAP *dst, int x, int y, int w, int h);

// Whether the copy takes eight pixels at a time where the processor has AVX2
// (the same pixels as SSE2's four); true where it has. The tests turn it off
// to try the other way too.
extern bool sharp_avx2;
