// Rosa, Pip and the things of their afternoon.
#include "figures.h"

#include <cmath>
#include <tuple>
#include <vector>

namespace {

// A figure's drawing context: unit coordinates around the feet point, and the
// pass being drawn. The outline pass draws every shape grown by `grow` in one
// dark colour, so the figure gets a single outline round its silhouette.
struct Pen {
    BITMAP *b;
    float ox, oy, s;
    float grow = 0;
    int only = -1;
    float rot = 0, rcx = 0, rcy = 0;   // turns what is drawn by rot degrees round (rcx, rcy)

    void at(float u, float v, float &x, float &y) const
    {
        if (rot != 0) {
            float a = rot * 3.14159265f / 180, du = u - rcx, dv = v - rcy;
            u = rcx + du * std::cos(a) - dv * std::sin(a);
            v = rcy + du * std::sin(a) + dv * std::cos(a);
        }
        x = ox + u * s;
        y = oy + v * s;
    }
    int C(int c) const { return only >= 0 ? only : c; }
    bool fill() const { return only < 0; }

    void disc(float u, float v, float r, int c) const
    {
        float x, y;
        at(u, v, x, y);
        ::disc(b, x, y, r * s + grow, C(c));
    }
    void oval(float u, float v, float rx, float ry, int c) const
    {
        float x, y;
        at(u, v, x, y);
        ::oval(b, x, y, rx * s + grow, ry * s + grow, C(c));
    }
    void line(std::initializer_list<float> uv, float w, int c) const
    {
        std::vector<float> p(uv);
        for (size_t i = 0; i + 3 < p.size(); i += 2) {
            float x1, y1, x2, y2;
            at(p[i], p[i + 1], x1, y1);
            at(p[i + 2], p[i + 3], x2, y2);
            ::stroke(b, {x1, y1, x2, y2}, w * s + 2 * grow, C(c));
        }
    }
    void quad(float u1, float v1, float u2, float v2, float u3, float v3, float u4, float v4, int c) const
    {
        float x1, y1, x2, y2, x3, y3, x4, y4;
        at(u1, v1, x1, y1);
        at(u2, v2, x2, y2);
        at(u3, v3, x3, y3);
        at(u4, v4, x4, y4);
        ::poly(b, {x1, y1, x2, y2, x3, y3, x4, y4}, C(c));
        if (grow > 0)
            ::stroke(b, {x1, y1, x2, y2, x3, y3, x4, y4, x1, y1}, 2 * grow, C(c));
    }
    void arc(float u, float v, float rx, float ry, float a0, float a1, float w, int c) const
    {
        float x, y;
        at(u, v, x, y);
        ::arc(b, x, y, rx * s, ry * s, a0 + rot, a1 + rot, w * s, C(c));
    }
    // The same pen turned round (u, v) by `deg` more.
    Pen turned(float u, float v, float deg) const
    {
        Pen t = *this;
        t.rot = deg;
        t.rcx = u;
        t.rcy = v;
        return t;
    }
};

// A limb from a joint through its middle joint (elbow or knee; NAN for a
// straight limb) to its end: sleeve first, then bare arm or leg, then hand.
void limb(const Pen &p, float x1, float y1, float jx, float jy, float x2, float y2, float w, int cloth, float sleeve,
          int bare, float hand)
{
    if (std::isnan(jx)) {
        jx = (x1 + x2) / 2;
        jy = (y1 + y2) / 2;
    }
    p.line({x1, y1, jx, jy, x2, y2}, w * 0.8f, bare);
    if (sleeve > 0) {
        float t = std::fmin(1.0f, sleeve * 2);
        p.line({x1, y1, x1 + (jx - x1) * t, y1 + (jy - y1) * t}, w, cloth);
    }
    if (hand > 0)
        p.disc(x2, y2, hand, bare);
}

void eyes(const Pen &p, float hx, float y, float gap, float r, int face, float look)
{
    if (face == ASLEEP) {
        p.arc(hx - gap, y - 0.5f, r * 1.4f, r, 20, 160, 0.9f, outline());
        p.arc(hx + gap, y - 0.5f, r * 1.4f, r, 20, 160, 0.9f, outline());
        return;
    }
    float dx = look * r * 0.8f;
    p.oval(hx - gap + dx, y, r * 0.75f, r, outline());
    p.oval(hx + gap + dx, y, r * 0.75f, r, outline());
    p.disc(hx - gap + dx + 0.35f, y - 0.6f, r * 0.3f, rgb(255, 255, 255));
    p.disc(hx + gap + dx + 0.35f, y - 0.6f, r * 0.3f, rgb(255, 255, 255));
}

void mouth_of(const Pen &p, float hx, float y, float w, int face)
{
    switch (face) {
    case LAUGH:
        p.oval(hx, y + 0.4f, w, w * 0.8f, mouth());
        p.quad(hx - w - 0.5f, y - 1.2f, hx + w + 0.5f, y - 1.2f, hx + w + 0.5f, y + 0.4f, hx - w - 0.5f, y + 0.4f,
               skin());
        p.oval(hx, y + 1.4f, w * 0.5f, w * 0.3f, rgb(236, 120, 120));
        break;
    case SURPRISE:
        p.oval(hx, y + 0.5f, w * 0.45f, w * 0.6f, mouth());
        break;
    default:
        p.arc(hx, y - 1.0f, w * 0.9f, w * 0.7f, 25, 155, 1.0f, mouth());
        break;
    }
}

void rosa_pass(const Pen &p, const Pose &q)
{
    float sx = q.lean, hx = q.lean * 1.2f, hy = -83;
    // The face turns by moving its features sideways and closer together.
    float fx = hx + q.turn * 3.2f, gap = 4.2f * (1 - 0.22f * std::fabs(q.turn));
    Pen h = p.turned(hx, hy, q.tilt);
    // Hair behind the head, and the bun.
    h.disc(hx, hy - 1, 12.5f, rosa_hair());
    h.disc(hx - q.turn * 4, hy - 16, 6.5f, rosa_hair());
    // Legs and shoes.
    limb(p, -5, -30, q.lkx, q.lky, q.lfx, q.lfy - 3, 5.5f / 0.8f, 0, 0, tights(), 0);
    limb(p, 5, -30, q.rkx, q.rky, q.rfx, q.rfy - 3, 5.5f / 0.8f, 0, 0, tights(), 0);
    p.oval(q.lfx - 1, q.lfy - 2.2f, 5, 3, shoe());
    p.oval(q.rfx + 1, q.rfy - 2.2f, 5, 3, shoe());
    // Neck, dress and apron.
    p.quad(hx - 3, -76, hx + 3, -76, sx + 3, -68, sx - 3, -68, skin());
    p.quad(sx - 10, -71, sx + 10, -71, 19, -21, -19, -21, rosa_dress());
    p.oval(0, -21, 19, 3.5f, rosa_dress());
    if (p.fill()) {
        p.quad(sx * 0.7f - 5, -65, sx * 0.7f + 5, -65, sx * 0.6f + 7, -55, sx * 0.6f - 7, -55, apron());
        p.quad(sx * 0.6f - 7, -56, sx * 0.6f + 7, -56, 12, -26, -12, -26, apron());
        p.oval(0, -26, 12, 2.5f, apron());
        p.line({sx * 0.6f - 7, -56, sx * 0.6f + 7, -56}, 1.6f, rgb(230, 120, 130));
        p.quad(-4.5f, -43, 4.5f, -43, 4.5f, -35, -4.5f, -35, rgb(236, 236, 228));
    }
    // Arms, with an outline of their own where they cross the dress.
    float shy = -67;
    if (p.fill()) {
        Pen o = p;
        o.only = outline();
        o.grow = p.s * 0.9f;
        limb(o, sx - 9, shy, q.lex, q.ley, q.lhx, q.lhy, 5.5f, 0, 0.45f, 0, 3.5f);
        limb(o, sx + 9, shy, q.rex, q.rey, q.rhx, q.rhy, 5.5f, 0, 0.45f, 0, 3.5f);
    }
    limb(p, sx - 9, shy, q.lex, q.ley, q.lhx, q.lhy, 5.5f, rosa_dress(), 0.45f, skin(), 3.5f);
    limb(p, sx + 9, shy, q.rex, q.rey, q.rhx, q.rhy, 5.5f, rosa_dress(), 0.45f, skin(), 3.5f);
    // Head and face.
    h.disc(hx, hy, 11, skin());
    if (p.fill()) {
        float part = hx + 2 + q.turn * 3;
        h.oval(hx, hy - 7, 11.3f, 5.5f, rosa_hair());
        h.quad(hx - 11, hy - 7, part, hy - 9, part - 6, hy - 3, hx - 11.4f, hy + 1, rosa_hair());
        h.quad(hx + 11, hy - 7, part, hy - 9, part + 4, hy - 4, hx + 11.4f, hy + 2, rosa_hair());
        eyes(h, fx, hy + 1, gap, 1.9f, q.face, q.look);
        h.oval(fx - gap - 2.4f, hy + 5, 2.2f, 1.3f, cheek());
        h.oval(fx + gap + 2.4f, hy + 5, 2.2f, 1.3f, cheek());
        mouth_of(h, fx + q.look, hy + 6.5f, 2.8f, q.face);
    }
}

void pip_top(const Pen &p, const Pose &q, bool body)
{
    float sx = q.lean, hx = q.lean * 1.2f, hy = -45;
    float fx = hx + q.turn * 3.4f, gap = 4.3f * (1 - 0.22f * std::fabs(q.turn));
    Pen h = p.turned(hx, hy, q.tilt);
    if (body) {
        p.quad(sx - 8, -34, sx + 8, -34, 9.5f, -18, -9.5f, -18, shirt());
        if (p.fill())
            for (float y : {-29.5f, -23.5f}) {
                float t1 = (y + 34) / 16, t2 = (y + 2.5f + 34) / 16;
                float a1 = sx * (1 - t1) + (8 + 1.5f * t1), a2 = sx * (1 - t2) + (8 + 1.5f * t2);
                float c1 = sx * (1 - t1), c2 = sx * (1 - t2);
                p.quad(c1 - (a1 - c1), y, c1 + (a1 - c1), y, c2 + (a2 - c2), y + 2.5f, c2 - (a2 - c2), y + 2.5f,
                       stripe());
            }
    }
    if (p.fill()) {
        Pen o = p;
        o.only = outline();
        o.grow = p.s * 0.8f;
        limb(o, sx - 7, -32, q.lex, q.ley, q.lhx, q.lhy, 4.8f, 0, 0.3f, 0, 3);
        limb(o, sx + 7, -32, q.rex, q.rey, q.rhx, q.rhy, 4.8f, 0, 0.3f, 0, 3);
    }
    limb(p, sx - 7, -32, q.lex, q.ley, q.lhx, q.lhy, 4.8f, shirt(), 0.3f, skin(), 3);
    limb(p, sx + 7, -32, q.rex, q.rey, q.rhx, q.rhy, 4.8f, shirt(), 0.3f, skin(), 3);
    // Head, spiky hair, freckles.
    h.disc(hx, hy, 11.5f, skin());
    h.oval(hx - 11, hy + 1, 2, 3, skin());
    h.oval(hx + 11, hy + 1, 2, 3, skin());
    h.quad(hx - 8, hy - 8, hx - 6, hy - 17, hx - 1, hy - 10, hx - 4, hy - 8, pip_hair());
    h.quad(hx - 3, hy - 9, hx + 2, hy - 18.5f, hx + 5, hy - 9, hx + 1, hy - 8, pip_hair());
    h.quad(hx + 3, hy - 9, hx + 10, hy - 14, hx + 10, hy - 5, hx + 5, hy - 7, pip_hair());
    if (p.fill()) {
        h.oval(hx, hy - 6.5f, 11.6f, 5.5f, pip_hair());
        h.quad(hx - 11.6f, hy - 6, hx - 2, hy - 8, hx - 6, hy - 3, hx - 11.8f, hy - 1, pip_hair());
        eyes(h, fx, hy + 1, gap, 2.1f, q.face, q.look);
        h.oval(fx - gap - 2.5f, hy + 5, 2.3f, 1.4f, cheek());
        h.oval(fx + gap + 2.5f, hy + 5, 2.3f, 1.4f, cheek());
        for (float k : {-7.5f, -6.0f, -6.8f, 6.0f, 7.5f, 6.8f})
            h.disc(fx + k * (gap / 4.3f), hy + 3.2f + (k == -6.8f || k == 6.8f ? 1.3f : 0), 0.45f, rgb(206, 120, 80));
        mouth_of(h, fx + q.look, hy + 6.5f, 3.2f, q.face);
    }
}

void pip_pass(const Pen &p, const Pose &q)
{
    limb(p, -4.5f, -14, q.lkx, q.lky, q.lfx, q.lfy - 3, 4.2f / 0.8f, 0, 0, skin(), 0);
    limb(p, 4.5f, -14, q.rkx, q.rky, q.rfx, q.rfy - 3, 4.2f / 0.8f, 0, 0, skin(), 0);
    for (auto [fx, fy, side] : {std::tuple{q.lfx, q.lfy, -1.0f}, std::tuple{q.rfx, q.rfy, 1.0f}}) {
        p.oval(fx + side, fy - 2.2f, 4.6f, 2.8f, sneaker());
        if (p.fill())
            p.line({fx + side - 3, fy - 2.4f, fx + side + 3, fy - 2.4f}, 1.0f, shirt());
    }
    p.quad(-9.5f, -20, 9.5f, -20, 10, -12, -10, -12, shorts());
    pip_top(p, q, true);
}

template <class F>
void outlined(BITMAP *b, float x, float y, float s, F draw)
{
    Pen p{b, x, y, s};
    Pen o = p;
    o.grow = s * 1.3f;
    o.only = outline();
    draw(o);
    draw(p);
}

// The shopping trolley seen from the side, handle on the left, with the
// shopping in it; x, y: where the handle's end of it meets the ground;
// s: pixels per unit (the cart is 130 long).
void cart(BITMAP *b, float x, float y, float s)
{
    auto X = [&](float u) { return x + u * s; };
    auto Y = [&](float v) { return y + v * s; };
    int metal = rgb(150, 160, 178), dark = rgb(90, 96, 112), red = rgb(220, 64, 60);
    float w = s * 2.2f;
    apple(b, X(88), Y(-84), s * 7);
    apple(b, X(101), Y(-86), s * 7);
    milk(b, X(114), Y(-70), s * 30);
    poly(b, {X(60), Y(-80), X(80), Y(-96), X(92), Y(-86), X(72), Y(-72)}, outline());
    poly(b, {X(61.5f), Y(-80), X(80), Y(-94), X(90), Y(-86), X(72), Y(-73.5f)}, rgb(222, 170, 96));
    // Basket: a wire box, wider at the top.
    auto wire = [&](float g, int c) {
        stroke(b, {X(14), Y(-90), X(130), Y(-90), X(120), Y(-42), X(26), Y(-42), X(14), Y(-90)}, w * 1.4f + g, c);
        for (int i = 1; i < 8; i++) {
            float t = static_cast<float>(i) / 8;
            stroke(b, {X(14 + 116 * t), Y(-90), X(26 + 94 * t), Y(-42)}, w * 0.6f + g, c);
        }
        for (int j = 1; j < 4; j++) {
            float t = static_cast<float>(j) / 4;
            stroke(b, {X(14 + 12 * t), Y(-90 + 48 * t), X(130 - 10 * t), Y(-90 + 48 * t)}, w * 0.6f + g, c);
        }
        // Frame, handle and wheels.
        stroke(b, {X(26), Y(-42), X(22), Y(-14), X(120), Y(-14), X(120), Y(-42)}, w * 1.3f + g, c);
        stroke(b, {X(14), Y(-90), X(2), Y(-100)}, w * 1.3f + g, c);
    };
    wire(s * 1.6f, outline());
    wire(0, metal);
    stroke(b, {X(-2), Y(-103), X(6), Y(-97)}, w * 2.2f, red);
    for (float wx : {30.0f, 112.0f}) {
        stroke(b, {X(wx), Y(-14), X(wx), Y(-8)}, w * 1.2f, dark);
        disc(b, X(wx), Y(-6.5f), s * 6.5f, outline());
        disc(b, X(wx), Y(-6.5f), s * 5.0f, rgb(60, 60, 70));
        disc(b, X(wx), Y(-6.5f), s * 2.0f, metal);
    }
}

} // namespace

Pose rosa_standing()
{
    Pose p;
    p.lhx = -14; p.lhy = -40; p.rhx = 14; p.rhy = -40;
    p.lfx = -6; p.lfy = 0; p.rfx = 6; p.rfy = 0;
    return p;
}

Pose pip_standing()
{
    Pose p;
    p.lhx = -12; p.lhy = -19; p.rhx = 12; p.rhy = -19;
    p.lfx = -5; p.lfy = 0; p.rfx = 5; p.rfy = 0;
    return p;
}

void rosa(BITMAP *b, float x, float y, float s, const Pose &q)
{
    outlined(b, x, y, s, [&](const Pen &p) { rosa_pass(p, q); });
}

void pip(BITMAP *b, float x, float y, float s, const Pose &q)
{
    outlined(b, x, y, s, [&](const Pen &p) { pip_pass(p, q); });
}

void pip_sitting(BITMAP *b, float x, float y, float s, const Pose &q)
{
    outlined(b, x, y, s, [&](const Pen &p) {
        p.quad(q.lean - 8, -34, q.lean + 8, -34, 9, -24, -9, -24, shirt());
        pip_top(p, q, false);
    });
}

void apple(BITMAP *b, float cx, float cy, float r)
{
    int red = rgb(214, 44, 46);
    disc(b, cx - r * 0.42f, cy - r * 0.1f, r * 0.78f + r * 0.14f, outline());
    disc(b, cx + r * 0.42f, cy - r * 0.1f, r * 0.78f + r * 0.14f, outline());
    disc(b, cx, cy + r * 0.12f, r + r * 0.14f, outline());
    stroke(b, {cx, cy - r * 0.7f, cx + r * 0.12f, cy - r * 1.25f}, r * 0.34f, outline());
    disc(b, cx - r * 0.42f, cy - r * 0.1f, r * 0.78f, red);
    disc(b, cx + r * 0.42f, cy - r * 0.1f, r * 0.78f, red);
    disc(b, cx, cy + r * 0.12f, r, red);
    oval(b, cx + r * 0.3f, cy + r * 0.35f, r * 0.55f, r * 0.5f, rgb(190, 30, 40));
    oval(b, cx - r * 0.45f, cy - r * 0.3f, r * 0.22f, r * 0.3f, rgb(255, 190, 180));
    stroke(b, {cx, cy - r * 0.7f, cx + r * 0.12f, cy - r * 1.2f}, r * 0.16f, rgb(110, 70, 40));
    poly(b, {cx + r * 0.15f, cy - r * 1.0f, cx + r * 0.6f, cy - r * 1.35f, cx + r * 0.95f, cy - r * 1.15f, cx + r * 0.5f,
             cy - r * 0.85f},
         rgb(80, 170, 70));
}

void milk(BITMAP *b, float cx, float bottom, float h)
{
    float w = h * 0.44f, o = h * 0.05f;
    int white = rgb(246, 248, 255), blue = rgb(64, 128, 222);
    auto shape = [&](float g, int c, int cap) {
        rbox(b, cx - w / 2 - g, bottom - h * 0.68f - g, cx + w / 2 + g, bottom + g, w * 0.22f + g, c);
        poly(b, {cx - w / 2 - g, bottom - h * 0.6f, cx + w / 2 + g, bottom - h * 0.6f, cx + w * 0.24f + g,
                 bottom - h * 0.84f, cx - w * 0.24f - g, bottom - h * 0.84f},
             c);
        box(b, cx - w * 0.24f - g, bottom - h * 0.9f, cx + w * 0.24f + g, bottom - h * 0.7f, c);
        rbox(b, cx - w * 0.3f - g, bottom - h - g, cx + w * 0.3f + g, bottom - h * 0.86f + g, w * 0.08f + g, cap);
    };
    shape(o, outline(), outline());
    shape(0, white, blue);
    box(b, cx - w / 2, bottom - h * 0.48f, cx + w / 2, bottom - h * 0.2f, blue);
    disc(b, cx, bottom - h * 0.31f, w * 0.11f, white);
    poly(b, {cx - w * 0.11f, bottom - h * 0.32f, cx + w * 0.11f, bottom - h * 0.32f, cx, bottom - h * 0.43f}, white);
    box(b, cx - w * 0.36f, bottom - h * 0.62f, cx - w * 0.22f, bottom - h * 0.52f, rgb(255, 255, 255));
}

void bell(BITMAP *b, float cx, float cy, float s, bool ringing)
{
    int gold = ringing ? rgb(250, 196, 40) : rgb(176, 156, 118);
    int shade = ringing ? rgb(214, 150, 20) : rgb(140, 122, 92);
    int shine = ringing ? rgb(255, 240, 170) : rgb(206, 192, 160);
    auto shape = [&](float g, int c) {
        disc(b, cx, cy - s * 1.05f, s * 0.18f + g, c);
        disc(b, cx, cy - s * 0.25f, s * 0.72f + g, c);
        poly(b, {cx - s * 0.72f - g, cy - s * 0.25f, cx + s * 0.72f + g, cy - s * 0.25f, cx + s * 1.05f + g,
                 cy + s * 0.55f + g, cx - s * 1.05f - g, cy + s * 0.55f + g},
             c);
        rbox(b, cx - s * 1.15f - g, cy + s * 0.45f - g, cx + s * 1.15f + g, cy + s * 0.68f + g, s * 0.1f + g, c);
        disc(b, cx, cy + s * 0.76f, s * 0.16f + g, c);
    };
    shape(s * 0.08f, outline());
    shape(0, gold);
    poly(b, {cx + s * 0.25f, cy - s * 0.8f, cx + s * 0.7f, cy - s * 0.2f, cx + s * 1.0f, cy + s * 0.45f,
             cx + s * 0.55f, cy + s * 0.45f},
         shade);
    oval(b, cx - s * 0.35f, cy - s * 0.45f, s * 0.13f, s * 0.3f, shine);
    if (ringing)
        for (float side : {-1.0f, 1.0f})
            for (int k = 0; k < 3; k++) {
                float r = s * (1.35f + 0.32f * static_cast<float>(k));
                float a = side < 0 ? 180 : 0;
                arc(b, cx, cy, r, r, a - 28, a + 28, s * 0.1f, rgb(250, 196, 40));
            }
}

void pushing_home(BITMAP *b, float rx, float ground, float rs)
{
    // A trolley's handle is at the height of an adult's hips.
    float cs = rs * 0.58f, gx = rx + 24 * rs;
    Pose p = pip_standing();
    p.face = LAUGH; p.look = 1;
    p.lhx = -15; p.lhy = -60; p.rhx = 16; p.rhy = -62;
    pip_sitting(b, gx + 44 * cs, ground - 90 * cs + 8 + 24 * rs, rs, p);
    cart(b, gx, ground, cs);
    Pose r = rosa_standing();
    r.lean = 4; r.look = 1; r.face = LAUGH; r.turn = 0.5f;
    r.lex = 6; r.ley = -50; r.lhx = 18; r.lhy = -57;
    r.rex = 20; r.rey = -50; r.rhx = 26; r.rhy = -58;
    rosa(b, rx, ground - 1.5f * rs, rs, r);
}

void cloud(BITMAP *b, float x, float y, float s)
{
    int shade = rgb(222, 232, 244), white = rgb(255, 255, 255);
    for (int pass = 0; pass < 2; pass++) {
        float d = pass == 0 ? s * 0.08f : 0;
        int c = pass == 0 ? shade : white;
        disc(b, x - s * 0.5f, y + d, s * 0.32f, c);
        disc(b, x, y - s * 0.18f + d, s * 0.45f, c);
        disc(b, x + s * 0.5f, y + d, s * 0.3f, c);
        oval(b, x, y + s * 0.1f + d, s * 0.8f, s * 0.22f, c);
    }
}

void tree(BITMAP *b, float x, float y, float s)
{
    int o = outline();
    poly(b, {x - s * 0.14f, y, x + s * 0.14f, y, x + s * 0.09f, y - s * 0.9f, x - s * 0.09f, y - s * 0.9f}, o);
    poly(b, {x - s * 0.1f, y - s * 0.02f, x + s * 0.1f, y - s * 0.02f, x + s * 0.06f, y - s * 0.9f, x - s * 0.06f,
             y - s * 0.9f},
         rgb(130, 86, 54));
    const float blobs[][3] = {{-0.35f, -0.95f, 0.36f}, {0.35f, -0.95f, 0.36f}, {0, -1.25f, 0.45f}, {0, -0.85f, 0.4f}};
    for (auto &k : blobs)
        disc(b, x + k[0] * s, y + k[1] * s, k[2] * s + s * 0.03f, o);
    for (auto &k : blobs)
        disc(b, x + k[0] * s, y + k[1] * s, k[2] * s, rgb(72, 150, 70));
    disc(b, x - s * 0.12f, y - s * 1.38f, s * 0.2f, rgb(104, 182, 90));
    disc(b, x - s * 0.42f, y - s * 1.05f, s * 0.14f, rgb(104, 182, 90));
}

void bush(BITMAP *b, float x, float y, float s, int c)
{
    for (int pass = 0; pass < 2; pass++) {
        float g = pass == 0 ? s * 0.06f : 0;
        int col = pass == 0 ? outline() : c;
        disc(b, x - s * 0.35f, y - s * 0.25f, s * 0.32f + g, col);
        disc(b, x + s * 0.35f, y - s * 0.25f, s * 0.32f + g, col);
        disc(b, x, y - s * 0.42f, s * 0.4f + g, col);
        box(b, x - s * 0.67f - g, y - s * 0.25f, x + s * 0.67f + g, y + g, col);
    }
    disc(b, x - s * 0.12f, y - s * 0.6f, s * 0.13f, mix(c, rgb(255, 255, 255), 0.3f));
}

void flower(BITMAP *b, float x, float y, float r, int c)
{
    stroke(b, {x, y, x, y + r * 3}, r * 0.45f, rgb(60, 130, 60));
    for (int k = 0; k < 5; k++) {
        float a = static_cast<float>(k) * 72.0f * 3.14159265f / 180.0f;
        disc(b, x + r * 0.9f * std::cos(a), y + r * 0.9f * std::sin(a), r * 0.62f, c);
    }
    disc(b, x, y, r * 0.5f, rgb(252, 220, 80));
}

void tree_of(BITMAP *b, float x, float y, float s, int kind, float haze)
{
    int far = rgb(206, 226, 236);
    int o = mix(outline(), far, haze), bark = mix(rgb(130, 86, 54), far, haze);
    int leaf = mix(kind == 2 ? rgb(52, 120, 78) : kind == 1 ? rgb(92, 160, 66) : rgb(72, 150, 70), far, haze);
    int lit = mix(leaf, rgb(255, 255, 220), 0.22f);
    float g = s * 0.03f;
    poly(b, {x - s * 0.12f, y, x + s * 0.12f, y, x + s * 0.08f, y - s * 0.8f, x - s * 0.08f, y - s * 0.8f}, o);
    poly(b, {x - s * 0.085f, y - s * 0.02f, x + s * 0.085f, y - s * 0.02f, x + s * 0.05f, y - s * 0.8f,
             x - s * 0.05f, y - s * 0.8f},
         bark);
    if (kind == 2) {
        // A fir: three tiers, lit on the right.
        for (int pass = 0; pass < 2; pass++)
            for (int t = 0; t < 3; t++) {
                float ty = y - s * (0.45f + 0.38f * static_cast<float>(t)), hw = s * (0.5f - 0.12f * static_cast<float>(t));
                float e = pass == 0 ? g * 1.6f : 0;
                poly(b, {x - hw - e, ty + e, x + hw + e, ty + e, x, ty - s * 0.62f - e}, pass == 0 ? o : leaf);
                if (pass == 1)
                    poly(b, {x, ty - s * 0.6f, x + hw * 0.9f, ty - s * 0.02f, x + hw * 0.35f, ty - s * 0.02f}, lit);
            }
        return;
    }
    // Round or tall crowns: blobs, an outline round them, a lit side.
    const float round[][3] = {{-0.35f, -0.95f, 0.36f}, {0.35f, -0.95f, 0.36f}, {0, -1.25f, 0.45f}, {0, -0.85f, 0.4f}};
    const float tall[][3] = {{0, -0.95f, 0.3f}, {0, -1.3f, 0.32f}, {0, -1.62f, 0.26f}, {-0.12f, -1.15f, 0.28f}};
    const float(*blobs)[3] = kind == 1 ? tall : round;
    for (int i = 0; i < 4; i++)
        disc(b, x + blobs[i][0] * s, y + blobs[i][1] * s, blobs[i][2] * s + g, o);
    for (int i = 0; i < 4; i++)
        disc(b, x + blobs[i][0] * s, y + blobs[i][1] * s, blobs[i][2] * s, leaf);
    for (int i = 0; i < 4; i++)
        if (blobs[i][0] >= 0 && blobs[i][1] < -1.0f)
            oval(b, x + blobs[i][0] * s + blobs[i][2] * s * 0.35f, y + blobs[i][1] * s - blobs[i][2] * s * 0.3f,
                 blobs[i][2] * s * 0.38f, blobs[i][2] * s * 0.28f, lit);
}

void ground_shadow(BITMAP *b, float x, float ground, float w)
{
    shade_oval(b, x - w * 0.12f, ground, w * 0.55f, w * 0.11f, rgb(40, 50, 40), 0.28f);
}

void garden_fence(BITMAP *b, float top)
{
    for (float x = 0; x < 640; x += 18) {
        poly(b, {x + 1, top + 41, x + 15, top + 41, x + 15, top + 7, x + 8, top, x + 1, top + 7}, outline());
        poly(b, {x + 2, top + 40, x + 14, top + 40, x + 14, top + 8, x + 8, top + 2, x + 2, top + 8}, rgb(250, 250, 244));
    }
    box(b, 0, top + 13, 640, top + 18, rgb(214, 210, 200));
    box(b, 0, top + 29, 640, top + 34, rgb(214, 210, 200));
}

void street_house(BITMAP *b, const House &h, float ground)
{
    int o = outline();
    float x = h.x, r = h.x + h.w;
    box(b, x - 2, h.top - 2, r + 2, ground, o);
    box(b, x, h.top, r, ground, h.wall);
    box(b, r - 10, h.top, r, ground, mix(h.wall, rgb(120, 70, 90), 0.18f));   // the side away from the sun
    if (h.kind == 0) {
        poly(b, {x - 12, h.top + 2, x + h.w / 2, h.top - 54, r + 12, h.top + 2}, o);
        poly(b, {x - 5, h.top, x + h.w / 2, h.top - 48, r + 5, h.top}, h.roof);
    } else if (h.kind == 1) {
        box(b, x - 6, h.top - 14, r + 6, h.top + 2, o);
        box(b, x - 4, h.top - 12, r + 4, h.top, h.roof);
    } else {
        poly(b, {x - 10, h.top + 2, x + 26, h.top - 40, r - 26, h.top - 40, r + 10, h.top + 2}, o);
        poly(b, {x - 4, h.top, x + 28, h.top - 35, r - 28, h.top - 35, r + 4, h.top}, h.roof);
    }
    float door = x + h.w * 0.5f - 19;
    for (int i = 0; i < h.windows; i++) {
        float wx = x + 12 + static_cast<float>(i) * (h.w - 24) / static_cast<float>(h.windows), ww = (h.w - 24) / static_cast<float>(h.windows) - 12;
        for (float wy : {h.top + 22, h.top + 80}) {
            if (wy > ground - 122 && wx + ww > door - 4 && wx < door + 38)
                continue;
            if (wy + 40 > ground - 12)
                continue;
            box(b, wx - 2, wy - 2, wx + ww + 2, wy + 40, o);
            box(b, wx, wy, wx + ww, wy + 38, rgb(255, 226, 150));
            box(b, wx + ww / 2 - 1.5f, wy, wx + ww / 2 + 1.5f, wy + 38, o);
        }
    }
    box(b, door - 3, ground - 82, door + 41, ground, o);
    box(b, door, ground - 79, door + 38, ground, mix(h.roof, rgb(60, 40, 40), 0.4f));
    disc(b, door + 30, ground - 38, 2.5f, rgb(250, 210, 80));
}

