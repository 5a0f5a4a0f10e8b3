// The level pictures: the garden, the shop with its icon sheet, the street
// home and the trolley. Everything is placed where the levels draw.
#include "assets.h"
#include "figures.h"

#include <cmath>

namespace {

int wood() { return rgb(176, 118, 70); }
int wood_dark() { return rgb(134, 84, 50); }

void note_panel(BITMAP *b, float x1, float y1, float x2, float y2)
{
    rbox(b, x1, y1, x2, y2, 12, outline());
    rbox(b, x1 + 3, y1 + 3, x2 - 3, y2 - 3, 9, paper());
}

// A keyboard key with an arrow on it, pointing up or down; k scales it.
void arrow_key(BITMAP *b, float cx, float cy, bool up, float k = 1)
{
    rbox(b, cx - 22 * k, cy - 20 * k, cx + 22 * k, cy + 24 * k, 8 * k, outline());
    rbox(b, cx - 19 * k, cy - 17 * k, cx + 19 * k, cy + 21 * k, 6 * k, rgb(210, 214, 224));
    rbox(b, cx - 19 * k, cy - 17 * k, cx + 19 * k, cy + 15 * k, 6 * k, rgb(246, 248, 252));
    float d = up ? -1.0f : 1.0f;
    poly(b, {cx, cy + (d * 12 - 1) * k, cx - 11 * k, cy + (d - 1) * k, cx + 11 * k, cy + (d - 1) * k}, outline());
    box(b, cx - 4.5f * k, cy + (up ? -2 : -11) * k, cx + 4.5f * k, cy + (up ? 10 : 1) * k, outline());
}

} // namespace

// Level one: the back garden. The mown lawn is where the figures' feet may
// go (x 208-433, y 202-320), framed by a flower border; the sandpit fills
// the bottom-right corner, which is the goal.
void bg0()
{
    const float L = 208, R = 433, T = 202, B = 320;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 120, rgb(120, 190, 240), rgb(206, 234, 250));
    cloud(b, 120, 46, 50);
    cloud(b, 470, 30, 40);
    disc(b, 580, 40, 40, rgb(255, 244, 190));
    disc(b, 580, 40, 26, rgb(255, 214, 80));
    for (float x = -30; x < 700; x += 70)
        tree(b, x, 130, 70 + static_cast<float>(static_cast<int>(x + 30) % 3) * 8);
    vgrad(b, 0, 118, 640, 480, rgb(112, 180, 84), rgb(92, 156, 72));
    // The back fence.
    for (float x = 0; x < 640; x += 18) {
        poly(b, {x + 1, 162, x + 15, 162, x + 15, 128, x + 8, 121, x + 1, 128}, outline());
        poly(b, {x + 2, 161, x + 14, 161, x + 14, 129, x + 8, 123, x + 2, 129}, rgb(250, 250, 244));
    }
    box(b, 0, 134, 640, 139, rgb(214, 210, 200));
    box(b, 0, 150, 640, 155, rgb(214, 210, 200));
    // The lawn: flower border, then mown stripes.
    float x1 = L - 14, y1 = T - 10, x2 = R + 14, y2 = B + 10;
    rbox(b, x1 - 10, y1 - 10, x2 + 10, y2 + 10, 12, rgb(70, 130, 60));
    rbox(b, x1 - 4, y1 - 4, x2 + 4, y2 + 4, 8, outline());
    box(b, x1, y1, x2, y2, rgb(150, 214, 110));
    for (float x = x1; x < x2; x += 36)
        box(b, x, y1, std::fmin(x + 18, x2), y2, rgb(138, 204, 100));
    for (float x = x1 - 2; x < x2 + 4; x += 21) {
        flower(b, x, y1 - 9, 3.2f, static_cast<int>(x) % 2 ? rgb(240, 90, 110) : rgb(250, 250, 250));
        flower(b, x + 10, y2 + 6, 3.2f, static_cast<int>(x) % 2 ? rgb(250, 170, 60) : rgb(250, 250, 250));
    }
    for (float y = y1 + 10; y < y2; y += 22) {
        flower(b, x1 - 8, y, 3.2f, rgb(250, 250, 250));
        flower(b, x2 + 8, y, 3.2f, rgb(240, 90, 110));
    }
    // The sandpit in the goal corner, with a flag on it.
    float sx1 = R - 40, sy1 = B - 30;
    rbox(b, sx1 - 6, sy1 - 6, x2 + 2, y2 + 2, 5, outline());
    rbox(b, sx1 - 4, sy1 - 4, x2, y2, 4, wood());
    box(b, sx1, sy1, x2 - 4, y2 - 4, rgb(246, 216, 150));
    oval(b, sx1 + 22, sy1 + 18, 12, 5, rgb(232, 198, 132));
    poly(b, {sx1 + 2, y2 - 8, sx1 + 14, y2 - 8, sx1 + 16, y2 - 22, sx1, y2 - 22}, outline());
    poly(b, {sx1 + 3.5f, y2 - 9.5f, sx1 + 12.5f, y2 - 9.5f, sx1 + 14.5f, y2 - 20.5f, sx1 + 1.5f, y2 - 20.5f},
         rgb(70, 150, 220));
    stroke(b, {x2 + 6, y2 + 4, x2 + 6, sy1 - 34}, 3, outline());
    poly(b, {x2 + 6, sy1 - 34, x2 + 30, sy1 - 27, x2 + 6, sy1 - 20}, outline());
    poly(b, {x2 + 7.5f, sy1 - 31.5f, x2 + 25, sy1 - 27, x2 + 7.5f, sy1 - 22.5f}, rgb(240, 70, 70));
    // The rest of the garden.
    tree(b, 74, 330, 112);
    bush(b, 560, 250, 50, rgb(90, 168, 80));
    bush(b, 80, 370, 40, rgb(100, 176, 86));
    for (float x = 500; x < 630; x += 26)
        flower(b, x, 346 + static_cast<float>(static_cast<int>(x) % 3) * 6, 5, rgb(240, 90, 110));
    // How to play.
    note_panel(b, 92, 392, 548, 468);
    BITMAP *f = shrink(b);
    say(f, "Chase Pip into the sandpit!", 320, 402, 2, 0, ink(), -1);
    say(f, "The arrow keys move Rosa.", 320, 440, 1, 0, ink(), -1);
    save(f, "bg0.bmp");
}

// Level two: the shop. Apples on the top shelf (Up), milk on the bottom
// shelf (Down), and the three icon places on the counter between them.
void bg1()
{
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 480, rgb(250, 240, 216), rgb(236, 220, 192));
    for (float x = 0; x < 640; x += 32)
        box(b, x, 0, x + 12, 480, rgb(244, 232, 204));
    // Shop sign, clear of the score in the top-left corner.
    rbox(b, 196, 8, 444, 46, 8, outline());
    rbox(b, 199, 11, 441, 43, 6, rgb(136, 190, 160));
    // Top shelf with apples.
    for (int k = 0; k < 15; k++)
        apple(b, 132 + static_cast<float>(k) * 27, 112, 10);
    box(b, 104, 124, 536, 134, outline());
    box(b, 106, 125, 534, 132, wood());
    arrow_key(b, 56, 100, true);
    // Counter board with the three icon places.
    rbox(b, 100, 140, 524, 308, 10, outline());
    rbox(b, 103, 143, 521, 305, 8, wood_dark());
    for (int i = 0; i < 3; i++) {
        float x = 115 + 133 * static_cast<float>(i);
        rbox(b, x - 5, 148, x + 133, 286, 8, wood());
        rbox(b, x - 2, 151, x + 130, 283, 6, rgb(236, 210, 170));
    }
    // Bottom shelf with milk.
    for (int k = 0; k < 13; k++)
        milk(b, 134 + static_cast<float>(k) * 31, 370, 44);
    box(b, 104, 370, 536, 380, outline());
    box(b, 106, 371, 534, 378, wood());
    arrow_key(b, 56, 336, false);
    // A till on the right, a plant on the left.
    rbox(b, 548, 210, 626, 300, 8, outline());
    rbox(b, 551, 213, 623, 297, 6, rgb(200, 90, 90));
    rbox(b, 560, 222, 614, 246, 4, rgb(60, 70, 80));
    for (int r = 0; r < 2; r++)
        for (int c = 0; c < 3; c++)
            rbox(b, 562 + static_cast<float>(c) * 18, 256 + static_cast<float>(r) * 16, 576 + static_cast<float>(c) * 18,
                 268 + static_cast<float>(r) * 16, 2, rgb(250, 244, 230));
    note_panel(b, 24, 388, 616, 472);
    BITMAP *f = shrink(b);
    say(f, "Corner Shop", 320, 13, 2, 0, rgb(255, 250, 236), outline());
    say(f, "Up", 56, 128, 1, 0, ink(), -1);
    say(f, "Down", 56, 364, 1, 0, ink(), -1);
    say(f, "get ready", 179, 289, 1, 0, rgb(255, 240, 200), -1);
    say(f, "Pip wants", 312, 289, 1, 0, rgb(255, 240, 200), -1);
    say(f, "you give", 445, 289, 1, 0, rgb(255, 240, 200), -1);
    say(f, "When the bell rings, Pip asks for apples or milk.", 320, 394, 1, 0, ink(), -1);
    say(f, "Up: apples   Down: milk", 320, 412, 2, 0, rgb(200, 60, 60), -1);
    say(f, "Give him the right thing five times in a row!", 320, 446, 1, 0, ink(), -1);
    save(f, "bg1.bmp");
}

// Level two's icons, one column each: the bell, what Pip asks for, what the
// player gives. Rows are the states -1, 0 and 1. Apples are on pink cards
// and milk on blue ones, so a right answer shows two cards alike.
void l2sprites()
{
    BITMAP *b = big_canvas(384, 384, mask());
    int apple_card = rgb(255, 214, 206), milk_card = rgb(206, 226, 255), plain = rgb(246, 240, 228);
    auto card = [&](int col, int row, int c) {
        float x = static_cast<float>(col) * 128, y = static_cast<float>(row) * 128;
        rbox(b, x + 3, y + 3, x + 125, y + 125, 16, outline());
        rbox(b, x + 6, y + 6, x + 122, y + 122, 13, c);
    };
    // The bell: quiet (state 0, and the unused state 1), ringing (state -1).
    card(0, 0, rgb(255, 238, 150));
    bell(b, 64, 70, 28, true);
    for (int row : {1, 2}) {
        card(0, row, rgb(214, 216, 226));
        bell(b, 64, static_cast<float>(row) * 128 + 70, 28, false);
    }
    // Pip asks: for an apple (-1, wants Up), for milk (1, wants Down), or waits (0).
    Pose p = pip_standing();
    p.face = LAUGH;
    p.lhx = -14; p.lhy = -26; p.rhx = 14; p.rhy = -26;
    for (int row = 0; row < 3; row++) {
        float x = 128, y = static_cast<float>(row) * 128;
        card(1, row, row == 0 ? apple_card : row == 2 ? milk_card : plain);
        Pose q = p;
        q.face = row == 1 ? SMILE : LAUGH;
        q.look = 0.6f;
        pip_sitting(b, x + 36, y + 122, 1.35f, q);
        // Thought bubble.
        disc(b, x + 68, y + 66, 4.5f, outline());
        disc(b, x + 68, y + 66, 3, rgb(255, 255, 255));
        disc(b, x + 78, y + 56, 6.5f, outline());
        disc(b, x + 78, y + 56, 5, rgb(255, 255, 255));
        oval(b, x + 90, y + 34, 29, 26, outline());
        oval(b, x + 90, y + 34, 26.5f, 23.5f, rgb(255, 255, 255));
        if (row == 0)
            apple(b, x + 90, y + 38, 14);
        else if (row == 2)
            milk(b, x + 90, y + 53, 38);
        else
            for (int k = -1; k <= 1; k++)
                disc(b, x + 90 + static_cast<float>(k) * 11, y + 35, 3.5f, rgb(170, 150, 140));
    }
    // What Rosa hands over: milk (-1, Down), nothing yet (0), an apple (1, Up).
    for (int row = 0; row < 3; row++) {
        float x = 256, y = static_cast<float>(row) * 128;
        card(2, row, row == 0 ? milk_card : row == 2 ? apple_card : plain);
        // A basket.
        poly(b, {x + 26, y + 70, x + 102, y + 70, x + 94, y + 112, x + 34, y + 112}, outline());
        arc(b, x + 64, y + 72, 30, 30, 180, 360, 7, outline());
        arc(b, x + 64, y + 72, 30, 30, 180, 360, 3.5f, wood());
        if (row == 0)
            milk(b, x + 56, y + 84, 46);
        else if (row == 2) {
            apple(b, x + 52, y + 70, 13);
            apple(b, x + 76, y + 72, 11);
        }
        poly(b, {x + 29, y + 73, x + 99, y + 73, x + 92, y + 109, x + 36, y + 109}, wood());
        for (float k = 0; k < 4; k++)
            stroke(b, {x + 32 + k * 1.5f, y + 80 + k * 8, x + 96 - k * 1.5f, y + 80 + k * 8}, 1.5f, wood_dark());
        if (row != 1) {
            // The key that was pressed.
            arrow_key(b, x + 100, y + 28, row == 2, 0.6f);
        }
    }
    BITMAP *f = shrink_masked(b);
    say(f, "ding!", 64, 106, 1, 0, ink(), -1);
    say(f, "?", 64 + 256, 128 + 46, 2, 0, outline(), -1);
    save(f, "l2sprites.bmp");
}

// Level three: the street home at the end of the afternoon. The trolley's
// wheels run along the pavement at y 400.
void bg2()
{
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 380, rgb(250, 166, 120), rgb(255, 228, 172));
    disc(b, 530, 84, 50, rgb(255, 236, 170));
    disc(b, 530, 84, 34, rgb(255, 206, 100));
    cloud(b, 150, 110, 56);
    cloud(b, 420, 80, 40);
    const int walls[] = {rgb(230, 170, 150), rgb(210, 190, 230), rgb(240, 210, 140), rgb(170, 210, 190),
                         rgb(230, 170, 150)};
    for (int i = 0; i < 5; i++) {
        float x = -60 + static_cast<float>(i) * 150, top = 150 + static_cast<float>(i % 2) * 24;
        box(b, x - 2, top - 2, x + 132, 372, outline());
        box(b, x, top, x + 130, 372, walls[i]);
        poly(b, {x - 14, top + 2, x + 65, top - 56, x + 144, top + 2}, outline());
        poly(b, {x - 7, top, x + 65, top - 50, x + 137, top}, rgb(170, 80, 80));
        for (float wx : {x + 16, x + 78}) {
            box(b, wx - 2, top + 24, wx + 38, top + 70, outline());
            box(b, wx, top + 26, wx + 36, top + 68, rgb(255, 236, 160));
            box(b, wx + 16, top + 26, wx + 20, top + 68, outline());
        }
        box(b, x + 44, 282, x + 88, 372, outline());
        box(b, x + 47, 285, x + 85, 372, rgb(120, 80, 60));
        disc(b, x + 78, 330, 2.5f, rgb(250, 210, 80));
    }
    // A low hedge between the houses and the pavement.
    for (float x = 0; x < 660; x += 30)
        disc(b, x, 352, 22, outline());
    for (float x = 0; x < 660; x += 30)
        disc(b, x, 353, 19.5f, rgb(96, 164, 84));
    box(b, 0, 352, 640, 372, rgb(96, 164, 84));
    // The pavement the trolley rolls on, and the road in front.
    box(b, 0, 368, 640, 430, rgb(206, 196, 186));
    box(b, 0, 368, 640, 374, rgb(168, 156, 146));
    for (float x = 10; x < 640; x += 64)
        poly(b, {x, 374, x + 3, 374, x - 8, 430, x - 11, 430}, rgb(186, 176, 166));
    box(b, 0, 430, 640, 438, rgb(150, 140, 132));
    box(b, 0, 438, 640, 480, rgb(96, 96, 108));
    for (float x = 20; x < 640; x += 80)
        box(b, x, 456, x + 40, 461, rgb(236, 236, 226));
    // A signpost home on the right.
    stroke(b, {600, 400, 600, 300}, 6, outline());
    poly(b, {548, 286, 614, 286, 630, 302, 614, 318, 548, 318}, outline());
    poly(b, {551, 289, 613, 289, 626, 302, 613, 315, 551, 315}, rgb(250, 240, 210));
    note_panel(b, 56, 12, 584, 52);
    BITMAP *f = shrink(b);
    say(f, "Home", 584, 295, 1, 0, ink(), -1);
    say(f, "Hold Right to push the trolley!", 320, 19, 2, 0, ink(), -1);
    save(f, "bg2.bmp");
}

// Rosa pushing the trolley with Pip and the shopping in it; her feet and the
// wheels stand on the picture's bottom row.
void trolley()
{
    BITMAP *b = big_canvas(190, 122, mask());
    pushing_home(b, 52, 121.5f, 1.1f);
    save(shrink_masked(b), "trolley.bmp");
}
