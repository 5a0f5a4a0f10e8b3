// The striped background behind the intro and the title menu.
#pragma once

#include <allegro.h>

void draw_stripes();

// The stripes with a full-frame picture masked over them: the same pixels as
// draw_stripes() then masked_image(picture, 0, 0, 0, 0, 640, 480), made in
// one pass over the frame instead of two.
void draw_stripes_under(BITMAP *picture);
