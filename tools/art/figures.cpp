// Rosa, Pip and the things of their afternoon.
#include "art/figures.h"

#include <cmath>
#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

Light light = DAY;

void towards_light(float &dx, float &dy)
{
    // High on the right by day, low on the right in the evening; the lamp
    // stands on the right of the room, its shade a little above the sofa.
    static const float dir[3][2] = {{0.6f, -0.8f}, {0.94f, -0.34f}, {0.9f, -0.44f}};
    dx = dir[light][0];
    dy = dir[light][1];
}

float sunlit(float nx, float ny)
{
    float dx, dy, n = std::hypot(nx, ny);
    towards_light(dx, dy);
    return n > 0 ? (nx * dx + ny * dy) / n : 0;
}

int in_light(int c, float nx, float ny)
{
    float t = sunlit(nx, ny);
    return t >= 0 ? mix(c, rgb(255, 250, 226), 0.22f * t) : mix(c, rgb(120, 70, 90), -0.3f * t);
}

void highlight_at(float r, float &dx, float &dy)
{
    towards_light(dx, dy);
    dx *= r * 0.45f;
    dy *= r * 0.45f;
}

namespace {

// A number from 0 to 1 that depends only on (seed, k): the same trees and
// apples on every run of the generator.
float wobble(int seed, int k)
{
    uint32_t h = static_cast<uint32_t>(seed) * 2654435761u ^ static_cast<uint32_t>(k + 1) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return static_cast<float>(h & 0xFFFFu) / 65535.0f;
}

// Draws with draw(canvas, cx, cy) round the middle of a canvas of its own,
// then lays that on b turned by deg degrees clockwise round (x, y).
template <class F>
void tilted(BITMAP *b, float x, float y, float deg, float half, F draw)
{
    int side = static_cast<int>(std::ceil(2 * half));
    BITMAP *t = big_canvas(side, side, mask());
    draw(t, static_cast<float>(side) / 2, static_cast<float>(side) / 2);
    pivot_sprite(b, t, static_cast<int>(lroundf(x * SS)), static_cast<int>(lroundf(y * SS)), side * SS / 2,
                 side * SS / 2, ftofix(deg * 256.0f / 360.0f));
    destroy_bitmap(t);
}

// A figure's drawing context: unit coordinates around the feet point, and the
// pass being drawn. The outline pass draws every shape grown by `grow` in one
// dark colour, so the figure gets a single outline round its silhouette.
struct Pen {
    BITMAP *b;
    float ox, oy, s;
    float grow = 0;
    float edge = 0;   // the figure's outline width in pixels
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
    // The same pen drawing z times larger round (u, v).
    Pen zoomed(float u, float v, float z) const
    {
        Pen t = *this;
        t.ox += u * s * (1 - z);
        t.oy += v * s * (1 - z);
        t.s *= z;
        return t;
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
    Pen h = p.turned(hx, hy, q.tilt).zoomed(hx, hy + 11, q.head);
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
        o.grow = p.edge * (0.9f / 1.3f);
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

void pip_face(const Pen &h, float hx, float hy, float fx, float gap, const Pose &q);

void pip_top(const Pen &p, const Pose &q, bool body)
{
    float sx = q.lean, hx = q.lean * 1.2f, hy = -45;
    float fx = hx + q.turn * 3.4f, gap = 4.3f * (1 - 0.22f * std::fabs(q.turn));
    Pen h = p.turned(hx, hy, q.tilt).zoomed(hx, hy + 11.5f, q.head);
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
        o.grow = p.edge * (0.8f / 1.3f);
        limb(o, sx - 7, -32, q.lex, q.ley, q.lhx, q.lhy, 4.8f, 0, 0.3f, 0, 3);
        limb(o, sx + 7, -32, q.rex, q.rey, q.rhx, q.rhy, 4.8f, 0, 0.3f, 0, 3);
    }
    limb(p, sx - 7, -32, q.lex, q.ley, q.lhx, q.lhy, 4.8f, shirt(), 0.3f, skin(), 3);
    limb(p, sx + 7, -32, q.rex, q.rey, q.rhx, q.rhy, 4.8f, shirt(), 0.3f, skin(), 3);
    pip_face(h, hx, hy, fx, gap, q);
}

// Head, spiky hair, freckles; h is already turned by the head's tilt.
void pip_face(const Pen &h, float hx, float hy, float fx, float gap, const Pose &q)
{
    h.disc(hx, hy, 11.5f, skin());
    h.oval(hx - 11, hy + 1, 2, 3, skin());
    h.oval(hx + 11, hy + 1, 2, 3, skin());
    h.quad(hx - 8, hy - 8, hx - 6, hy - 17, hx - 1, hy - 10, hx - 4, hy - 8, pip_hair());
    h.quad(hx - 3, hy - 9, hx + 2, hy - 18.5f, hx + 5, hy - 9, hx + 1, hy - 8, pip_hair());
    h.quad(hx + 3, hy - 9, hx + 10, hy - 14, hx + 10, hy - 5, hx + 5, hy - 7, pip_hair());
    if (h.fill()) {
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
void outlined(BITMAP *b, float x, float y, float s, float edge, F draw)
{
    Pen p{b, x, y, s};
    p.edge = edge > 0 ? edge : s * 1.3f;
    Pen o = p;
    o.grow = p.edge;
    o.only = outline();
    draw(o);
    draw(p);
}

// The shopping trolley seen from the side, handle on the left, with the
// shopping in it; x, y: where the handle's end of it meets the ground;
// s: pixels per unit (the cart is 130 long); edge: the outline's width in
// pixels, 0 for the pictures' own.
void cart(BITMAP *b, float x, float y, float s, float edge)
{
    auto X = [&](float u) { return x + u * s; };
    auto Y = [&](float v) { return y + v * s; };
    int metal = rgb(150, 160, 178), dark = rgb(90, 96, 112), red = rgb(220, 64, 60);
    float w = s * 2.2f;
    // Small, the shopping sits higher, where the wires do not hide it, and
    // the basket has fewer wires, one pixel wide and outlined only round the
    // frame, so that it does not fill in dark.
    bool small = edge > 0;
    float lift = small ? 8 : 0;
    apple(b, X(88), Y(-84 - lift), s * (small ? 8 : 7));
    apple(b, X(101), Y(-86 - lift), s * (small ? 8 : 7));
    milk(b, X(114), Y(-70 - lift), s * 30);
    poly(b, {X(60), Y(-80 - lift), X(80), Y(-96 - lift), X(92), Y(-86 - lift), X(72), Y(-72 - lift)}, outline());
    poly(b, {X(61.5f), Y(-80 - lift), X(80), Y(-94 - lift), X(90), Y(-86 - lift), X(72), Y(-73.5f - lift)},
         rgb(222, 170, 96));
    // Basket: a wire box, wider at the top.
    int columns = small ? 6 : 8, rails = small ? 3 : 4;
    float thin = small ? 1.0f : w * 0.6f;
    auto wire = [&](float g, int c) {
        stroke(b, {X(14), Y(-90), X(130), Y(-90), X(120), Y(-42), X(26), Y(-42), X(14), Y(-90)}, w * 1.4f + g, c);
        float gi = small ? 0 : g;
        for (int i = 1; i < columns; i++) {
            float t = static_cast<float>(i) / static_cast<float>(columns);
            stroke(b, {X(14 + 116 * t), Y(-90), X(26 + 94 * t), Y(-42)}, thin + gi, c);
        }
        for (int j = 1; j < rails; j++) {
            float t = static_cast<float>(j) / static_cast<float>(rails);
            stroke(b, {X(14 + 12 * t), Y(-90 + 48 * t), X(130 - 10 * t), Y(-90 + 48 * t)}, thin + gi, c);
        }
        // Frame, handle and wheels.
        stroke(b, {X(26), Y(-42), X(22), Y(-14), X(120), Y(-14), X(120), Y(-42)}, w * 1.3f + g, c);
        stroke(b, {X(14), Y(-90), X(2), Y(-100)}, w * 1.3f + g, c);
    };
    wire(small ? 2 * edge : s * 1.6f, outline());
    wire(0, metal);
    stroke(b, {X(-2), Y(-103), X(6), Y(-97)}, w * 2.2f, red);
    for (float wx : {30.0f, 112.0f}) {
        stroke(b, {X(wx), Y(-14), X(wx), Y(-8)}, w * 1.2f, dark);
        disc(b, X(wx), Y(-6.5f), s * 5.0f + (edge > 0 ? edge : s * 1.5f), outline());
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

void rosa(BITMAP *b, float x, float y, float s, const Pose &q, float edge)
{
    outlined(b, x, y, s, edge, [&](const Pen &p) { rosa_pass(p, q); });
}

void pip(BITMAP *b, float x, float y, float s, const Pose &q, float edge)
{
    outlined(b, x, y, s, edge, [&](const Pen &p) { pip_pass(p, q); });
}

void pip_sitting(BITMAP *b, float x, float y, float s, const Pose &q, float edge)
{
    outlined(b, x, y, s, edge, [&](const Pen &p) {
        p.quad(q.lean - 8, -34, q.lean + 8, -34, 9, -24, -9, -24, shirt());
        pip_top(p, q, false);
    });
}

void pip_head(BITMAP *b, float cx, float cy, float s, const Pose &q)
{
    float hx = q.lean * 1.2f, hy = -45;
    float fx = hx + q.turn * 3.4f, gap = 4.3f * (1 - 0.22f * std::fabs(q.turn));
    outlined(b, cx - hx * s, cy - hy * s, s, 0, [&](const Pen &p) { pip_face(p.turned(hx, hy, q.tilt), hx, hy, fx, gap, q); });
}

void apple(BITMAP *b, float cx, float cy, float r, float tilt, float vary)
{
    // The lobes, stem and leaf turn with the apple; the shine stays on the
    // side towards the light.
    float a = tilt * 3.14159265f / 180, ca = std::cos(a), sa = std::sin(a);
    auto at = [&](float u, float v, float &x, float &y) {
        x = cx + (u * ca - v * sa) * r;
        y = cy + (u * sa + v * ca) * r;
    };
    float lx, ly, rx, ry, mx, my, s0x, s0y, s1x, s1y;
    at(-0.42f, -0.1f, lx, ly);
    at(0.42f, -0.1f, rx, ry);
    at(0, 0.12f, mx, my);
    at(0, -0.7f, s0x, s0y);
    at(0.12f, -1.25f, s1x, s1y);
    int red = mix(rgb(214, 44, 46), rgb(236, 92, 48), vary * 0.6f);
    disc(b, lx, ly, r * 0.92f, outline());
    disc(b, rx, ry, r * 0.92f, outline());
    disc(b, mx, my, r * 1.14f, outline());
    stroke(b, {s0x, s0y, s1x, s1y}, r * 0.34f, outline());
    // Shade first, then the body again a little towards the light: a crescent
    // of shade stays on the side away from it.
    int dark = mix(red, rgb(150, 20, 36), 0.5f);
    disc(b, lx, ly, r * 0.78f, dark);
    disc(b, rx, ry, r * 0.78f, dark);
    disc(b, mx, my, r, dark);
    float hx, hy;
    highlight_at(r, hx, hy);
    float ox = hx * 0.3f, oy = hy * 0.3f;
    disc(b, lx + ox, ly + oy, r * 0.7f, red);
    disc(b, rx + ox, ry + oy, r * 0.7f, red);
    disc(b, mx + ox, my + oy, r * 0.9f, red);
    float shine = 0.16f + 0.12f * vary;
    oval(b, cx + hx, cy + hy, r * shine, r * (shine + 0.08f), rgb(255, 196, 184));
    stroke(b, {s0x, s0y, s1x, s1y}, r * 0.16f, rgb(110, 70, 40));
    float l1x, l1y, l2x, l2y, l3x, l3y, l4x, l4y;
    at(0.15f, -1.0f, l1x, l1y);
    at(0.6f, -1.35f, l2x, l2y);
    at(0.95f, -1.15f, l3x, l3y);
    at(0.5f, -0.85f, l4x, l4y);
    poly(b, {l1x, l1y, l2x, l2y, l3x, l3y, l4x, l4y}, mix(rgb(80, 170, 70), rgb(120, 180, 60), vary));
}

void milk(BITMAP *b, float cx, float bottom, float h, float tilt, float vary)
{
    auto draw = [&](BITMAP *t, float x, float base) {
        float w = h * 0.44f, o = h * 0.05f;
        int white = rgb(246, 248, 255), blue = rgb(64, 128, 222);
        auto shape = [&](float g, int c, int cap) {
            rbox(t, x - w / 2 - g, base - h * 0.68f - g, x + w / 2 + g, base + g, w * 0.22f + g, c);
            poly(t, {x - w / 2 - g, base - h * 0.6f, x + w / 2 + g, base - h * 0.6f, x + w * 0.24f + g,
                     base - h * 0.84f, x - w * 0.24f - g, base - h * 0.84f},
                 c);
            box(t, x - w * 0.24f - g, base - h * 0.9f, x + w * 0.24f + g, base - h * 0.7f, c);
            rbox(t, x - w * 0.3f - g, base - h - g, x + w * 0.3f + g, base - h * 0.86f + g, w * 0.08f + g, cap);
        };
        shape(o, outline(), outline());
        shape(0, white, blue);
        // The side turned from the light is a shade greyer; the label sits
        // a little higher or lower on each bottle.
        float dx, dy;
        towards_light(dx, dy);
        float side = dx >= 0 ? -1.0f : 1.0f;
        box(t, side < 0 ? x - w / 2 : x + w * 0.3f, base - h * 0.6f, side < 0 ? x - w * 0.3f : x + w / 2,
            base - h * 0.04f, rgb(222, 228, 242));
        float lab = h * (0.02f * (vary - 0.5f));
        box(t, x - w / 2, base - h * 0.48f + lab, x + w / 2, base - h * 0.2f + lab, blue);
        disc(t, x, base - h * 0.31f + lab, w * 0.11f, white);
        poly(t, {x - w * 0.11f, base - h * 0.32f + lab, x + w * 0.11f, base - h * 0.32f + lab, x, base - h * 0.43f + lab},
             white);
        float sw = w * (0.1f + 0.08f * vary);
        box(t, x - side * w * 0.36f - sw / 2, base - h * 0.64f, x - side * w * 0.36f + sw / 2, base - h * 0.52f,
            rgb(255, 255, 255));
    };
    if (tilt == 0) {
        draw(b, cx, bottom);
        return;
    }
    // Turned round the middle of its foot, so it still stands on `bottom`.
    tilted(b, cx, bottom, tilt, h * 1.2f, [&](BITMAP *t, float x, float y) { draw(t, x, y); });
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
    // Shaded on the side away from the light, a shine on the side towards it.
    float dx, dy;
    towards_light(dx, dy);
    float k = dx >= 0 ? -1.0f : 1.0f;
    poly(b, {cx + k * s * 0.25f, cy - s * 0.8f, cx + k * s * 0.7f, cy - s * 0.2f, cx + k * s * 1.0f, cy + s * 0.45f,
             cx + k * s * 0.55f, cy + s * 0.45f},
         shade);
    oval(b, cx - k * s * 0.35f, cy - s * 0.45f, s * 0.13f, s * 0.3f, shine);
    if (ringing)
        for (float side : {-1.0f, 1.0f})
            for (int j = 0; j < 3; j++) {
                float r = s * (1.35f + 0.32f * static_cast<float>(j));
                float a = side < 0 ? 180 : 0;
                arc(b, cx, cy, r, r, a - 28, a + 28, s * 0.1f, rgb(250, 196, 40));
            }
}

void pushing_home(BITMAP *b, float rx, float ground, float rs, float edge)
{
    // A trolley's handle is at the height of an adult's hips.
    float cs = rs * 0.58f, gx = rx + 24 * rs;
    Pose p = pip_standing();
    p.face = LAUGH; p.look = 1;
    p.lhx = -15; p.lhy = -60; p.rhx = 16; p.rhy = -62;
    pip_sitting(b, gx + 44 * cs, ground - 90 * cs + 8 + 24 * rs, rs, p, edge);
    cart(b, gx, ground, cs, edge);
    Pose r = rosa_standing();
    r.lean = 4; r.look = 1; r.face = LAUGH; r.turn = 0.5f;
    r.lex = 6; r.ley = -50; r.lhx = 18; r.lhy = -57;
    r.rex = 20; r.rey = -50; r.rhx = 26; r.rhy = -58;
    rosa(b, rx, ground - 1.5f * rs, rs, r, edge);
}

void cloud(BITMAP *b, float x, float y, float s)
{
    // The underside away from the light is shaded.
    float dx, dy;
    towards_light(dx, dy);
    int shade = rgb(222, 232, 244), white = rgb(255, 255, 255);
    for (int pass = 0; pass < 2; pass++) {
        float ox = pass == 0 ? -dx * s * 0.08f : 0, oy = pass == 0 ? -dy * s * 0.08f : 0;
        int c = pass == 0 ? shade : white;
        disc(b, x - s * 0.5f + ox, y + oy, s * 0.32f, c);
        disc(b, x + ox, y - s * 0.18f + oy, s * 0.45f, c);
        disc(b, x + s * 0.5f + ox, y + oy, s * 0.3f, c);
        oval(b, x + ox, y + s * 0.1f + oy, s * 0.8f, s * 0.22f, c);
    }
}

void bush(BITMAP *b, float x, float y, float s, int c)
{
    float hx, hy;
    highlight_at(s * 0.4f, hx, hy);
    for (int pass = 0; pass < 3; pass++) {
        // Outline, the shaded body, then the body again towards the light.
        float g = pass == 0 ? s * 0.06f : pass == 2 ? -s * 0.05f : 0;
        float ox = pass == 2 ? hx * 0.25f : 0, oy = pass == 2 ? hy * 0.25f : 0;
        int col = pass == 0 ? outline() : pass == 1 ? mix(c, rgb(30, 70, 60), 0.25f) : c;
        disc(b, x - s * 0.35f + ox, y - s * 0.25f + oy, s * 0.32f + g, col);
        disc(b, x + s * 0.35f + ox, y - s * 0.25f + oy, s * 0.32f + g, col);
        disc(b, x + ox, y - s * 0.42f + oy, s * 0.4f + g, col);
        box(b, x - s * 0.67f - g + ox, y - s * 0.25f + oy, x + s * 0.67f + g + ox, y + std::fmin(g, 0.0f), col);
    }
    disc(b, x + hx, y - s * 0.42f + hy, s * 0.13f, mix(c, rgb(255, 255, 220), 0.3f));
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

namespace {

// A leafy crown of round blobs {x, y, r} in tree units: an outline round the
// whole, the blobs in shade, then again a little smaller and shifted towards
// the light, so that a crescent of shade stays on the side away from it;
// the blobs that stand highest catch a spot of light.
void crown(BITMAP *b, float x, float y, float s, const std::vector<std::array<float, 3>> &blobs, int o, int leaf,
           float g)
{
    int shade = mix(leaf, rgb(24, 60, 70), 0.3f), lit = mix(leaf, rgb(255, 255, 220), 0.24f);
    float top = 0;
    for (auto &k : blobs)
        top = std::fmin(top, k[1] - k[2]);
    for (auto &k : blobs)
        disc(b, x + k[0] * s, y + k[1] * s, k[2] * s + g, o);
    for (auto &k : blobs)
        disc(b, x + k[0] * s, y + k[1] * s, k[2] * s, shade);
    for (auto &k : blobs) {
        float hx, hy;
        highlight_at(k[2] * s, hx, hy);
        disc(b, x + k[0] * s + hx * 0.3f, y + k[1] * s + hy * 0.3f, k[2] * s * 0.86f, leaf);
    }
    for (auto &k : blobs)
        if (k[1] - k[2] < top * 0.8f) {
            float hx, hy;
            highlight_at(k[2] * s, hx, hy);
            oval(b, x + k[0] * s + hx, y + k[1] * s + hy, k[2] * s * 0.34f, k[2] * s * 0.24f, lit);
        }
}

void trunk(BITMAP *b, float x, float y, float s, float top, float half, float lean, int o, int bark)
{
    float g = s * 0.03f;
    poly(b, {x - half * s - g, y, x + half * s + g, y, x + lean * s + half * 0.6f * s + g, y - top * s,
             x + lean * s - half * 0.6f * s - g, y - top * s},
         o);
    poly(b, {x - half * s, y - g, x + half * s, y - g, x + lean * s + half * 0.6f * s, y - top * s,
             x + lean * s - half * 0.6f * s, y - top * s},
         bark);
}

} // namespace

void tree_of(BITMAP *b, float x, float y, float s, int kind, float haze, int seed)
{
    int far = rgb(206, 226, 236);
    auto hz = [&](int c) { return mix(c, far, haze); };
    int o = hz(outline()), bark = hz(rgb(130, 86, 54));
    float g = s * 0.03f;
    auto w = [&](int k) { return wobble(seed, k) - 0.5f; };   // -0.5 to 0.5
    std::vector<std::array<float, 3>> blobs;
    switch (kind) {
    case FIR: {
        // Tiers, lit on the side towards the light.
        int leaf = hz(rgb(52, 120, 78)), lit = mix(leaf, rgb(255, 255, 220), 0.22f);
        int tiers = 3 + (wobble(seed, 1) > 0.5f ? 1 : 0);
        float step = 1.14f / static_cast<float>(tiers), lean = w(2) * 0.06f;
        float dx, dy;
        towards_light(dx, dy);
        float side = dx >= 0 ? 1.0f : -1.0f;
        trunk(b, x, y, s, 0.6f, 0.1f, 0, o, bark);
        for (int pass = 0; pass < 2; pass++)
            for (int t = 0; t < tiers; t++) {
                float ft = static_cast<float>(t);
                float ty = y - s * (0.45f + step * ft), hw = s * (0.52f - 0.36f / static_cast<float>(tiers) * ft);
                float tx = x + lean * s * ft, e = pass == 0 ? g * 1.6f : 0;
                poly(b, {tx - hw - e, ty + e, tx + hw + e, ty + e, tx, ty - s * 0.62f - e}, pass == 0 ? o : leaf);
                if (pass == 1)
                    poly(b, {tx, ty - s * 0.6f, tx + side * hw * 0.9f, ty - s * 0.02f, tx + side * hw * 0.35f, ty - s * 0.02f},
                         lit);
            }
        return;
    }
    case POPLAR: {
        // A tall flame of a crown.
        int leaf = hz(rgb(96, 158, 64));
        float lean = w(3) * 0.08f, h = 0.6f + w(4) * 0.08f;
        trunk(b, x, y, s, 0.6f, 0.08f, 0, o, bark);
        float cx = x + lean * s, cy = y - s * (0.5f + h);
        int shade = mix(leaf, rgb(24, 60, 70), 0.3f);
        for (int pass = 0; pass < 2; pass++) {
            float e = pass == 0 ? g : 0;
            int c = pass == 0 ? o : shade;
            oval(b, cx, cy, s * 0.27f + e, s * h + e, c);
            poly(b, {cx - s * 0.13f - e, cy - s * h * 0.8f, cx + lean * s * 0.6f, cy - s * (h + 0.12f) - 2 * e,
                     cx + s * 0.13f + e, cy - s * h * 0.8f},
                 c);
        }
        float hx, hy;
        highlight_at(s * 0.27f, hx, hy);
        oval(b, cx + hx * 0.4f, cy + hy * 0.2f, s * 0.22f, s * h * 0.94f, leaf);
        oval(b, cx + hx * 0.9f, cy - s * h * 0.3f, s * 0.05f, s * h * 0.4f, mix(leaf, rgb(255, 255, 220), 0.28f));
        return;
    }
    case BIRCH: {
        // A slim white trunk with dark marks under a light, airy crown.
        int leaf = hz(rgb(150, 196, 84));
        float lean = w(5) * 0.16f;
        trunk(b, x, y, s, 1.1f, 0.07f, lean, o, hz(rgb(240, 236, 226)));
        for (int k = 0; k < 4; k++) {
            float t = 0.15f + 0.22f * static_cast<float>(k) + w(6 + k) * 0.06f;
            stroke(b, {x + lean * s * t - s * 0.04f, y - s * t * 1.1f, x + lean * s * t + s * 0.02f, y - s * t * 1.1f},
                   s * 0.03f, o);
        }
        for (int k = 0; k < 7; k++) {
            float a = static_cast<float>(k) * 0.9f + w(10 + k);
            blobs.push_back({lean + 0.3f * std::cos(a) * (0.6f + 0.4f * wobble(seed, 20 + k)),
                             -1.3f + 0.32f * std::sin(a) * (0.6f + 0.4f * wobble(seed, 30 + k)),
                             0.17f + 0.06f * wobble(seed, 40 + k)});
        }
        crown(b, x, y, s, blobs, o, leaf, g);
        return;
    }
    case SPREADING: {
        // A short trunk forking under a wide, flat-bottomed crown.
        int leaf = hz(rgb(66, 136, 74));
        trunk(b, x, y, s, 0.6f, 0.13f, 0, o, bark);
        for (int pass = 0; pass < 2; pass++) {
            float e = pass == 0 ? 2 * g : 0;
            int c = pass == 0 ? o : bark;
            stroke(b, {x, y - s * 0.55f, x - s * 0.32f, y - s * 0.88f}, s * 0.08f + e, c);
            stroke(b, {x, y - s * 0.55f, x + s * 0.3f, y - s * 0.92f}, s * 0.08f + e, c);
        }
        float spread = 1 + w(50) * 0.2f;
        blobs = {{-0.56f * spread, -1.0f, 0.28f}, {-0.22f * spread, -1.18f + w(51) * 0.06f, 0.37f},
                 {0.24f * spread, -1.16f + w(52) * 0.06f, 0.35f}, {0.58f * spread, -1.02f, 0.27f},
                 {0, -0.98f, 0.3f}};
        crown(b, x, y, s, blobs, o, leaf, g);
        return;
    }
    case APPLE_TREE: {
        // A round little fruit tree with red apples in it.
        int leaf = hz(rgb(84, 160, 70)), fruit = hz(rgb(218, 60, 52));
        trunk(b, x, y, s, 0.7f, 0.1f, w(60) * 0.06f, o, bark);
        blobs = {{0, -1.08f, 0.5f}, {-0.34f + w(61) * 0.06f, -0.9f, 0.3f}, {0.36f, -0.92f + w(62) * 0.06f, 0.28f}};
        crown(b, x, y, s, blobs, o, leaf, g);
        for (int k = 0; k < 6; k++) {
            float a = static_cast<float>(k) * 1.1f + w(63 + k);
            float r = 0.42f * (0.4f + 0.6f * wobble(seed, 70 + k));
            disc(b, x + std::cos(a) * r * s, y - 1.0f * s + std::sin(a) * r * 0.8f * s, s * 0.055f + g * 0.5f, o);
            disc(b, x + std::cos(a) * r * s, y - 1.0f * s + std::sin(a) * r * 0.8f * s, s * 0.055f, fruit);
        }
        return;
    }
    default: {
        // ROUND: a cloud of leaves, its blobs a little different every time.
        int leaf = hz(rgb(72, 150, 70));
        trunk(b, x, y, s, 0.8f, 0.12f, 0, o, bark);
        const float base[][3] = {{-0.35f, -0.95f, 0.36f}, {0.35f, -0.95f, 0.36f}, {0, -1.25f, 0.45f}, {0, -0.85f, 0.4f}};
        for (int k = 0; k < 4; k++)
            blobs.push_back({base[k][0] + w(80 + k) * 0.12f, base[k][1] + w(90 + k) * 0.1f,
                             base[k][2] * (1 + w(100 + k) * 0.16f)});
        crown(b, x, y, s, blobs, o, leaf, g);
        return;
    }
    }
}

void tree_row(BITMAP *b, std::initializer_list<TreeSpot> spots, float y, float haze, int first)
{
    // Each kind differs from the two before it, so no two neighbours match
    // and no short pattern repeats.
    int prev = -1, prev2 = -1, i = 0;
    for (const TreeSpot &t : spots) {
        int kind = i == 0 ? first % TREE_KINDS : static_cast<int>(wobble(first, i) * TREE_KINDS) % TREE_KINDS;
        while (kind == prev || kind == prev2)
            kind = (kind + 1) % TREE_KINDS;
        tree_of(b, t.x, y, t.s, kind, haze, first * 100 + i);
        prev2 = prev;
        prev = kind;
        i++;
    }
}

void ground_shadow(BITMAP *b, float x, float ground, float w)
{
    // Cast away from the light: the lower it stands, the longer the shadow.
    float dx, dy;
    towards_light(dx, dy);
    float reach = std::fmin(dx / -dy, 2.0f);
    shade_oval(b, x - w * 0.16f * reach, ground, w * (0.5f + 0.07f * reach), w * 0.11f, rgb(40, 50, 40), 0.28f);
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
    box(b, x, h.top, x + 10, ground, in_light(h.wall, -1, 0));   // the side away from the sun
    if (h.kind == 0) {
        // Each slope of the roof as the light finds it.
        poly(b, {x - 12, h.top + 2, x + h.w / 2, h.top - 54, r + 12, h.top + 2}, o);
        poly(b, {x - 5, h.top, x + h.w / 2, h.top - 48, x + h.w / 2, h.top}, in_light(h.roof, -1, -1));
        poly(b, {x + h.w / 2, h.top - 48, r + 5, h.top, x + h.w / 2, h.top}, in_light(h.roof, 1, -1));
    } else if (h.kind == 1) {
        box(b, x - 6, h.top - 14, r + 6, h.top + 2, o);
        box(b, x - 4, h.top - 12, r + 4, h.top, h.roof);
        box(b, x - 4, h.top - 12, x + 4, h.top, in_light(h.roof, -1, 0));
    } else {
        poly(b, {x - 10, h.top + 2, x + 26, h.top - 40, r - 26, h.top - 40, r + 10, h.top + 2}, o);
        poly(b, {x - 4, h.top, x + 28, h.top - 35, r - 28, h.top - 35, r + 4, h.top}, in_light(h.roof, 0, -1));
        poly(b, {x - 4, h.top, x + 28, h.top - 35, x + 28, h.top}, in_light(h.roof, -1, -1));
        poly(b, {r - 28, h.top - 35, r + 4, h.top, r - 28, h.top}, in_light(h.roof, 1, -1));
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
