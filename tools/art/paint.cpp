// Supersampled shapes and text in the game's font for the generated pictures.
#include "art/paint.h"

#include "common/output.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

int rgb(int r, int g, int b)
{
    return makecol32(r, g, b);
}

int mask()
{
    return rgb(MASK_R, MASK_G, MASK_B);
}

int mix(int c1, int c2, float t)
{
    auto lerp = [t](int a, int b) { return static_cast<int>(lroundf(static_cast<float>(a) + (static_cast<float>(b - a)) * t)); };
    return rgb(lerp(getr32(c1), getr32(c2)), lerp(getg32(c1), getg32(c2)), lerp(getb32(c1), getb32(c2)));
}

namespace {

int P(float v)
{
    return static_cast<int>(lroundf(v * SS));
}

BITMAP *shrink_with(BITMAP *big, bool masked)
{
    int w = big->w / SS, h = big->h / SS;
    BITMAP *out = create_bitmap_ex(32, w, h);
    const int all = SS * SS, mask_c = mask();
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int r = 0, g = 0, bl = 0, n = 0;
            for (int j = 0; j < SS; j++) {
                const uint32_t *row = reinterpret_cast<const uint32_t *>(big->line[y * SS + j]);
                for (int i = 0; i < SS; i++) {
                    int c = static_cast<int>(row[x * SS + i]);
                    if (masked && c == mask_c)
                        continue;
                    r += getr32(c);
                    g += getg32(c);
                    bl += getb32(c);
                    n++;
                }
            }
            int c = mask_c;
            if (n > 0 && (!masked || 2 * n >= all))
                c = rgb((r + n / 2) / n, (g + n / 2) / n, (bl + n / 2) / n);
            putpixel(out, x, y, c);
        }
    destroy_bitmap(big);
    return out;
}

} // namespace

FONT *game_font()
{
    static FONT *font_loaded = nullptr;
    if (!font_loaded) {
        std::string path = out + "/bmp/font.pcx";
        font_loaded = load_bitmap_font(path.c_str(), nullptr, nullptr);
        if (!font_loaded) {
            fprintf(stderr, "cannot load %s for the pictures' text\n", path.c_str());
            exit(1);
        }
    }
    return font_loaded;
}

BITMAP *big_canvas(int w, int h, int colour)
{
    BITMAP *b = create_bitmap_ex(32, w * SS, h * SS);
    clear_to_color(b, colour);
    return b;
}

BITMAP *shrink(BITMAP *big)
{
    return shrink_with(big, false);
}

BITMAP *shrink_masked(BITMAP *big)
{
    return shrink_with(big, true);
}

BITMAP *shrink_crisp(BITMAP *big, int edge)
{
    int w = big->w / SS, h = big->h / SS;
    BITMAP *out = create_bitmap_ex(32, w, h);
    const int mask_c = mask();
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            std::map<int, int> count;
            for (int j = 0; j < SS; j++)
                for (int i = 0; i < SS; i++) {
                    int c = getpixel(big, x * SS + i, y * SS + j);
                    count[c] += c == edge ? 3 : 2;
                }
            int best = mask_c, most = count[mask_c] > SS * SS ? 1 << 20 : 0;
            for (auto [c, n] : count)
                if (c != mask_c && n > most) {
                    best = c;
                    most = n;
                }
            putpixel(out, x, y, best);
        }
    destroy_bitmap(big);
    return out;
}

void box(BITMAP *b, float x1, float y1, float x2, float y2, int c)
{
    rectfill(b, P(x1), P(y1), P(x2) - 1, P(y2) - 1, c);
}

void rbox(BITMAP *b, float x1, float y1, float x2, float y2, float r, int c)
{
    box(b, x1 + r, y1, x2 - r, y2, c);
    box(b, x1, y1 + r, x2, y2 - r, c);
    disc(b, x1 + r, y1 + r, r, c);
    disc(b, x2 - r, y1 + r, r, c);
    disc(b, x1 + r, y2 - r, r, c);
    disc(b, x2 - r, y2 - r, r, c);
}

void disc(BITMAP *b, float cx, float cy, float r, int c)
{
    circlefill(b, P(cx), P(cy), P(r), c);
}

void oval(BITMAP *b, float cx, float cy, float rx, float ry, int c)
{
    ellipsefill(b, P(cx), P(cy), P(rx), P(ry), c);
}

void poly(BITMAP *b, std::initializer_list<float> xy, int c)
{
    std::vector<int> pts;
    for (float v : xy)
        pts.push_back(P(v));
    polygon(b, static_cast<int>(pts.size() / 2), pts.data(), c);
}

namespace {

void segment(BITMAP *b, float x1, float y1, float x2, float y2, float w, int c)
{
    float dx = x2 - x1, dy = y2 - y1, len = std::sqrt(dx * dx + dy * dy);
    if (len > 0) {
        float nx = -dy / len * w / 2, ny = dx / len * w / 2;
        poly(b, {x1 + nx, y1 + ny, x2 + nx, y2 + ny, x2 - nx, y2 - ny, x1 - nx, y1 - ny}, c);
    }
    disc(b, x1, y1, w / 2, c);
    disc(b, x2, y2, w / 2, c);
}

} // namespace

void stroke(BITMAP *b, std::initializer_list<float> xy, float w, int c)
{
    std::vector<float> p(xy);
    for (size_t i = 0; i + 3 < p.size(); i += 2)
        segment(b, p[i], p[i + 1], p[i + 2], p[i + 3], w, c);
}

void arc(BITMAP *b, float cx, float cy, float rx, float ry, float a0, float a1, float w, int c)
{
    const int steps = 24;
    const float rad = 3.14159265f / 180.0f;
    float px = cx + rx * std::cos(a0 * rad), py = cy + ry * std::sin(a0 * rad);
    for (int i = 1; i <= steps; i++) {
        float a = (a0 + (a1 - a0) * static_cast<float>(i) / steps) * rad;
        float x = cx + rx * std::cos(a), y = cy + ry * std::sin(a);
        segment(b, px, py, x, y, w, c);
        px = x;
        py = y;
    }
}

void vgrad(BITMAP *b, float x1, float y1, float x2, float y2, int top, int bottom)
{
    int a = P(y1), z = P(y2) - 1;
    for (int y = a; y <= z; y++)
        hline(b, P(x1), y, P(x2) - 1, mix(top, bottom, z > a ? static_cast<float>(y - a) / static_cast<float>(z - a) : 0.0f));
}

int text_width(const char *s, int scale)
{
    return text_length(game_font(), s) * scale;
}

int line_height(int scale)
{
    return text_height(game_font()) * scale;
}

void say(BITMAP *b, const char *s, int x, int y, int scale, int align, int colour, int edge)
{
    FONT *fnt = game_font();
    int w = text_length(fnt, s), h = text_height(fnt);
    if (align == 0)
        x -= w * scale / 2;
    else if (align > 0)
        x -= w * scale;
    BITMAP *t = create_bitmap_ex(32, w, h);
    auto put = [&](int colr, int dx, int dy) {
        clear_to_color(t, mask());
        textout_ex(t, fnt, s, 0, 0, colr, -1);
        masked_stretch_blit(t, b, 0, 0, w, h, x + dx, y + dy, w * scale, h * scale);
    };
    if (edge != -1)
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++)
                if (dx || dy)
                    put(edge, dx * scale, dy * scale);
    put(colour, 0, 0);
    destroy_bitmap(t);
}

namespace {

// Runs f on every canvas pixel of the area whose centre lies inside `inside`,
// replacing it with what f returns.
template <class Inside, class F>
void each_pixel(BITMAP *b, float x1, float y1, float x2, float y2, Inside inside, F f)
{
    int a = std::max(0, P(x1)), z = std::min(b->w, P(x2)), top = std::max(0, P(y1)), bot = std::min(b->h, P(y2));
    for (int y = top; y < bot; y++) {
        uint32_t *row = reinterpret_cast<uint32_t *>(b->line[y]);
        for (int x = a; x < z; x++) {
            float fx = (static_cast<float>(x) + 0.5f) / SS, fy = (static_cast<float>(y) + 0.5f) / SS;
            if (inside(fx, fy))
                row[x] = static_cast<uint32_t>(f(static_cast<int>(row[x]), fx, fy));
        }
    }
}

} // namespace

void wash(BITMAP *b, float x1, float y1, float x2, float y2, int colour, float t)
{
    each_pixel(b, x1, y1, x2, y2, [](float, float) { return true; },
               [&](int c, float, float) { return mix(c, colour, t); });
}

void shade_oval(BITMAP *b, float cx, float cy, float rx, float ry, int colour, float t)
{
    each_pixel(b, cx - rx, cy - ry, cx + rx, cy + ry,
               [&](float x, float y) { return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1; },
               [&](int c, float, float) { return mix(c, colour, t); });
}

void lamplight(BITMAP *b, float cx, float cy, float r, int night, float dark, int warm, float glow)
{
    each_pixel(b, 0, 0, static_cast<float>(b->w) / SS, static_cast<float>(b->h) / SS, [](float, float) { return true; },
               [&](int c, float x, float y) {
                   float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r;
                   float lit = d >= 1 ? 0 : (1 - d) * (1 - d);
                   int dimmed = mix(c, night, dark * (1 - lit));
                   return mix(dimmed, warm, glow * lit);
               });
}
