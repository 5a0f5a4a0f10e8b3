// The pictures and the font every scene shares: the table of their files, and loading them.
#include "data/assets.h"

#include "data/bmp.h"
#include "data/file.h"
#include "data/pcx.h"

#include <cstdio>
#include <cstdlib>

BITMAP *bg[3];
BITMAP *l2sprites;
BITMAP *child1;
BITMAP *nanny1;
BITMAP *trolley3;
BITMAP *title;
FONT *f;
BITMAP *scenes[4][20];
const int imagecount[4] = {2, 1, 1, 1};

// One line a picture: CMake reads the paths from here for its memcheck tests.
const Picture pictures[picture_count] = {
    {"bmp/bg0.bmp", &bg[0]},
    {"bmp/bg1.bmp", &bg[1]},
    {"bmp/l2sprites.bmp", &l2sprites},
    {"bmp/bg2.bmp", &bg[2]},
    {"bmp/img1.bmp", &child1},
    {"bmp/img2.bmp", &nanny1},
    {"bmp/trolley.bmp", &trolley3},
    {"bmp/title.bmp", &title},
    {"bmp/0-0.bmp", &scenes[0][0]},
    {"bmp/0-1.bmp", &scenes[0][1]},
    {"bmp/1-0.bmp", &scenes[1][0]},
    {"bmp/2-0.bmp", &scenes[2][0]},
    {"bmp/3-0.bmp", &scenes[3][0]},
};
const char *const font_path = "bmp/font.pcx";

void load_images()
{
    for (int i = 0; i < picture_count; i++) {
        if (i == pictures_before_font) {
            std::vector<unsigned char> &bytes = read_buffer();
            const char *why = read_data_file(font_path, bytes);
            f = why ? nullptr : font_from_bytes(bytes, &why);
            if (!f) {
                // Ending with 0 here would report a broken install as a normal quit.
                fprintf(stderr, "nannyday: cannot load \"%s\" (%s); the game cannot show its text without it\n",
                        font_path, why);
                exit(1);
            }
        }
        *pictures[i].slot = load_checked(pictures[i].path, image_from_bytes);
    }
}

void free_images()
{
    for (const Picture &p : pictures) {
        if (*p.slot)
            destroy_bitmap(*p.slot);
        *p.slot = nullptr;
    }
    if (f)
        destroy_font(f);
    f = nullptr;
}
