// The two level-one figures, drawn pixel by pixel: at 32x32 hand-placed
// pixels read better than shrunken shapes. Feet at the bottom centre.
#include "assets.h"
#include "paint.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

struct Ink {
    char key;
    int r, g, b;
};

// Shared with the story pictures' colours, so the figures match them.
const Ink INKS[] = {
    {'k', 58, 40, 48},    {'h', 122, 66, 38},   {'H', 168, 102, 60},  {'s', 250, 212, 180},
    {'e', 40, 28, 36},    {'c', 240, 150, 140}, {'m', 170, 50, 60},   {'b', 72, 112, 196},
    {'B', 48, 78, 150},   {'w', 252, 250, 242}, {'W', 212, 210, 214}, {'l', 84, 70, 92},
    {'o', 96, 52, 40},    {'g', 236, 128, 44},  {'r', 222, 66, 60},   {'y', 252, 212, 76},
    {'u', 62, 92, 170},   {'n', 246, 246, 246},
};

const char *const PIP[32] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "...........k...kk...k...........",
    "..........kgk.kggk.kgk..........",
    ".........kgggkggggkgggk.........",
    "........kggggggggggggggk........",
    "........kggggggggggggggk........",
    "........kggsgssssssgsggk........",
    "........kgssssssssssssgk........",
    "........ksssessssssesssk........",
    "........ksssessssssesssk........",
    "........ksscssmmmmsscssk........",
    ".........ksssssmmsssssk.........",
    "..........kksssssssskk..........",
    ".........krrrrrrrrrrrrk.........",
    "........krrrrrrrrrrrrrrk........",
    "........kryyyyyyyyyyyyrk........",
    "........ksrrrrrrrrrrrrsk........",
    "........ksyyyyyyyyyyyysk........",
    ".........kuuuuuuuuuuuuk.........",
    "..........kuuuk..kuuuk..........",
    "...........kssk..kssk...........",
    "...........kssk..kssk...........",
    "..........knnnk..knnnk..........",
    "..........kkkkk..kkkkk..........",
};

const char *const ROSA[32] = {
    "................................",
    "..............kkkk..............",
    ".............khhhhk.............",
    ".............khHHhk.............",
    "...........kkkhhhhkkk...........",
    "..........khhhhhhhhhhk..........",
    ".........khhHhhhhhhHhhk.........",
    "........khhhhhhhhhhhhhhk........",
    "........khhhsssssssshhhk........",
    "........khhsssssssssshhk........",
    "........khsssksssskssshk........",
    "........khsssksssskssshk........",
    "........khscsssssssscshk........",
    "........kkssssmssmsssskk........",
    ".........ksssssmmsssssk.........",
    "..........kssssssssssk..........",
    "...........kkksssskkk...........",
    "..........kbbbbwwbbbbk..........",
    ".........kbbbbwwwwbbbbk.........",
    "........kBbbbwwwwwwbbbBk........",
    "........kBbbbwwwwwwbbbBk........",
    "........kBbbbwwwwwwbbbBk........",
    "........ksbbbwwwwwwbbbsk........",
    "........ksbbwwwwwwwwbbsk........",
    "........kbbbwwwwwwwwbbbk........",
    ".......kbbbbwwwwwwwwbbbbk.......",
    ".......kbbbbWWWWWWWWbbbbk.......",
    ".......kBBBBBBBBBBBBBBBBk.......",
    "........kkkkkkkkkkkkkkkk........",
    "...........kllk..kllk...........",
    "..........koook..koook..........",
    "..........kkkkk..kkkkk..........",
};

void sprite(const char *const rows[32], const char *name)
{
    BITMAP *b = create_bitmap_ex(32, 32, 32);
    for (int y = 0; y < 32; y++) {
        if (strlen(rows[y]) != 32) {
            fprintf(stderr, "%s: row %d is not 32 wide\n", name, y);
            exit(1);
        }
        for (int x = 0; x < 32; x++) {
            int c = mask();
            for (const Ink &i : INKS)
                if (i.key == rows[y][x])
                    c = rgb(i.r, i.g, i.b);
            putpixel(b, x, y, c);
        }
    }
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

void img1()
{
    sprite(PIP, "img1.bmp");
}

void img2()
{
    sprite(ROSA, "img2.bmp");
}
