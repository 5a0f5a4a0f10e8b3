// The desktop icon at every size the hicolor theme asks for: Rosa on a round
// badge, with Pip peeking in from the corner where there is room for him.
// Written as PNGs into <dir>/icons/hicolor/<n>x<n>/apps/nannyday.png, and
// at 16 to 64 pixels as the words the game hands the window manager itself.
#include "art/icon.h"

#include "art/figures.h"
#include "art/palette.h"
#include "common/output.h"

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace {

uint32_t crc32(const uint8_t *p, size_t n, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < n; i++) {
        crc ^= p[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void be32(std::vector<uint8_t> &v, uint32_t x)
{
    for (int s = 24; s >= 0; s -= 8)
        v.push_back(static_cast<uint8_t>(x >> s));
}

void chunk(std::vector<uint8_t> &png, const char *type, const std::vector<uint8_t> &data)
{
    be32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    be32(png, crc32(body.data(), body.size()));
}

// Deflate's bit stream: least significant bit first, Huffman codes the
// other way round.
struct Bits {
    std::vector<uint8_t> &out;
    uint32_t acc = 0;
    int n = 0;

    void put(uint32_t v, int len)
    {
        acc |= v << n;
        for (n += len; n >= 8; n -= 8, acc >>= 8)
            out.push_back(static_cast<uint8_t>(acc));
    }
    void code(uint32_t c, int len)
    {
        uint32_t r = 0;
        for (int i = 0; i < len; i++)
            r |= ((c >> i) & 1u) << (len - 1 - i);
        put(r, len);
    }
    void symbol(int s)   // deflate's fixed literal/length code
    {
        if (s < 144)
            code(0x30u + static_cast<uint32_t>(s), 8);
        else if (s < 256)
            code(0x190u + static_cast<uint32_t>(s - 144), 9);
        else if (s < 280)
            code(static_cast<uint32_t>(s - 256), 7);
        else
            code(0xC0u + static_cast<uint32_t>(s - 280), 8);
    }
    void flush()
    {
        if (n > 0)
            out.push_back(static_cast<uint8_t>(acc));
        acc = 0;
        n = 0;
    }
};

// One deflate block with the fixed codes, repeats found greedily through a
// hash of the next three bytes: the flat colours of an icon shrink several
// times over, with no zlib needed and the same bytes on every run.
void deflate_fixed(const std::vector<uint8_t> &raw, std::vector<uint8_t> &z)
{
    static const int lbase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lext[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int dbase[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385,
                                  513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int dext[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    const int window = 32768, longest = 258, tries = 64;
    const int size = static_cast<int>(raw.size());
    std::vector<int> head(1 << 15, -1), prev(static_cast<size_t>(size), -1);
    auto hash = [&](int i) { return ((raw[i] << 10) ^ (raw[i + 1] << 5) ^ raw[i + 2]) & 0x7FFF; };
    auto remember = [&](int i) {
        if (i + 2 < size) {
            int h = hash(i);
            prev[i] = head[h];
            head[h] = i;
        }
    };

    Bits b{z};
    b.put(1, 1);   // the last block
    b.put(1, 2);   // fixed codes
    for (int i = 0; i < size;) {
        int best = 0, dist = 0;
        if (i + 2 < size)
            for (int j = head[hash(i)], k = 0; j >= 0 && i - j <= window && k < tries; j = prev[j], k++) {
                int len = 0;
                while (len < longest && i + len < size && raw[j + len] == raw[i + len])
                    len++;
                if (len > best) {
                    best = len;
                    dist = i - j;
                }
            }
        if (best < 3) {
            b.symbol(raw[i]);
            remember(i++);
            continue;
        }
        int l = 28;
        while (lbase[l] > best)
            l--;
        b.symbol(257 + l);
        b.put(static_cast<uint32_t>(best - lbase[l]), lext[l]);
        int d = 29;
        while (dbase[d] > dist)
            d--;
        b.code(static_cast<uint32_t>(d), 5);
        b.put(static_cast<uint32_t>(dist - dbase[d]), dext[d]);
        for (int e = i + best; i < e;)
            remember(i++);
    }
    b.symbol(256);
    b.flush();
}

// RGBA PNG, rows of r, g, b, a bytes, each row unfiltered.
void write_png(const std::string &path, int size, const std::vector<uint8_t> &rgba)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < size; y++) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + 4L * size * y, rgba.begin() + 4L * size * (y + 1));
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    deflate_fixed(raw, z);
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    be32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    be32(ihdr, static_cast<uint32_t>(size));
    be32(ihdr, static_cast<uint32_t>(size));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});

    FILE *fp = fopen(path.c_str(), "wb");
    if (!fp || fwrite(png.data(), 1, png.size(), fp) != png.size() || fclose(fp) != 0) {
        fprintf(stderr, "cannot write %s\n", path.c_str());
        exit(1);
    }
}

// Averages each SS x SS block of the canvas; the mask colour is see-through,
// so the edges of the badge fade out instead of turning pink or jagged.
std::vector<uint8_t> to_rgba(BITMAP *big)
{
    int size = big->w / SS;
    std::vector<uint8_t> px;
    const int mask_c = mask();
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int j = 0; j < SS; j++)
                for (int i = 0; i < SS; i++) {
                    int c = getpixel(big, x * SS + i, y * SS + j);
                    if (c == mask_c)
                        continue;
                    r += getr32(c);
                    g += getg32(c);
                    b += getb32(c);
                    n++;
                }
            int d = std::max(n, 1);
            px.push_back(static_cast<uint8_t>((r + d / 2) / d));
            px.push_back(static_cast<uint8_t>((g + d / 2) / d));
            px.push_back(static_cast<uint8_t>((b + d / 2) / d));
            px.push_back(static_cast<uint8_t>((255 * n + SS * SS / 2) / (SS * SS)));
        }
    destroy_bitmap(big);
    return px;
}

int ring() { return stripe_blue(); }
int rim() { return rgb(34, 110, 150); }
int sky_top() { return rgb(150, 214, 246); }
int sky_low() { return rgb(226, 244, 252); }

// Everything outside the badge's disc becomes see-through, and the ring is
// laid over the edge; c and the radii are in big-canvas pixels. Only the
// outer edge is smoothed: on a crisp badge the ring is decided per finished
// pixel, so that at the smallest sizes it stays one clean colour.
void cut_badge(BITMAP *big, float c, float outer, float ring_w, bool crisp)
{
    float inner = outer - ring_w, edge = crisp ? outer : outer - std::max(ring_w * 0.3f, static_cast<float>(SS));
    auto dist2 = [c](int x, int y, int grid) {
        float px = static_cast<float>(x / grid * grid) + grid / 2.0f - c;
        float py = static_cast<float>(y / grid * grid) + grid / 2.0f - c;
        return px * px + py * py;
    };
    for (int y = 0; y < big->h; y++)
        for (int x = 0; x < big->w; x++) {
            float d2 = dist2(x, y, 1), pd2 = crisp ? dist2(x, y, SS) : d2;
            if (d2 > outer * outer)
                putpixel(big, x, y, mask());
            else if (pd2 > edge * edge)
                putpixel(big, x, y, rim());
            else if (pd2 > inner * inner)
                putpixel(big, x, y, ring());
        }
}

// 48 pixels and up: Rosa from the shoulders up, waving, and Pip's head and
// hands coming up at the lower right. u: pixels per 64th of the icon.
std::vector<uint8_t> portrait(int size)
{
    float u = static_cast<float>(size) / 64;
    BITMAP *b = big_canvas(size, size, mask());
    vgrad(b, 0, 0, static_cast<float>(size), static_cast<float>(size), sky_top(), sky_low());

    Pose r = rosa_standing();
    r.lhx = -14;
    r.lhy = -86;
    r.rhx = 16;
    r.rhy = -48;
    const float rs = 1.2f, ps = 0.85f;
    rosa(b, 22 * u, (33 + 83 * rs) * u, rs * u, r);

    Pose p = pip_standing();
    p.lhx = -13;
    p.lhy = -50;
    p.rhx = 13;
    p.rhy = -50;
    p.face = LAUGH;
    pip_sitting(b, 45 * u, (46 + 45 * ps) * u, ps * u, p);

    cut_badge(b, 32 * u * SS, 31.5f * u * SS, 3.2f * u * SS, false);
    return to_rgba(b);
}

// 24 and 32 pixels: only Rosa's face, outlined like the figures, with every
// feature on whole pixels so that the eyes and the smile stay sharp.
std::vector<uint8_t> face(int size)
{
    float n = static_cast<float>(size), c = n / 2;
    BITMAP *b = big_canvas(size, size, mask());
    vgrad(b, 0, 0, n, n, sky_top(), sky_low());
    float head = n * 0.30f, cy = c + n * 0.09f, line = size >= 32 ? 1.25f : 1;
    float bun_y = cy - n * 0.35f, bun = n * 0.11f, hair_r = head + n * 0.04f;
    // The bun first, so that the head's outline parts it from the hair.
    disc(b, c, bun_y, bun + line, outline());
    disc(b, c, bun_y, bun, rosa_hair());
    disc(b, c, cy - n * 0.02f, hair_r + line, outline());
    disc(b, c, cy - n * 0.02f, hair_r, rosa_hair());
    disc(b, c, cy + n * 0.04f, head - n * 0.03f, skin());
    oval(b, c, cy - head * 0.55f, head * 0.9f, head * 0.38f, rosa_hair());   // the fringe
    float eye = size >= 32 ? 2 : 1, gap = std::floor(n * 0.13f), ey = std::floor(cy + n * 0.04f);
    box(b, c - gap - eye, ey, c - gap, ey + eye + 1, outline());
    box(b, c + gap, ey, c + gap + eye, ey + eye + 1, outline());
    float ch = std::floor(n * 0.08f) + 1;
    box(b, c - gap - eye - ch, ey + eye + 1, c - gap - eye, ey + eye + 2, cheek());
    box(b, c + gap + eye, ey + eye + 1, c + gap + eye + ch, ey + eye + 2, cheek());
    int smile = mouth();
    float my = ey + eye + 3;
    box(b, c - gap + 1, my, c + gap - 1, my + 1, smile);
    box(b, c - gap, my - 1, c - gap + 1, my, smile);
    box(b, c + gap - 1, my - 1, c + gap, my, smile);
    cut_badge(b, c * SS, c * SS, (size >= 32 ? 2.5f : 1.5f) * SS, size < 32);
    return to_rgba(b);
}

// 16 pixels: the face pixel by pixel, too small for shapes to land well.
std::vector<uint8_t> tiny_face()
{
    static const char *const rows[] = {
        "...hhhh...",
        "...hhhh...",
        ".hhhhhhhh.",
        "hhhhhhhhhh",
        "hhhkkkkhhh",
        "hhkkkkkkhh",
        "hkekkkkekh",
        "hckkkkkkch",
        "hkkmkkmkkh",
        ".kkkmmkkk.",
        "..kkkkkk..",
    };
    BITMAP *b = big_canvas(16, 16, mask());
    vgrad(b, 0, 0, 16, 16, sky_top(), sky_low());
    for (int y = 0; y < 11; y++)
        for (int x = 0; x < 10; x++) {
            int c = -1;
            switch (rows[y][x]) {
            case 'h': c = rosa_hair(); break;
            case 'k': c = skin(); break;
            case 'e': c = outline(); break;
            case 'c': c = cheek(); break;
            case 'm': c = mouth(); break;
            }
            if (c != -1)
                box(b, static_cast<float>(x + 3), static_cast<float>(y + 2), static_cast<float>(x + 4),
                    static_cast<float>(y + 3), c);
        }
    cut_badge(b, 8 * SS, 8 * SS, 1.5f * SS, true);
    return to_rgba(b);
}

void make_dir(const std::string &path)
{
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        fprintf(stderr, "cannot create %s\n", path.c_str());
        exit(1);
    }
}

std::vector<uint8_t> icon_rgba(int size)
{
    return size >= 48 ? portrait(size) : size > 16 ? face(size) : tiny_face();
}

} // namespace

void icon_png(const std::string &dir)
{
    std::string theme = dir + "/icons/hicolor";
    make_dir(dir + "/icons");
    make_dir(theme);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        std::string folder = theme + "/" + std::to_string(size) + "x" + std::to_string(size);
        make_dir(folder);
        make_dir(folder + "/apps");
        write_png(folder + "/apps/nannyday.png", size, icon_rgba(size));
    }
}

void window_icon(const std::string &path)
{
    FILE *fp = fopen(path.c_str(), "w");
    if (!fp) {
        fprintf(stderr, "cannot write %s\n", path.c_str());
        exit(1);
    }
    fprintf(fp, "// The window icon in _NET_WM_ICON's layout: for each size, its width and height,\n"
                "// then every pixel as 0xAARRGGBB (not premultiplied), row by row. The same\n"
                "// pictures as icons/hicolor, written by nannyday-assets (tools/icon.cpp).\n");
    for (int size : {16, 32, 48, 64}) {
        std::vector<uint8_t> px = icon_rgba(size);
        fprintf(fp, "%d, %d,\n", size, size);
        for (int y = 0; y < size; y++) {
            for (int x = 0; x < size; x++) {
                const uint8_t *p = &px[4 * static_cast<size_t>(y * size + x)];
                uint32_t argb = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
                fprintf(fp, "0x%08x,%c", static_cast<unsigned>(argb), x % 8 == 7 ? '\n' : ' ');
            }
        }
    }
    if (fclose(fp) != 0) {
        fprintf(stderr, "cannot write %s\n", path.c_str());
        exit(1);
    }
}
