// The level pictures: the garden, the shop with its icon sheet, the street
// home and the trolley. Everything is placed where the levels draw.
#include "art/pictures.h"

#include "art/figures.h"
#include "common/output.h"
#include "core/layout.h"

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

// A gamepad's D-pad with the arm for up or down pressed in; k scales it.
void dpad(BITMAP *b, float cx, float cy, bool up, float k = 1)
{
    float w = 8 * k, l = 20 * k;
    rbox(b, cx - w - 3 * k, cy - l - 3 * k, cx + w + 3 * k, cy + l + 3 * k, 5 * k, outline());
    rbox(b, cx - l - 3 * k, cy - w - 3 * k, cx + l + 3 * k, cy + w + 3 * k, 5 * k, outline());
    rbox(b, cx - w, cy - l, cx + w, cy + l, 3 * k, rgb(246, 248, 252));
    rbox(b, cx - l, cy - w, cx + l, cy + w, 3 * k, rgb(246, 248, 252));
    disc(b, cx, cy, 4 * k, rgb(210, 214, 224));
    float d = up ? -1.0f : 1.0f;
    rbox(b, cx - w, up ? cy - l : cy + 5 * k, cx + w, up ? cy - 5 * k : cy + l, 3 * k, rgb(210, 214, 224));
    poly(b, {cx, cy + d * (l - 3 * k), cx - 6 * k, cy + d * 9 * k, cx + 6 * k, cy + d * 9 * k}, outline());
}

} // namespace

// Level one: the back garden. The mown lawn is where the figures' feet may
// go; the sandpit fills its bottom-right corner, which
// is the goal. Everything round the lawn is washed pale so the lawn, the
// sandpit and the two figures are what the eye finds.
void bg0()
{
    const float L = LAWN_LEFT, R = LAWN_RIGHT, T = LAWN_TOP, B = LAWN_BOTTOM;
    light = DAY;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 120, rgb(120, 190, 240), rgb(206, 234, 250));
    cloud(b, 120, 46, 50);
    cloud(b, 400, 30, 40);
    disc(b, 590, 36, 34, rgb(255, 244, 190));
    disc(b, 590, 36, 22, rgb(255, 214, 80));
    tree_row(b, {{-20, 72}, {44, 92}, {98, 66}, {160, 84}, {226, 70}, {280, 96}, {344, 76}, {410, 64}, {466, 90},
                 {530, 80}, {590, 70}, {650, 88}},
             132, 0.25f, 0);
    vgrad(b, 0, 118, 640, 480, rgb(112, 180, 84), rgb(92, 156, 72));
    // The back fence.
    garden_fence(b, 121);
    // The rest of the garden.
    tree_of(b, 80, 340, 112, ROUND, 0, 7);
    bush(b, 572, 236, 44, rgb(90, 168, 80));
    bush(b, 84, 380, 36, rgb(100, 176, 86));
    for (float x = 500; x < 630; x += 26)
        flower(b, x, 350 + static_cast<float>(static_cast<int>(x) % 3) * 6, 5, rgb(240, 90, 110));
    for (float x = 150; x < 190; x += 14)
        flower(b, x, 200 + static_cast<float>(static_cast<int>(x) % 4) * 9, 4, rgb(250, 250, 250));
    wash(b, 0, 0, 640, 480, rgb(214, 228, 206), 0.42f);

    // The lawn, raised a little: a shadow cast away from the sun, a wooden
    // edge lit on the sides that face it, bright mown stripes.
    float x1 = L - 18, y1 = T - 24, x2 = R + 19, y2 = B + 14;
    float sun_x, sun_y;
    towards_light(sun_x, sun_y);
    rbox(b, x1 - 6 - 10 * sun_x, y1 - 6 - 10 * sun_y, x2 + 6 - 10 * sun_x, y2 + 6 - 10 * sun_y, 12, rgb(74, 118, 62));
    rbox(b, x1 - 8, y1 - 8, x2 + 8, y2 + 8, 10, outline());
    rbox(b, x1 - 5, y1 - 5, x2 + 5, y2 + 5, 8, wood());
    box(b, x1 - 5, y1 - 5 + 8, x1 - 1, y2 + 5 - 8, in_light(wood(), -1, 0));
    box(b, x2 + 1, y1 - 5 + 8, x2 + 5, y2 + 5 - 8, in_light(wood(), 1, 0));
    box(b, x1 - 5 + 8, y1 - 5, x2 + 5 - 8, y1 - 1, in_light(wood(), 0, -1));
    box(b, x1 - 5 + 8, y2 + 1, x2 + 5 - 8, y2 + 5, in_light(wood_dark(), 0, 1));
    box(b, x1 - 1, y1 - 1, x2 + 1, y2 + 1, outline());
    box(b, x1, y1, x2, y2, rgb(146, 212, 104));
    for (float x = x1; x < x2; x += 36)
        box(b, x, y1, std::fmin(x + 18, x2), y2, rgb(128, 198, 90));
    // The sandpit in the goal corner: sand, a castle, a bucket and spade.
    float sx1 = R - 52, sy1 = B - 50;
    int sand = rgb(250, 222, 154);
    rbox(b, sx1 - 3, sy1 - 3, x2 + 1, y2 + 1, 6, outline());
    rbox(b, sx1, sy1, x2 + 1, y2 + 1, 5, in_light(rgb(214, 160, 96), -1, 1));
    box(b, sx1 + 5, sy1, x2 - 4, sy1 + 4, in_light(rgb(214, 160, 96), 0, -1));
    box(b, x2 - 3, sy1 + 5, x2 + 1, y2 - 4, in_light(rgb(214, 160, 96), 1, 0));
    rbox(b, sx1 + 4, sy1 + 4, x2 - 3, y2 - 3, 4, sand);
    // The frame's walls facing the sun shade the sand inside them.
    box(b, sx1 + 6, sy1 + 4, x2 - 3, sy1 + 4 - 5 * sun_y, in_light(sand, -1, 1));
    box(b, x2 - 3 - 5 * sun_x, sy1 + 4, x2 - 3, y2 - 5, in_light(sand, -1, 1));
    for (int k = 0; k < 3; k++)
        arc(b, sx1 + 30, sy1 + 40, 10 + 6 * static_cast<float>(k), 4 + 2 * static_cast<float>(k), 190, 350, 1.2f,
            rgb(232, 196, 126));
    float cx = sx1 + 16, cy = sy1 + 24;
    ground_shadow(b, cx, cy + 7, 18);
    ground_shadow(b, cx + 4, sy1 + 44, 16);
    poly(b, {cx - 8, cy + 7, cx + 8, cy + 7, cx + 6, cy - 5, cx - 6, cy - 5}, outline());
    poly(b, {cx - 6.5f, cy + 5.5f, cx + 6.5f, cy + 5.5f, cx + 5, cy - 3.5f, cx - 5, cy - 3.5f}, in_light(rgb(236, 196, 120), -1, 0));
    poly(b, {cx, cy + 5.5f, cx + 6.5f, cy + 5.5f, cx + 5, cy - 3.5f, cx, cy - 3.5f}, in_light(rgb(236, 196, 120), 1, 0));
    for (float k : {-5.0f, 0.0f, 5.0f})
        box(b, cx + k - 1.5f, cy - 8, cx + k + 1.5f, cy - 3, outline());
    poly(b, {cx - 2, sy1 + 44, cx + 10, sy1 + 44, cx + 12, sy1 + 32, cx - 4, sy1 + 32}, outline());
    poly(b, {cx - 0.5f, sy1 + 42.5f, cx + 8.5f, sy1 + 42.5f, cx + 10.5f, sy1 + 33.5f, cx - 2.5f, sy1 + 33.5f},
         in_light(rgb(70, 150, 220), -1, 0));
    poly(b, {cx + 4, sy1 + 42.5f, cx + 8.5f, sy1 + 42.5f, cx + 10.5f, sy1 + 33.5f, cx + 4, sy1 + 33.5f},
         in_light(rgb(70, 150, 220), 1, 0));
    // The spade lies along the top, clear of where Pip ends up.
    stroke(b, {sx1 + 26, sy1 + 10, sx1 + 46, sy1 + 8}, 2.2f, outline());
    poly(b, {sx1 + 44, sy1 + 4, sx1 + 54, sy1 + 3.5f, sx1 + 55, sy1 + 12, sx1 + 45, sy1 + 12.5f}, outline());
    poly(b, {sx1 + 45.5f, sy1 + 5.5f, sx1 + 53, sy1 + 5, sx1 + 53.5f, sy1 + 10.5f, sx1 + 46, sy1 + 11}, rgb(222, 66, 60));
    // A sign beside it, pointing in.
    stroke(b, {506, 344, 506, 300}, 5, outline());
    stroke(b, {506, 343, 506, 301}, 2.5f, wood_dark());
    poly(b, {458, 300, 472, 285, 552, 285, 552, 315, 472, 315}, outline());
    poly(b, {462, 300, 473.5f, 288, 549, 288, 549, 312, 473.5f, 312}, paper());
    // How to play.
    note_panel(b, 92, 392, 548, 468);
    BITMAP *f = shrink(b);
    say(f, "Sandpit", 510, 294, 1, 0, ink(), -1);
    say(f, "Chase Pip into the sandpit!", 320, 402, 2, 0, ink(), -1);
    say(f, "The arrow keys or the D-pad move Rosa.", 320, 440, 1, 0, ink(), -1);
    save(f, "bg0.bmp");
}

// Level two: the shop. Apples on the top shelf (Up), milk on the bottom
// shelf (Down), and the three icon places on the counter between them.
void bg1()
{
    light = DAY;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 480, rgb(250, 240, 216), rgb(236, 220, 192));
    for (float x = 0; x < 640; x += 32)
        box(b, x, 0, x + 12, 480, rgb(244, 232, 204));
    // Shop sign, clear of the score in the top-left corner.
    rbox(b, 196, 8, 444, 46, 8, outline());
    rbox(b, 199, 11, 441, 43, 6, rgb(136, 190, 160));
    // Top shelf with apples.
    // Stacked by hand, not by machine: sizes, heights, how each one lies
    // and how ripe it is vary a little.
    for (int k = 0; k < 15; k++) {
        float j = static_cast<float>((k * 7) % 5);
        float tilt = static_cast<float>((k * 37) % 11 - 5) * 4, ripe = static_cast<float>((k * 53) % 7) / 6;
        apple(b, 132 + static_cast<float>(k) * 27 + (j - 2) * 0.8f, 113 - j * 0.5f, 9 + j * 0.4f, tilt, ripe);
    }
    box(b, 104, 124, 536, 134, outline());
    box(b, 106, 125, 534, 132, wood());
    arrow_key(b, 30, 100, true, 0.8f);
    dpad(b, 76, 100, true, 0.8f);
    // Counter board with the three icon places.
    rbox(b, 100, 140, 524, 308, 10, outline());
    rbox(b, 103, 143, 521, 305, 8, wood_dark());
    for (int i = 0; i < 3; i++) {
        float x = CARD_LEFT + CARD_STEP * static_cast<float>(i), y = CARD_TOP, s = CARD_SIZE;
        rbox(b, x - 5, y - 5, x + s + 5, y + s + 5, 8, wood());
        rbox(b, x - 2, y - 2, x + s + 2, y + s + 2, 6, rgb(236, 210, 170));
    }
    // Bottom shelf with milk.
    for (int k = 0; k < 13; k++) {
        float h = static_cast<float>(38 + (k * 7) % 8), tilt = static_cast<float>((k * 29) % 5 - 2) * 1.5f;
        milk(b, 134 + static_cast<float>(k) * 31, 370, h, tilt, static_cast<float>((k * 41) % 5) / 4);
    }
    box(b, 104, 370, 536, 380, outline());
    box(b, 106, 371, 534, 378, wood());
    arrow_key(b, 30, 336, false, 0.8f);
    dpad(b, 76, 336, false, 0.8f);
    // Turn order along the counter's foot: bell, then Pip, then you.
    for (float ax : {245.5f, 378.5f})
        poly(b, {ax - 3, 290, ax + 4, 295.5f, ax - 3, 301}, rgb(255, 240, 200));
    // The goal, pinned up in the score's own colours.
    rbox(b, 552, 196, 628, 262, 8, outline());
    rbox(b, 555, 199, 625, 259, 6, paper());
    disc(b, 590, 203, 4, rgb(222, 66, 60));
    rbox(b, 569, 228, 611, 250, 3, outline());
    box(b, 572, 231, 608, 247, rgb(211, 140, 58));
    // The score's badge: the game writes the count into its dark slot.
    rbox(b, 2, 2, 164, 33, 9, outline());
    rbox(b, 4.5f, 4.5f, 161.5f, 30.5f, 7, paper());
    rbox(b, 6.5f, 6.5f, 38.5f, 28.5f, 3, outline());
    note_panel(b, 24, 388, 616, 472);
    BITMAP *f = shrink(b);
    say(f, "Corner Shop", 320, 13, 2, 0, rgb(255, 250, 236), outline());
    say(f, "Up", 56, 128, 1, 0, ink(), -1);
    say(f, "Down", 56, 364, 1, 0, ink(), -1);
    say(f, "the bell", 179, 289, 1, 0, rgb(255, 240, 200), -1);
    say(f, "Pip asks", 312, 289, 1, 0, rgb(255, 240, 200), -1);
    say(f, "you give", 445, 289, 1, 0, rgb(255, 240, 200), -1);
    say(f, "right in a row", 44, 10, 1, -1, ink(), -1);
    say(f, "Goal", 590, 209, 1, 0, ink(), -1);
    say(f, "5/5", 590, 232, 1, 0, rgb(170, 211, 58), -1);
    say(f, "When the bell rings, Pip asks for apples or milk.", 320, 394, 1, 0, ink(), -1);
    say(f, "Up: apples   Down: milk", 320, 412, 2, 0, rgb(200, 60, 60), -1);
    say(f, "Give him the right thing five times in a row!", 320, 446, 1, 0, ink(), -1);
    save(f, "bg1.bmp");
}

// Level two's icons, one column each: the bell, what Pip asks for, what the
// player gives. Rows are the states -1, 0 and 1. Apples are on pink cards
// and milk on blue ones, so a right answer shows two cards alike; and as a
// jigsaw, Pip's card has a round tab for apples and a square one for milk,
// the answer's card a notch of the same shape, so that a wrong answer also
// shows as two pieces that do not fit, whatever colours one sees.
void l2sprites()
{
    light = DAY;
    BITMAP *b = big_canvas(384, 384, mask());
    int apple_card = rgb(255, 214, 206), milk_card = rgb(206, 226, 255), plain = rgb(246, 240, 228);
    enum Join { FLAT, ROUND_TAB, SQUARE_TAB, ROUND_NOTCH, SQUARE_NOTCH };
    auto card = [&](int col, int row, int c, Join join = FLAT) {
        float x = static_cast<float>(col) * 128, y = static_cast<float>(row) * 128;
        float right = join == ROUND_TAB || join == SQUARE_TAB ? 113 : 125;
        set_clip_rect(b, static_cast<int>(x) * SS, static_cast<int>(y) * SS, static_cast<int>(x + 128) * SS - 1,
                      static_cast<int>(y + 128) * SS - 1);
        rbox(b, x + 3, y + 3, x + right, y + 125, 16, outline());
        int rim = row == 1 ? c : rgb(255, 252, 240);
        rbox(b, x + 6, y + 6, x + right - 3, y + 122, 13, rim);
        if (row != 1)   // in play: a bright rim inside the outline
            rbox(b, x + 10, y + 10, x + right - 7, y + 118, 10, c);
        // The join, at the middle of the edge that faces the next card.
        float jx = join == ROUND_TAB || join == SQUARE_TAB ? x + right : x + 3, jy = y + 64;
        auto piece = [&](float r, int colour) {
            if (join == ROUND_TAB || join == ROUND_NOTCH)
                disc(b, jx, jy, r, colour);
            else
                rbox(b, jx - r, jy - r, jx + r, jy + r, 3, colour);
        };
        if (join == ROUND_TAB || join == SQUARE_TAB) {
            piece(12, outline());
            piece(9, rim);
            piece(5, c);
        } else if (join != FLAT) {
            // Cut into the card: its outline follows the cut, nothing spills outside.
            set_clip_rect(b, static_cast<int>(x + 3) * SS, static_cast<int>(y) * SS, static_cast<int>(x + 128) * SS - 1,
                          static_cast<int>(y + 128) * SS - 1);
            piece(12, outline());
            piece(9, mask());
        }
        set_clip_rect(b, 0, 0, b->w - 1, b->h - 1);
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
        card(1, row, row == 0 ? apple_card : row == 2 ? milk_card : plain,
             row == 0 ? ROUND_TAB : row == 2 ? SQUARE_TAB : FLAT);
        Pose q = p;
        q.face = row == 1 ? SMILE : LAUGH;
        q.look = 0.6f;
        pip_sitting(b, x + 36, y + 122, 1.35f, q);
        // He says it: a speech bubble like the story pictures' ones.
        stroke(b, {x + 62, y + 50, x + 52, y + 68, x + 76, y + 54}, 3, outline());
        poly(b, {x + 62, y + 50, x + 52, y + 68, x + 76, y + 54}, outline());
        oval(b, x + 82, y + 34, 27, 26, outline());
        oval(b, x + 82, y + 34, 24.5f, 23.5f, rgb(255, 255, 255));
        poly(b, {x + 64, y + 50, x + 55, y + 64.5f, x + 74, y + 53}, rgb(255, 255, 255));
        if (row == 0)
            apple(b, x + 82, y + 38, 14);
        else if (row == 2)
            milk(b, x + 82, y + 53, 38);
        else
            for (int k = -1; k <= 1; k++)
                disc(b, x + 82 + static_cast<float>(k) * 11, y + 35, 3.5f, rgb(170, 150, 140));
    }
    // What Rosa hands over: milk (-1, Down), nothing yet (0), an apple (1, Up).
    for (int row = 0; row < 3; row++) {
        float x = 256, y = static_cast<float>(row) * 128;
        card(2, row, row == 0 ? milk_card : row == 2 ? apple_card : plain,
             row == 0 ? SQUARE_NOTCH : row == 2 ? ROUND_NOTCH : FLAT);
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
    // Waiting pictures fade to grey, so the eye goes to the ones in play.
    for (int y = 0; y < 384; y++)
        for (int x = 0; x < 384; x++) {
            int c = getpixel(f, x, y);
            bool idle = (y >= 128 && y < 256) || (x < 128 && y >= 256);
            if (!idle || c == mask())
                continue;
            int grey = (getr32(c) * 3 + getg32(c) * 6 + getb32(c)) / 10;
            putpixel(f, x, y, mix(rgb(grey, grey, grey), rgb(226, 222, 216), 0.55f));
        }
    save(f, "l2sprites.bmp");
}

// Level three: the street home at the end of the afternoon, the low sun over
// Pip's house at the right. The trolley's wheels run along the pavement at
// y 400; chalk marks below them count down the way home.
void bg2()
{
    light = EVENING;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 380, rgb(250, 166, 120), rgb(255, 228, 172));
    disc(b, 560, 96, 50, rgb(255, 236, 170));
    disc(b, 560, 96, 34, rgb(255, 206, 100));
    cloud(b, 150, 110, 56);
    cloud(b, 380, 74, 36);
    // Neighbours on the way, each its own shape, then home.
    const House street[] = {
        {-50, 120, 176, rgb(214, 172, 160), rgb(150, 84, 84), 2, 2},
        {84, 104, 150, rgb(196, 190, 226), rgb(110, 96, 140), 0, 2},
        {204, 140, 190, rgb(170, 206, 186), rgb(92, 130, 110), 1, 3},
        {360, 96, 160, rgb(236, 196, 160), rgb(170, 90, 70), 0, 1},
    };
    for (const House &h : street)
        street_house(b, h, 372);
    // Home: Pip's yellow house with the red roof and the blue door, its
    // lights on and the door open.
    int o = outline();
    box(b, 486, 140, 660, 372, o);
    box(b, 490, 144, 660, 372, rgb(252, 226, 160));
    box(b, 490, 144, 500, 372, in_light(rgb(252, 226, 160), -1, 0));
    poly(b, {470, 150, 570, 60, 670, 150}, o);
    poly(b, {478, 146, 570, 68, 570, 146}, in_light(rgb(206, 74, 64), -1, -1));
    poly(b, {570, 68, 662, 146, 570, 146}, in_light(rgb(206, 74, 64), 1, -1));
    for (float wx : {508.0f, 596.0f}) {
        box(b, wx - 3, 167, wx + 41, 215, o);
        box(b, wx, 170, wx + 38, 212, rgb(255, 220, 120));
        box(b, wx + 17, 170, wx + 21, 212, rgb(250, 250, 244));
    }
    box(b, 537, 272, 595, 372, o);
    box(b, 540, 275, 592, 372, rgb(255, 214, 120));
    poly(b, {540, 275, 524, 282, 524, 376, 540, 372}, rgb(60, 120, 200));
    rbox(b, 530, 240, 602, 262, 6, o);
    rbox(b, 532.5f, 242.5f, 599.5f, 259.5f, 4, paper());
    // Hedges in front of the gardens, with gaps for the paths.
    const float hedge[][2] = {{-10, 58}, {90, 164}, {214, 276}, {300, 344}, {372, 430}, {470, 526}, {606, 660}};
    // Each clump shaded on the side away from the low sun.
    float lx, ly;
    highlight_at(4, lx, ly);
    int leaf = rgb(96, 164, 84), leaf_shade = mix(leaf, rgb(24, 60, 70), 0.3f);
    for (auto &h : hedge)
        for (int pass = 0; pass < 3; pass++)
            for (float x = h[0]; x <= h[1]; x += 15) {
                float r = 13 + 4 * std::sin(x * 0.37f);
                if (pass == 2)
                    disc(b, x + lx, 356 + ly, r - 3.5f, leaf);
                else
                    disc(b, x, 356, pass ? r - 2.5f : r, pass ? leaf_shade : o);
            }
    for (auto &h : hedge)
        box(b, h[0] - 12, 358, h[1] + 12, 372, leaf_shade);
    // Lamp posts along the way.
    for (float lx : {70.0f, 290.0f, 460.0f}) {
        stroke(b, {lx, 372, lx, 250}, 5, o);
        stroke(b, {lx, 371, lx, 251}, 2.5f, rgb(70, 76, 92));
        rbox(b, lx - 9, 232, lx + 9, 254, 4, o);
        rbox(b, lx - 6.5f, 234.5f, lx + 6.5f, 251.5f, 3, rgb(255, 236, 160));
    }
    // The pavement the trolley rolls on, and the road in front.
    box(b, 0, 368, 640, 430, rgb(206, 196, 186));
    box(b, 0, 368, 640, 374, rgb(168, 156, 146));
    for (float x = 10; x < 640; x += 64)
        poly(b, {x, 374, x + 3, 374, x - 8, 430, x - 11, 430}, rgb(186, 176, 166));
    box(b, 0, 430, 640, 438, rgb(150, 140, 132));
    box(b, 0, 438, 640, 480, rgb(96, 96, 108));
    for (float x = 20; x < 640; x += 80)
        box(b, x, 456, x + 40, 461, rgb(236, 236, 226));
    // Chalk marks counting down to home: arrows, and a heart at the door.
    int chalk = rgb(252, 250, 240);
    for (int k = 0; k < 4; k++) {
        float ax = 96 + static_cast<float>(k) * 120;
        stroke(b, {ax + 14, 417, ax + 44, 417}, 3, chalk);
        stroke(b, {ax + 35, 409, ax + 45, 417, ax + 35, 425}, 3, chalk);
    }
    disc(b, 561, 414, 5, rgb(240, 110, 130));
    disc(b, 571, 414, 5, rgb(240, 110, 130));
    poly(b, {556, 416, 576, 416, 566, 427}, rgb(240, 110, 130));
    note_panel(b, 14, 12, 626, 52);
    BITMAP *f = shrink(b);
    say(f, "Home", 566, 244, 1, 0, ink(), -1);
    for (int k = 0; k < 4; k++) {
        char n[2] = {static_cast<char>('4' - k), 0};
        say(f, n, 92 + k * 120, 404, 2, 0, chalk, -1);
    }
    say(f, "Hold Right to push the trolley home!", 320, 19, 2, 0, ink(), -1);
    save(f, "bg2.bmp");
}

// Rosa pushing the trolley with Pip and the shopping in it; her feet and the
// wheels stand on the picture's bottom row.
void trolley()
{
    light = EVENING;
    BITMAP *b = big_canvas(190, 122, mask());
    pushing_home(b, 52, 121.5f, 1.1f, 1.5f);
    save(shrink_crisp(b, outline()), "trolley.bmp");
}
