// Loading the shared pictures and font, and drawing that tolerates missing ones.
#include "core/resources.h"

#include <cstdio>
#include <cstdlib>

BITMAP *buffer;
BITMAP *bg[3];
BITMAP *l2sprites;
BITMAP *child1;
BITMAP *nanny1;
BITMAP *trolley3;
BITMAP *title;
FONT *f;
BITMAP *scenes[4][20];
const int imagecount[4] = {2, 1, 1, 1};
int black;
int bgcol;

namespace {

BITMAP *load_image(const char *path)
{
    BITMAP *b = load_bitmap(path, nullptr);
    if (!b)
        warn_unloadable(path);
    return b;
}

} // namespace

void warn_unloadable(const char *path)
{
    fprintf(stderr, "nannyday: cannot load \"%s\"; going on without it\n", path);
}

void make_colours()
{
    black = makecol(0, 0, 0);
    bgcol = makecol(0, 0, 0);
}

void load_images()
{
    bg[0] = load_image("bmp/bg0.bmp");
    bg[1] = load_image("bmp/bg1.bmp");
    l2sprites = load_image("bmp/l2sprites.bmp");
    bg[2] = load_image("bmp/bg2.bmp");
    child1 = load_image("bmp/img1.bmp");
    nanny1 = load_image("bmp/img2.bmp");
    trolley3 = load_image("bmp/trolley.bmp");
    title = load_image("bmp/title.bmp");

    f = load_bitmap_font("bmp/font.pcx", nullptr, nullptr);
    if (!f) {
        // Ending with 0 here would report a broken install as a normal quit.
        fprintf(stderr, "nannyday: cannot load \"bmp/font.pcx\"; the game cannot show its text without it\n");
        exit(1);
    }

    for (int c = 0; c < 4; c++) {
        for (int i = 0; i < imagecount[c]; i++) {
            char path[64];
            snprintf(path, sizeof path, "bmp/%d-%d.bmp", c, i);
            scenes[c][i] = load_image(path);
        }
    }
}

void blit_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h)
{
    if (src)
        blit(src, buffer, sx, sy, dx, dy, w, h);
}

void masked_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h)
{
    if (src)
        masked_blit(src, buffer, sx, sy, dx, dy, w, h);
}
