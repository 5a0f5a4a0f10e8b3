// The desktop icon: the nanny's face on a round badge, written as a PNG.
#include "assets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// RGBA PNG with stored (uncompressed) deflate blocks: no zlib needed, and
// the bytes never change between runs.
void write_png(const std::string &path, BITMAP *bmp)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < bmp->h; y++) {
        raw.push_back(0);
        for (int x = 0; x < bmp->w; x++) {
            int c = getpixel(bmp, x, y);
            bool clear = getr32(c) == MASK_R && getg32(c) == MASK_G && getb32(c) == MASK_B;
            raw.push_back(static_cast<uint8_t>(clear ? 0 : getr32(c)));
            raw.push_back(static_cast<uint8_t>(clear ? 0 : getg32(c)));
            raw.push_back(static_cast<uint8_t>(clear ? 0 : getb32(c)));
            raw.push_back(clear ? 0 : 255);
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0;) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        at += n;
        if (last)
            break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    be32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    be32(ihdr, static_cast<uint32_t>(bmp->w));
    be32(ihdr, static_cast<uint32_t>(bmp->h));
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

} // namespace

void icon_png(const std::string &dir)
{
    BITMAP *i = canvas(64, 64, MASK_R, MASK_G, MASK_B);
    circlefill(i, 32, 32, 31, makecol32(58, 178, 211));
    circlefill(i, 32, 32, 28, makecol32(250, 236, 210));
    // Hair with a bun, a kind face, rosy cheeks.
    circlefill(i, 32, 13, 8, makecol32(120, 70, 40));
    circlefill(i, 32, 34, 19, makecol32(120, 70, 40));
    circlefill(i, 32, 38, 15, makecol32(245, 205, 170));
    rectfill(i, 17, 22, 47, 29, makecol32(120, 70, 40));
    circlefill(i, 26, 37, 2, makecol32(50, 40, 40));
    circlefill(i, 38, 37, 2, makecol32(50, 40, 40));
    circlefill(i, 22, 43, 3, makecol32(240, 150, 140));
    circlefill(i, 42, 43, 3, makecol32(240, 150, 140));
    arc(i, 32, 40, itofix(160), itofix(224), 7, makecol32(170, 60, 60));
    write_png(dir + "/nannyday.png", i);
    destroy_bitmap(i);
}
