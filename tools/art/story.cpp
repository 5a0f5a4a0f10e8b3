// The title picture and the five cutscene pictures that tell the story.
#include "art/story.h"

#include "art/figures.h"
#include "common/output.h"
#include "core/layout.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// The storybook strip along the bottom: drawn on the canvas, filled with
// text once the picture is finished.
const float PANEL_TOP = 386;

void panel(BITMAP *b)
{
    rbox(b, 14, PANEL_TOP, 626, 472, 14, outline());
    rbox(b, 17, PANEL_TOP + 3, 623, 469, 11, paper());
    rbox(b, 23, PANEL_TOP + 9, 617, 463, 7, rgb(248, 232, 200));
    rbox(b, 25, PANEL_TOP + 11, 615, 461, 6, paper());
}

void story_text(BITMAP *f, const char *line1, const char *line2)
{
    int h = line_height(2);
    int y = static_cast<int>(PANEL_TOP) + (86 - 2 * h) / 2 + 2;
    say(f, line1, 320, y, 2, 0, ink(), -1);
    say(f, line2, 320, y + h, 2, 0, ink(), -1);
}

void sky(BITMAP *b, float horizon, int top, int bottom)
{
    vgrad(b, 0, 0, 640, horizon, top, bottom);
}

void sun(BITMAP *b, float x, float y, float r)
{
    disc(b, x, y, r * 1.6f, rgb(255, 244, 190));
    disc(b, x, y, r * 1.3f, rgb(255, 234, 150));
    disc(b, x, y, r, rgb(255, 214, 80));
}

void hills(BITMAP *b, float y, int c)
{
    oval(b, 90, y + 10, 220, 60, c);
    oval(b, 420, y + 20, 260, 70, c);
    oval(b, 660, y, 160, 60, c);
}

void picket_fence(BITMAP *b, float x1, float x2, float top, float bottom)
{
    int white = rgb(250, 250, 244), shade = rgb(214, 210, 200);
    box(b, x1, top + (bottom - top) * 0.25f - 1, x2, top + (bottom - top) * 0.25f + 5, outline());
    box(b, x1, top + (bottom - top) * 0.65f - 1, x2, top + (bottom - top) * 0.65f + 5, outline());
    box(b, x1, top + (bottom - top) * 0.25f, x2, top + (bottom - top) * 0.25f + 4, shade);
    box(b, x1, top + (bottom - top) * 0.65f, x2, top + (bottom - top) * 0.65f + 4, shade);
    for (float x = x1 + 4; x + 12 <= x2; x += 22) {
        poly(b, {x - 1, bottom + 1, x + 13, bottom + 1, x + 13, top + 5, x + 6, top - 2, x - 1, top + 5}, outline());
        poly(b, {x, bottom, x + 12, bottom, x + 12, top + 6, x + 6, top, x, top + 6}, white);
        box(b, x + 8, top + 8, x + 12, bottom, shade);
    }
}

void carpet_bag(BITMAP *b, float x, float y, float s)
{
    arc(b, x, y + 4 * s, 7 * s, 7 * s, 180, 360, 2.6f * s, outline());
    arc(b, x, y + 4 * s, 7 * s, 7 * s, 180, 360, 1.4f * s, rgb(120, 70, 40));
    rbox(b, x - 15 * s, y + 2 * s, x + 15 * s, y + 24 * s, 5 * s, outline());
    rbox(b, x - 13.5f * s, y + 3.5f * s, x + 13.5f * s, y + 22.5f * s, 4 * s, rgb(170, 60, 80));
    for (float k = -9; k <= 9; k += 6)
        disc(b, x + k * s, y + 13 * s, 1.6f * s, rgb(250, 200, 90));
    box(b, x - 13.5f * s, y + 6 * s, x + 13.5f * s, y + 8 * s, rgb(120, 40, 60));
}

void motion_lines(BITMAP *b, float x, float y, float len, int c)
{
    for (int k = 0; k < 3; k++)
        stroke(b, {x, y + static_cast<float>(k) * 14, x - len + static_cast<float>(k % 2) * 14, y + static_cast<float>(k) * 14}, 3.5f, c);
}

void house(BITMAP *b)
{
    int wall = rgb(252, 226, 160), roof = rgb(206, 74, 64), o = outline();
    box(b, 248, 70, 284, 150, o);
    box(b, 252, 74, 280, 150, rgb(170, 90, 70));
    box(b, 68, 168, 332, 334, o);
    box(b, 72, 170, 328, 334, wall);
    box(b, 72, 170, 82, 334, in_light(wall, -1, 0));   // the side away from the sun
    poly(b, {44, 182, 200, 62, 356, 182}, o);
    poly(b, {54, 176, 200, 70, 200, 176}, in_light(roof, -1, -1));
    poly(b, {200, 70, 346, 176, 200, 176}, in_light(roof, 1, -1));
    for (float y = 100; y < 176; y += 18)
        stroke(b, {200 - (y - 70) * 1.38f + 8, y, 200 + (y - 70) * 1.38f - 8, y}, 2, mix(roof, outline(), 0.2f));
    // Windows with flower boxes.
    for (float wx : {92.0f, 252.0f}) {
        box(b, wx - 3, 197, wx + 59, 251, o);
        box(b, wx, 200, wx + 56, 248, rgb(170, 216, 240));
        box(b, wx + 26, 200, wx + 30, 248, rgb(250, 250, 244));
        box(b, wx, 222, wx + 56, 226, rgb(250, 250, 244));
        box(b, wx - 6, 250, wx + 62, 262, o);
        box(b, wx - 4, 252, wx + 60, 260, rgb(160, 100, 60));
        for (float k = 2; k < 60; k += 12)
            flower(b, wx + k, 248, 5, k < 20 || k > 40 ? rgb(240, 90, 110) : rgb(250, 170, 60));
    }
    // The open front door.
    box(b, 167, 243, 233, 334, o);
    box(b, 170, 246, 230, 334, rgb(92, 60, 52));
    poly(b, {170, 246, 150, 252, 150, 338, 170, 334}, rgb(60, 120, 200));
    disc(b, 156, 294, 3, rgb(250, 210, 80));
    disc(b, 200, 226, 10, o);
    disc(b, 200, 226, 8, rgb(250, 250, 244));
}

// The corner shop's front between x and x + 330, standing on `ground`.
void shop_front(BITMAP *b, float x, float ground)
{
    int o = outline();
    box(b, x - 4, 86, x + 334, ground, o);
    box(b, x, 90, x + 330, ground, rgb(136, 190, 160));
    box(b, x, 90, x + 330, 106, rgb(110, 166, 138));
    // Sign board.
    rbox(b, x + 60, 110, x + 270, 160, 8, o);
    rbox(b, x + 64, 114, x + 266, 156, 6, rgb(255, 244, 214));
    // Awning with scalloped edge.
    box(b, x - 10, 164, x + 340, 200, o);
    for (int i = 0; i < 10; i++) {
        float sx = x - 8 + static_cast<float>(i) * 34.6f;
        box(b, sx, 166, sx + 34.6f, 198, i % 2 ? rgb(250, 250, 244) : rgb(222, 66, 66));
    }
    for (int i = 0; i < 10; i++) {
        float sx = x - 8 + static_cast<float>(i) * 34.6f + 17.3f;
        disc(b, sx, 199, 18, o);
    }
    for (int i = 0; i < 10; i++) {
        float sx = x - 8 + static_cast<float>(i) * 34.6f + 17.3f;
        disc(b, sx, 198, 16, i % 2 ? rgb(250, 250, 244) : rgb(222, 66, 66));
        box(b, sx - 17.3f, 180, sx + 17.3f, 198, i % 2 ? rgb(250, 250, 244) : rgb(222, 66, 66));
    }
    // Window with apples on top and milk below.
    box(b, x + 20, 226, x + 190, ground - 30, o);
    box(b, x + 24, 230, x + 186, ground - 34, rgb(196, 226, 236));
    box(b, x + 24, 268, x + 186, 274, rgb(150, 100, 60));
    for (int k = 0; k < 6; k++)
        apple(b, x + 40 + static_cast<float>(k) * 26, 256, 9);
    for (int k = 0; k < 5; k++)
        milk(b, x + 44 + static_cast<float>(k) * 30, ground - 36, 40);
    // Door.
    box(b, x + 216, 222, x + 310, ground, o);
    box(b, x + 220, 226, x + 306, ground, rgb(222, 170, 96));
    box(b, x + 232, 238, x + 294, 300, o);
    box(b, x + 235, 241, x + 291, 297, rgb(196, 226, 236));
    disc(b, x + 292, 320, 4, rgb(250, 210, 80));
}

void pavement(BITMAP *b, float top, float bottom)
{
    box(b, 0, top, 640, bottom, rgb(206, 196, 186));
    box(b, 0, top, 640, top + 5, rgb(168, 156, 146));
    for (float x = 30; x < 640; x += 90)
        box(b, x, top + 5, x + 3, bottom, rgb(186, 176, 166));
}

// Big letters made of the game font's own pixels: each pixel becomes a block
// of `scale`, with a rounded dark outline, a drop shadow and a warm gradient.
void big_letters(BITMAP *b, const char *text, float cx, float top, float scale)
{
    FONT *fnt = game_font();
    int w = text_length(fnt, text), h = text_height(fnt);
    BITMAP *t = create_bitmap_ex(32, w, h);
    clear_to_color(t, 0);
    textout_ex(t, fnt, text, 0, 0, rgb(255, 255, 255), -1);
    float left = cx - static_cast<float>(w) * scale / 2;
    auto at = [&](int x, int y, float &px, float &py) {
        // A gentle wave along the line.
        px = left + static_cast<float>(x) * scale;
        py = top + static_cast<float>(y) * scale + 4 * std::sin(static_cast<float>(x / 8) * 1.3f);
    };
    // The drop shadow falls away from the light.
    float lx, ly;
    towards_light(lx, ly);
    for (int pass = 0; pass < 3; pass++)
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                if (getpixel(t, x, y) == 0)
                    continue;
                float px, py;
                at(x, y, px, py);
                if (pass == 0)
                    disc(b, px + scale * (0.5f - 0.8f * lx), py + scale * (0.5f - 0.9f * ly), scale * 1.0f, rgb(40, 28, 36));
                else if (pass == 1)
                    disc(b, px + scale * 0.5f, py + scale * 0.5f, scale * 1.0f, outline());
                else
                    box(b, px - 0.02f, py - 0.02f, px + scale + 0.02f, py + scale + 0.02f,
                        mix(rgb(255, 236, 130), rgb(244, 132, 56), std::fmax(0.0f, static_cast<float>(y - 1) / 12.0f)));
            }
    // A shine along the top of each letter.
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (getpixel(t, x, y) != 0 && (y == 0 || getpixel(t, x, y - 1) == 0)) {
                float px, py;
                at(x, y, px, py);
                box(b, px, py + scale * 0.15f, px + scale, py + scale * 0.4f,
                    rgb(255, 250, 220));
            }
    destroy_bitmap(t);
}

// Speech bubbles: drawn on the canvas, their words written in once the
// picture is finished (the font is drawn at its own pixel size).
struct Words {
    std::string text;
    int x, y;
};
std::vector<Words> spoken;

// A bubble centred on (cx, cy) round `text`, its tail pointing at the
// speaker's mouth (tx, ty).
void speech(BITMAP *b, const char *text, float cx, float cy, float tx, float ty)
{
    float w = static_cast<float>(text_width(text, 2)) + 28, h = static_cast<float>(line_height(2)) + 16;
    float x1 = cx - w / 2, y1 = cy - h / 2, x2 = cx + w / 2, y2 = cy + h / 2;
    float mx = std::fmin(std::fmax(tx, x1 + 22), x2 - 22), my = ty > cy ? y2 - 2 : y1 + 2;
    float side = tx > mx ? 1.0f : tx < mx ? -1.0f : 0.0f;
    float b1 = mx - 9 + side * 4, b2 = mx + 9 + side * 4;
    stroke(b, {b1, my, tx, ty, b2, my}, 6, outline());
    poly(b, {b1, my, tx, ty, b2, my}, outline());
    rbox(b, x1 - 3, y1 - 3, x2 + 3, y2 + 3, 15, outline());
    rbox(b, x1, y1, x2, y2, 12, rgb(255, 255, 255));
    float k = 3.2f / std::hypot(tx - mx, ty - my);
    poly(b, {b1 + 2, my, tx - (tx - mx) * k, ty - (ty - my) * k, b2 - 2, my}, rgb(255, 255, 255));
    spoken.push_back({text, static_cast<int>(cx), static_cast<int>(cy) - line_height(2) / 2});
}

void write_speech(BITMAP *f)
{
    for (const Words &w : spoken)
        say(f, w.text.c_str(), w.x, w.y, 2, 0, ink(), -1);
    spoken.clear();
}

// Rosa's hands drawn again over what she holds.
void hands_over(BITMAP *b, std::initializer_list<float> xy, float s)
{
    std::vector<float> p(xy);
    for (size_t i = 0; i + 1 < p.size(); i += 2) {
        disc(b, p[i], p[i + 1], 3.5f * s + s * 1.3f, outline());
        disc(b, p[i], p[i + 1], 3.5f * s, skin());
    }
}

// Pip asleep on his side under a blanket, his head on a pillow at the left
// and the blanket following his shoulder, hip and bent knees, so that the
// shape of a small boy shows through it. (hx, hy): the middle of his head;
// the blanket reaches down to the seat at `seat`.
void pip_asleep(BITMAP *b, float hx, float hy, float seat)
{
    Pose p = pip_standing();
    p.face = ASLEEP;
    p.tilt = -38;
    pip_head(b, hx, hy, 1.7f, p);
    // The humps of him under the blanket: shoulder, hip, knees, feet.
    const float body[][4] = {{hx + 40, hy + 28, 26, 26}, {hx + 68, hy + 34, 26, 22}, {hx + 98, hy + 24, 36, 30},
                             {hx + 126, hy + 36, 26, 20}, {hx + 150, hy + 34, 28, 20}, {hx + 172, hy + 40, 14, 14}};
    int cloth = rgb(248, 206, 96), cloth_shade = mix(cloth, rgb(200, 110, 60), 0.45f);
    auto blanket = [&](float grow, int c, float shift, float shrink) {
        float lx, ly;
        highlight_at(1, lx, ly);
        for (auto &k : body)
            oval(b, k[0] + lx * shift, k[1] + ly * shift, k[2] + grow - shrink, k[3] + grow - shrink, c);
        box(b, hx + 16 - grow, hy + 30, hx + 184 + grow, seat + grow, c);
    };
    blanket(3, outline(), 0, 0);
    blanket(0, cloth_shade, 0, 0);
    blanket(0, cloth, 5, 5);
    // Stripes run across it, darker where it is in shade.
    int x1 = static_cast<int>((hx + 10) * SS), x2 = static_cast<int>((hx + 190) * SS);
    int y1 = static_cast<int>((hy - 10) * SS), y2 = static_cast<int>(seat * SS);
    int stripe_lit = mix(cloth, rgb(232, 96, 60), 0.55f), stripe_dark = mix(cloth_shade, rgb(190, 70, 50), 0.5f);
    for (int y = y1; y < y2; y++)
        for (int x = x1; x < x2; x++) {
            int c = getpixel(b, x, y);
            if (c != cloth && c != cloth_shade)
                continue;
            float u = static_cast<float>(x) / SS + 0.45f * static_cast<float>(y) / SS;
            if (std::fmod(u, 26.0f) < 8)
                putpixel(b, x, y, c == cloth ? stripe_lit : stripe_dark);
        }
    // The hem turned down under his chin, and his hand holding it.
    arc(b, hx + 40, hy + 28, 25, 25, 195, 265, 8, outline());
    arc(b, hx + 40, hy + 28, 25, 25, 195, 265, 4.5f, rgb(255, 244, 220));
    disc(b, hx + 26, hy + 12, 7.5f, outline());
    disc(b, hx + 26, hy + 12, 5.5f, skin());
}

void sandpit(BITMAP *b, float x1, float y1, float x2, float y2)
{
    rbox(b, x1 - 3, y1 - 3, x2 + 3, y2 + 3, 9, outline());
    rbox(b, x1, y1, x2, y2, 7, rgb(176, 118, 70));
    rbox(b, x1 + 7, y1 + 7, x2 - 7, y2 - 7, 5, rgb(246, 216, 150));
    for (int k = 0; k < 3; k++)
        arc(b, x1 + (x2 - x1) * 0.3f, y1 + (y2 - y1) * 0.6f, 20 + 12 * static_cast<float>(k), 6 + 3 * static_cast<float>(k),
            190, 350, 2, rgb(232, 198, 132));
}

} // namespace

void title_bmp()
{
    light = DAY;
    BITMAP *b = big_canvas(640, 480, mask());
    // The picture card.
    rbox(b, 96, 166, 544, 404, 22, outline());
    rbox(b, 100, 170, 540, 400, 18, rgb(255, 250, 236));
    BITMAP *scene = big_canvas(424, 214, rgb(150, 210, 245));
    vgrad(scene, 0, 0, 424, 150, rgb(110, 186, 240), rgb(196, 232, 250));
    sun(scene, 384, 40, 22);
    cloud(scene, 110, 50, 60);
    cloud(scene, 250, 34, 40);
    oval(scene, 90, 170, 200, 50, rgb(150, 210, 110));
    oval(scene, 380, 176, 200, 50, rgb(136, 200, 100));
    box(scene, 0, 172, 424, 214, rgb(118, 188, 88));
    tree_of(scene, 40, 176, 84, APPLE_TREE, 0, 3);
    for (float fx : {30.0f, 60.0f, 300.0f, 330.0f})
        flower(scene, fx, 188, 5, fx < 100 ? rgb(240, 90, 110) : rgb(250, 250, 250));
    Pose r = rosa_standing();
    r.lean = 5; r.face = LAUGH; r.look = 1;
    r.turn = 0.6f; r.tilt = 6;
    r.lex = -20; r.ley = -56; r.lhx = -24; r.lhy = -70;
    r.rex = 24; r.rey = -66; r.rhx = 36; r.rhy = -72;
    r.lkx = -10; r.lky = -15; r.lfx = -20; r.lfy = -4;
    r.rkx = 11; r.rky = -17; r.rfx = 13; r.rfy = 0;
    rosa(scene, 130, 200, 1.6f, r);
    motion_lines(scene, 236, 150, 40, rgb(250, 250, 250));
    Pose p = pip_standing();
    p.lean = 3; p.face = LAUGH; p.look = -1;
    p.turn = -0.8f; p.tilt = -10;
    p.lex = -14; p.ley = -42; p.lhx = -12; p.lhy = -56;
    p.rex = 15; p.rey = -28; p.rhx = 20; p.rhy = -38;
    p.lkx = -9; p.lky = -9; p.lfx = -17; p.lfy = -6;
    p.rkx = 9; p.rky = -12; p.rfx = 12; p.rfy = 0;
    pip(scene, 270, 198, 1.6f, p);
    // Paste the scene into the card with rounded corners.
    BITMAP *cardmask = big_canvas(424, 214, mask());
    rbox(cardmask, 0, 0, 424, 214, 12, rgb(0, 0, 0));
    for (int y = 0; y < scene->h; y++)
        for (int x = 0; x < scene->w; x++)
            if (getpixel(cardmask, x, y) != mask())
                putpixel(b, 108 * SS + x, 178 * SS + y, getpixel(scene, x, y));
    destroy_bitmap(cardmask);
    destroy_bitmap(scene);
    // The menu's slate hangs from the card: a small chalkboard in a wooden
    // frame, where the game writes Start and Exit, with the arrows that
    // choose chalked beside them.
    // Placed from where the menu writes its two rows (mx, my0) and (mx, my1).
    const float mx = MENU_X, my0 = MENU_Y[0], my1 = MENU_Y[1];
    for (float rx : {mx - 6, mx + 86}) {
        stroke(b, {rx, my0 - 20, rx, my0 - 8}, 4, outline());
        stroke(b, {rx, my0 - 19, rx, my0 - 9}, 1.8f, rgb(214, 190, 150));
    }
    rbox(b, mx - 22, my0 - 13, mx + 102, my1 + 29, 8, outline());
    rbox(b, mx - 19, my0 - 10, mx + 99, my1 + 26, 6, rgb(176, 118, 70));
    box(b, mx - 19, my1 + 22, mx + 99, my1 + 26, rgb(134, 84, 50));
    rbox(b, mx - 11, my0 - 6, mx + 91, my1 + 20, 3, rgb(46, 62, 58));
    box(b, mx - 11, my0 - 6, mx + 91, my0 - 2, rgb(40, 54, 50));
    int chalk = rgb(236, 240, 226);
    stroke(b, {mx + 78, my0 + 14, mx + 78, my0 + 1}, 2.2f, chalk);
    stroke(b, {mx + 73, my0 + 6, mx + 78, my0 + 0.5f, mx + 83, my0 + 6}, 2.2f, chalk);
    stroke(b, {mx + 78, my1, mx + 78, my1 + 13}, 2.2f, chalk);
    stroke(b, {mx + 73, my1 + 8, mx + 78, my1 + 13.5f, mx + 83, my1 + 8}, 2.2f, chalk);
    big_letters(b, "Nanny Day", 320, 2, 6.5f);
    BITMAP *f = shrink_masked(b);
    say(f, "an afternoon with Pip", 320, 122, 2, 0, rgb(255, 250, 236), outline());
    save(f, "title.bmp");
}

void cutscene_0_0()
{
    light = DAY;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    sky(b, 300, rgb(110, 184, 240), rgb(204, 234, 250));
    sun(b, 572, 56, 28);
    cloud(b, 430, 70, 60);
    cloud(b, 110, 50, 46);
    hills(b, 290, rgb(160, 214, 120));
    vgrad(b, 0, 296, 640, 480, rgb(128, 198, 96), rgb(96, 168, 78));
    house(b);
    poly(b, {150, 338, 232, 338, 300, 480, 90, 480}, rgb(226, 200, 160));
    picket_fence(b, 0, 140, 300, 350);
    picket_fence(b, 246, 640, 300, 350);
    tree_of(b, 604, 330, 150, APPLE_TREE, 0, 11);
    bush(b, 40, 352, 40, rgb(90, 168, 80));
    ground_shadow(b, 196, 376, 60);
    ground_shadow(b, 440, 380, 90);
    // Pip waves from the door; Rosa waves back, her bag in the other hand.
    Pose p = pip_standing();
    p.face = LAUGH; p.look = 1; p.turn = 0.5f; p.tilt = 8;
    p.rex = 17; p.rey = -40; p.rhx = 19; p.rhy = -58;
    p.lex = -13; p.ley = -24; p.lhx = -8; p.lhy = -16;
    pip(b, 196, 376, 1.7f, p);
    Pose r = rosa_standing();
    r.face = LAUGH; r.look = -1; r.turn = -0.5f; r.tilt = -6;
    r.lex = -22; r.ley = -76; r.lhx = -19; r.lhy = -97;
    r.rex = 16; r.rey = -52; r.rhx = 17; r.rhy = -38;
    r.lkx = -5; r.lky = -14; r.lfx = -7;
    rosa(b, 440, 380, 2.15f, r);
    carpet_bag(b, 440 + 17 * 2.15f, 380 - 38 * 2.15f, 1.6f);
    speech(b, "Hello, Pip!", 420, 124, 418, 170);
    speech(b, "Hi!", 112, 236, 170, 274);
    panel(b);
    BITMAP *f = shrink(b);
    write_speech(f);
    story_text(f, "One sunny afternoon, Nanny Rosa", "came to look after little Pip.");
    save(f, "0-0.bmp");
}

void cutscene_0_1()
{
    light = DAY;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    sky(b, 240, rgb(120, 190, 240), rgb(210, 236, 250));
    sun(b, 590, 44, 24);
    cloud(b, 470, 60, 56);
    cloud(b, 200, 90, 44);
    tree_row(b, {{-20, 92}, {52, 110}, {118, 84}, {190, 100}, {262, 90}, {320, 118}, {392, 94}, {462, 82}, {520, 104},
                 {596, 96}, {660, 90}},
             250, 0.18f, 1);
    box(b, 0, 226, 640, 252, outline());
    box(b, 0, 228, 640, 252, rgb(76, 150, 70));
    vgrad(b, 0, 250, 640, 480, rgb(134, 204, 100), rgb(104, 176, 82));
    for (float x = -100; x < 700; x += 100)
        poly(b, {x, 250, x + 50, 250, x + 90, 480, x + 30, 480}, rgb(124, 194, 92));
    // The sandpit that Pip will end up in.
    sandpit(b, 474, 304, 622, 368);
    poly(b, {580, 348, 596, 348, 600, 326, 576, 326}, outline());
    poly(b, {582, 346, 594, 346, 597, 328, 579, 328}, rgb(70, 150, 220));
    ground_shadow(b, 430, 354, 60);
    ground_shadow(b, 178, 378, 90);
    // Pip runs off, looking back; Rosa runs after him, reaching out.
    motion_lines(b, 360, 270, 60, rgb(250, 250, 250));
    Pose p = pip_standing();
    p.lean = 5; p.face = LAUGH; p.look = -1; p.turn = -0.8f; p.tilt = -10;
    p.lex = -10; p.ley = -24; p.lhx = -19; p.lhy = -32;
    p.rex = 15; p.rey = -30; p.rhx = 19; p.rhy = -42;
    p.lkx = -9; p.lky = -9; p.lfx = -17; p.lfy = -6;
    p.rkx = 9; p.rky = -12; p.rfx = 12; p.rfy = 0;
    pip(b, 430, 352, 1.75f, p);
    Pose r = rosa_standing();
    r.lean = 8; r.face = SURPRISE; r.look = 1; r.turn = 0.6f; r.tilt = 8;
    r.rex = 26; r.rey = -70; r.rhx = 42; r.rhy = -76;
    r.lex = -19; r.ley = -58; r.lhx = -22; r.lhy = -72;
    r.lkx = -11; r.lky = -15; r.lfx = -22; r.lfy = -5;
    r.rkx = 12; r.rky = -17; r.rfx = 14; r.rfy = 0;
    rosa(b, 176, 376, 2.0f, r);
    speech(b, "Catch me!", 452, 170, 446, 232);
    panel(b);
    BITMAP *f = shrink(b);
    write_speech(f);
    story_text(f, "But Pip wanted to play chase,", "and off he ran into the garden!");
    save(f, "0-1.bmp");
}

void cutscene_1_0()
{
    // The catch: in the sandpit, Rosa lifts Pip up high.
    light = DAY;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    sky(b, 240, rgb(120, 190, 240), rgb(210, 236, 250));
    sun(b, 586, 50, 26);
    cloud(b, 150, 60, 50);
    tree_row(b, {{-10, 100}, {64, 86}, {140, 76}, {214, 104}, {300, 88}, {372, 80}, {446, 98}, {530, 84}, {600, 108},
                 {668, 90}},
             236, 0.25f, 2);
    vgrad(b, 0, 226, 640, 480, rgb(134, 204, 100), rgb(104, 176, 82));
    garden_fence(b, 221);
    sandpit(b, 150, 300, 610, 430);
    // A sandcastle, a bucket and a spade.
    poly(b, {472, 364, 524, 364, 518, 330, 478, 330}, outline());
    poly(b, {475, 361, 521, 361, 515.5f, 333, 480.5f, 333}, rgb(232, 196, 126));
    for (float k : {480.0f, 493.0f, 506.0f})
        box(b, k, 322, k + 9, 334, outline());
    for (float k : {482.0f, 495.0f, 508.0f})
        box(b, k, 324, k + 5, 333, rgb(232, 196, 126));
    poly(b, {548, 370, 572, 370, 576, 340, 544, 340}, outline());
    poly(b, {550.5f, 367.5f, 569.5f, 367.5f, 573, 342.5f, 547, 342.5f}, rgb(70, 150, 220));
    stroke(b, {200, 330, 214, 360}, 4, outline());
    poly(b, {208, 356, 222, 352, 226, 372, 214, 376}, rgb(222, 66, 60));
    ground_shadow(b, 300, 382, 90);
    ground_shadow(b, 386, 384, 56);
    // Rosa, knees bent, lifts Pip by his middle; he kicks and cheers.
    Pose r = rosa_standing();
    r.lean = 7; r.face = LAUGH; r.look = 1; r.turn = 0.7f; r.tilt = 10;
    r.lex = 14; r.ley = -52; r.lhx = 31; r.lhy = -62;
    r.rex = 28; r.rey = -56; r.rhx = 47; r.rhy = -63;
    r.lkx = -12; r.lky = -16; r.lfx = -10; r.lfy = 0;
    r.rkx = 14; r.rky = -14; r.rfx = 10; r.rfy = 0;
    rosa(b, 290, 382, 2.0f, r);
    Pose p = pip_standing();
    p.face = LAUGH; p.look = -1; p.turn = -0.5f; p.tilt = -12;
    p.lex = -15; p.ley = -44; p.lhx = -13; p.lhy = -60;
    p.rex = 15; p.rey = -46; p.rhx = 18; p.rhy = -62;
    p.lkx = -8; p.lky = -6; p.lfx = -3; p.lfy = 4;
    p.rkx = 9; p.rky = -8; p.rfx = 15; p.rfy = -2;
    pip(b, 368, 312, 1.9f, p);
    hands_over(b, {290 + 31 * 2.0f, 382 - 62 * 2.0f}, 2.0f);
    for (float a : {-60.0f, -30.0f, 30.0f, 60.0f}) {
        float rad = (a - 90) * 3.14159265f / 180;
        stroke(b, {368 + 78 * std::cos(rad), 228 + 78 * std::sin(rad), 368 + 94 * std::cos(rad), 228 + 94 * std::sin(rad)},
               3.5f, rgb(255, 255, 255));
    }
    speech(b, "Caught you!", 150, 150, 272, 194);
    speech(b, "I'm hungry!", 500, 112, 380, 184);
    panel(b);
    BITMAP *f = shrink(b);
    write_speech(f);
    story_text(f, "Caught you! Now Pip was hungry,", "so off they went to the shop.");
    save(f, "1-0.bmp");
}

void cutscene_2_0()
{
    light = EVENING;
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    sky(b, 340, rgb(250, 170, 120), rgb(255, 226, 170));
    sun(b, 548, 104, 32);
    cloud(b, 330, 70, 54);
    const House street[] = {
        {300, 110, 150, rgb(230, 170, 150), rgb(170, 80, 80), 0, 2},
        {426, 124, 176, rgb(196, 190, 226), rgb(110, 96, 140), 1, 2},
        {566, 96, 136, rgb(170, 206, 186), rgb(92, 130, 110), 2, 2},
    };
    for (const House &h : street)
        street_house(b, h, 346);
    shop_front(b, -150, 350);
    pavement(b, 340, 480);
    ground_shadow(b, 290, 386, 240);
    pushing_home(b, 200, 384, 2.0f);
    speech(b, "Wheee!", 446, 142, 344, 200);
    panel(b);
    BITMAP *f = shrink(b);
    write_speech(f);
    // The shop's board runs off the left edge: its word sits in the part we see.
    say(f, "SHOP", 62, 121, 2, 0, rgb(200, 60, 60), -1);
    story_text(f, "Apples, milk... and Pip, too!", "Time to push the trolley home.");
    save(f, "2-0.bmp");
}

void cutscene_3_0()
{
    light = LAMP;
    // Night: the room is dark but for the pool of the standard lamp's light.
    BITMAP *b = big_canvas(640, 480, rgb(0, 0, 0));
    vgrad(b, 0, 0, 640, 330, rgb(246, 216, 180), rgb(236, 196, 156));
    for (float y = 20; y < 330; y += 40)
        for (float x = 20 + static_cast<float>(static_cast<int>(y) / 40 % 2) * 20; x < 640; x += 40)
            disc(b, x, y, 3, rgb(240, 204, 168));
    // The window: moon and stars.
    box(b, 36, 56, 214, 226, outline());
    box(b, 40, 60, 210, 222, rgb(40, 50, 100));
    disc(b, 170, 100, 20, rgb(250, 244, 200));
    disc(b, 160, 94, 18, rgb(40, 50, 100));
    for (auto [sx, sy] : {std::pair{70.0f, 90.0f}, {110.0f, 150.0f}, {190.0f, 180.0f}, {80.0f, 190.0f}, {130.0f, 80.0f}})
        disc(b, sx, sy, 2.5f, rgb(255, 250, 210));
    box(b, 123, 60, 127, 222, outline());
    box(b, 40, 139, 210, 143, outline());
    poly(b, {30, 50, 80, 50, 60, 240, 24, 240}, rgb(150, 70, 90));
    poly(b, {220, 50, 170, 50, 190, 240, 226, 240}, rgb(150, 70, 90));
    // Floor and rug.
    vgrad(b, 0, 330, 640, 480, rgb(186, 128, 84), rgb(150, 98, 64));
    box(b, 0, 328, 640, 334, rgb(120, 78, 52));
    oval(b, 330, 410, 250, 40, rgb(210, 110, 90));
    oval(b, 330, 410, 220, 30, rgb(236, 170, 110));
    // The sofa, and Pip asleep along it under his blanket, head on a cushion.
    rbox(b, 120, 200, 440, 330, 26, outline());
    rbox(b, 124, 204, 436, 326, 22, rgb(96, 150, 130));
    rbox(b, 150, 286, 410, 332, 12, outline());   // the seat's cushion he lies on
    rbox(b, 153, 289, 407, 329, 10, rgb(106, 162, 140));
    rbox(b, 110, 250, 170, 350, 16, outline());
    rbox(b, 114, 254, 166, 346, 12, rgb(80, 130, 112));
    rbox(b, 390, 250, 450, 350, 16, outline());
    rbox(b, 394, 254, 446, 346, 12, rgb(80, 130, 112));
    // His pillow against the arm.
    rbox(b, 146, 244, 222, 300, 18, outline());
    rbox(b, 149, 247, 219, 297, 15, rgb(240, 236, 250));
    pip_asleep(b, 190, 262, 314);
    // Rosa by the lamp with her tea, head on one side, watching him sleep.
    ground_shadow(b, 512, 404, 80);
    Pose r = rosa_standing();
    r.look = -1; r.turn = -0.6f; r.tilt = -12; r.face = SMILE;
    r.lex = -14; r.ley = -50; r.lhx = -4; r.lhy = -54;
    r.rex = 14; r.rey = -48; r.rhx = 6; r.rhy = -52;
    rosa(b, 512, 404, 1.9f, r);
    float cx = 512 + 1 * 1.9f, cy = 404 - 56 * 1.9f;
    rbox(b, cx - 12, cy - 8, cx + 12, cy + 14, 5, outline());
    rbox(b, cx - 10, cy - 6, cx + 10, cy + 12, 4, rgb(250, 250, 250));
    arc(b, cx + 12, cy + 3, 6, 6, -90, 90, 3, outline());
    for (float k : {-4.0f, 4.0f})
        stroke(b, {cx + k, cy - 12, cx + k + 3, cy - 20, cx + k, cy - 28}, 2.2f, rgb(255, 255, 255));
    // The standard lamp.
    stroke(b, {596, 380, 596, 160}, 6, outline());
    oval(b, 596, 382, 26, 6, outline());
    poly(b, {566, 170, 626, 170, 612, 120, 580, 120}, outline());
    poly(b, {569, 167, 623, 167, 610, 123, 582, 123}, rgb(255, 226, 140));
    lamplight(b, 590, 200, 520, rgb(22, 26, 66), 0.7f, rgb(255, 198, 108), 0.34f);
    // What gives light stays bright: the lamp's shade and glow, the moon and stars.
    for (int k = 0; k < 8; k++)
        shade_oval(b, 596, 146, 30 + 6 * static_cast<float>(k), 26 + 5 * static_cast<float>(k), rgb(255, 224, 150), 0.06f);
    poly(b, {569, 167, 623, 167, 610, 123, 582, 123}, rgb(255, 238, 176));
    disc(b, 170, 100, 20, rgb(250, 244, 200));
    disc(b, 160, 94, 18, mix(rgb(40, 50, 100), rgb(22, 26, 66), 0.6f));
    for (auto [sx, sy] : {std::pair{70.0f, 90.0f}, {110.0f, 150.0f}, {190.0f, 180.0f}, {80.0f, 190.0f}, {130.0f, 80.0f}})
        disc(b, sx, sy, 2.5f, rgb(255, 250, 210));
    big_letters(b, "The End", 420, 14, 5);
    panel(b);
    BITMAP *f = shrink(b);
    say(f, "Zzz", 160, 204, 2, 0, rgb(255, 255, 255), outline());
    story_text(f, "Home at last, Pip fell asleep,", "and Rosa had a nice cup of tea.");
    save(f, "3-0.bmp");
}
