// The two level-one figures, drawn pixel by pixel: at 32x32 hand-placed
// pixels read better than shrunken shapes. Feet at the bottom centre.
#include "art/sprites.h"

#include "art/palette.h"
#include "common/output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Ink {
    char key;
    int colour;
};

// The story pictures' own colours, with a darker and a lighter step where a
// 32x32 figure needs one: shade on the left, shine on the right, as the sun
// stands in every picture.
std::vector<Ink> inks()
{
    return {
        {'k', outline()},    {'h', rosa_hair()},           {'H', rgb(168, 102, 60)}, {'s', skin()},
        {'e', rgb(40, 28, 36)}, {'c', rgb(240, 150, 140)}, {'m', rgb(170, 50, 60)},  {'b', rosa_dress()},
        {'B', rgb(48, 78, 150)}, {'w', apron()},           {'W', rgb(212, 210, 214)}, {'l', tights()},
        {'o', shoe()},       {'g', pip_hair()},            {'r', shirt()},           {'y', stripe()},
        {'u', shorts()},     {'n', sneaker()},
    };
}

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
    ".............khhHHk.............",
    "...........kkkhhhhkkk...........",
    "..........khhhhhhhhhhk..........",
    ".........khhhhhhhhhHhhk.........",
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
    "........kBbbbwwwwwwbbbbk........",
    "........kBbbbwwwwwwbbbbk........",
    "........kBbbbwwwwwwbbbbk........",
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
    const std::vector<Ink> palette = inks();
    BITMAP *b = create_bitmap_ex(32, 32, 32);
    for (int y = 0; y < 32; y++) {
        if (strlen(rows[y]) != 32) {
            fprintf(stderr, "%s: row %d is not 32 wide\n", name, y);
            exit(1);
        }
        for (int x = 0; x < 32; x++) {
            int c = mask();
            for (const Ink &i : palette)
                if (i.key == rows[y][x])
                    c = i.colour;
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
