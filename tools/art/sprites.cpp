// The two level-one figures: the story's own Rosa and Pip, drawn by the same
// code as the cutscenes at 32x32, kept crisp, with a few pixels set by hand
// where a face is too small for the shapes. Feet at the bottom centre.
#include "art/sprites.h"

#include "art/figures.h"
#include "common/output.h"

#include <utility>

namespace {

// A pixel set by hand after the drawing: x, y and its colour.
struct Touch {
    int x, y, colour;
};

template <class Draw>
void sprite(const char *name, Draw draw, std::initializer_list<Touch> touches)
{
    // In daylight, as the lawn is.
    light = DAY;
    BITMAP *big = big_canvas(32, 32, mask());
    draw(big);
    BITMAP *b = shrink_crisp(big, outline());
    for (const Touch &t : touches)
        putpixel(b, t.x, t.y, t.colour);
    // A light rim outside the dark outline, so the figures stand out on
    // either stripe of the lawn like stickers.
    BITMAP *rim = create_bitmap_ex(32, 32, 32);
    blit(b, rim, 0, 0, 0, 0, 32, 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            if (getpixel(b, x, y) != mask())
                continue;
            bool near = false;
            for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                if (x + dx >= 0 && x + dx < 32 && y + dy >= 0 && y + dy < 32 && getpixel(b, x + dx, y + dy) != mask())
                    near = true;
            if (near)
                putpixel(rim, x, y, rgb(255, 250, 232));
        }
    destroy_bitmap(b);
    save(rim, name);
}

} // namespace

// Pip mid-run, facing the player, so that he flees either way without
// running backwards: legs astride, one arm up and one swinging, laughing.
void img1()
{
    Pose p = pip_standing();
    p.face = LAUGH;
    p.head = 1.3f;
    p.lex = -13; p.ley = -28; p.lhx = -19; p.lhy = -25;
    p.rex = 13; p.rey = -30; p.rhx = 19; p.rhy = -33;
    p.lkx = -8; p.lky = -8; p.lfx = -8; p.lfy = 0;
    p.rkx = 8; p.rky = -8; p.rfx = 8; p.rfy = 0;
    // Eyes a pixel wide and two high, and the laughing mouth, which the
    // shapes blur at this size.
    const int o = outline(), s = skin(), m = mouth(), t = rgb(236, 120, 120);
    sprite("img1.bmp", [&](BITMAP *b) { pip(b, 16, 30.6f, 0.31f, p, 1.0f); },
           {{17, 15, o}, {18, 15, s}, {13, 16, s}, {14, 16, o}, {17, 16, o}, {18, 16, s}, {15, 17, m}, {16, 17, m},
            {14, 18, s}, {15, 18, t}, {16, 18, t}, {17, 18, s}});
}

// Rosa reaching for him with both hands, facing the player, mid-stride.
void img2()
{
    Pose p = rosa_standing();
    p.face = LAUGH;
    p.head = 1.4f;
    p.lex = -18; p.ley = -56; p.lhx = -26; p.lhy = -46;
    p.rex = 18; p.rey = -56; p.rhx = 26; p.rhy = -46;
    p.lfx = -8; p.rfx = 8;
    const int o = outline(), m = mouth();
    sprite("img2.bmp", [&](BITMAP *b) { rosa(b, 16, 30.6f, 0.245f, p, 1.0f); },
           {{14, 9, o}, {14, 10, o}, {17, 9, o}, {17, 10, o}, {15, 11, m}, {16, 11, m}, {13, 5, o}, {14, 5, o}, {17, 5, o}, {18, 5, o}});
}
