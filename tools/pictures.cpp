// The pictures: level backgrounds, sprites, the icon sheet, the title and the cutscenes.
#include "assets.h"


void bg0()
{
    BITMAP *b = canvas(640, 480, 90, 150, 80);
    rectfill(b, 208, 202, 433, 320, makecol32(120, 190, 100));
    rectfill(b, 413, 300, 433, 320, makecol32(230, 200, 60));
    save(b, "bg0.bmp");
}

void bg1()
{
    BITMAP *b = canvas(640, 480, 200, 190, 170);
    for (int i = 0; i < 3; i++)
        rect(b, 113 + 133 * i, 151, 115 + 133 * i + 129, 282, makecol32(60, 60, 60));
    save(b, "bg1.bmp");
}

void bg2()
{
    BITMAP *b = canvas(640, 480, 170, 200, 230);
    rectfill(b, 0, 401, 639, 479, makecol32(110, 110, 110));
    save(b, "bg2.bmp");
}

void l2sprites()
{
    BITMAP *b = canvas(384, 384, MASK_R, MASK_G, MASK_B);
    const int shade[3][3] = {{200, 60, 60}, {230, 230, 230}, {60, 160, 60}};
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++) {
            int x = col * 128, y = row * 128;
            circlefill(b, x + 64, y + 64, 50, makecol32(shade[row][0], shade[row][1], shade[row][2]));
            if (col == 1 && row != 1)
                triangle(b, x + 34, y + (row == 0 ? 84 : 44), x + 94, y + (row == 0 ? 84 : 44), x + 64,
                         y + (row == 0 ? 34 : 94), makecol32(30, 30, 30));
        }
    save(b, "l2sprites.bmp");
}

namespace {

void figure(const char *name, int r, int g, int b)
{
    BITMAP *s = canvas(32, 32, MASK_R, MASK_G, MASK_B);
    circlefill(s, 16, 8, 6, makecol32(240, 200, 170));
    rectfill(s, 9, 14, 22, 31, makecol32(r, g, b));
    save(s, name);
}

void cutscene(const char *name, int r, int g, int b)
{
    BITMAP *c = canvas(640, 480, r, g, b);
    rectfill(c, 40, 360, 600, 440, makecol32(250, 250, 240));
    save(c, name);
}

} // namespace

void img1()
{
    figure("img1.bmp", 230, 120, 60);
}

void img2()
{
    figure("img2.bmp", 70, 90, 200);
}

void trolley()
{
    BITMAP *t = canvas(190, 122, MASK_R, MASK_G, MASK_B);
    rectfill(t, 10, 10, 179, 95, makecol32(160, 160, 175));
    circlefill(t, 35, 108, 12, makecol32(40, 40, 40));
    circlefill(t, 155, 108, 12, makecol32(40, 40, 40));
    save(t, "trolley.bmp");
}

void title_bmp()
{
    BITMAP *t = canvas(640, 480, MASK_R, MASK_G, MASK_B);
    rectfill(t, 120, 80, 520, 200, makecol32(250, 240, 220));
    save(t, "title.bmp");
}

void cutscene_0_0() { cutscene("0-0.bmp", 240, 200, 160); }
void cutscene_0_1() { cutscene("0-1.bmp", 200, 220, 160); }
void cutscene_1_0() { cutscene("1-0.bmp", 160, 200, 230); }
void cutscene_2_0() { cutscene("2-0.bmp", 220, 170, 200); }
void cutscene_3_0() { cutscene("3-0.bmp", 250, 220, 120); }
