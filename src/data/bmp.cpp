// The pictures' BMP files: the header's check, the rewrite as a plain file, the decoder.
#include "data/bmp.h"

#include "data/bytes.h"
#include "data/file.h"

namespace {

void put16(std::vector<unsigned char> &v, uint32_t x)
{
    v.push_back(static_cast<unsigned char>(x));
    v.push_back(static_cast<unsigned char>(x >> 8));
}

void put32(std::vector<unsigned char> &v, uint32_t x)
{
    put16(v, x & 0xffff);
    put16(v, x >> 16);
}

bool bmp_depth_ok(uint32_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Rows are padded to whole 4-byte words.
size_t bmp_row_bytes(long w, uint32_t bits)
{
    return static_cast<size_t>((w * bits + 31) / 32 * 4);
}

// Decodes a run-length stream into one palette index a pixel (row 0 at the
// top), as a BMP decoder reads it: rows from the bottom, runs, absolute
// blocks (padded to 2 bytes, or read in 2-byte units at 4 bits a pixel) and
// deltas. Pixels that a run or block puts past the end of its row are the
// row's padding in files some tools write: they are dropped and counted in
// *clipped. A delta out of the picture, or a stream that runs out before its
// end, is refused. Nothing is written outside `pixels`.
bool rle_decode(const unsigned char *d, size_t n, size_t p, long w, long h, bool four_bit,
                std::vector<unsigned char> &pixels, long *clipped)
{
    pixels.assign(static_cast<size_t>(w * h), 0);
    long line = h - 1, pos = 0;
    *clipped = 0;
    auto put = [&](unsigned value) {
        if (pos < w)
            pixels[static_cast<size_t>(line * w + pos)] = static_cast<unsigned char>(value);
        else
            ++*clipped;
        pos++;
    };
    for (;;) {
        if (n - p < 2)
            return false;
        unsigned count = d[p], val = d[p + 1];
        p += 2;
        if (count > 0) {
            for (unsigned j = 0; j < count; j++)
                put(four_bit ? (j % 2 ? val & 15 : val >> 4) : val);
        } else if (val == 0 || val == 1) {   // end of line, end of picture
            if (val == 1 || --line < 0)
                return true;
            pos = 0;
            continue;
        } else if (val == 2) {   // delta
            if (n - p < 2)
                return false;
            pos += d[p];
            line -= d[p + 1];
            p += 2;
            if (pos > w || line < 0)
                return false;
        } else {   // absolute
            size_t bytes = four_bit ? (val + 3) / 4 * 2 : val + (val & 1);
            if (n - p < bytes)
                return false;
            for (unsigned j = 0; j < val; j++)
                put(four_bit ? (d[p + j / 2] >> (j % 2 ? 0 : 4)) & 15 : d[p + j]);
            p += bytes;
        }
        if (pos > w)
            pos = w;
    }
}

// Allegro takes bit-field pictures only in these three layouts.
bool masks_allegro_reads(uint32_t bits, uint32_t r, uint32_t g, uint32_t b)
{
    if (bits == 16)
        return b == 0x1f && ((r == 0x7c00 && g == 0x3e0) || (r == 0xf800 && g == 0x7e0));
    return bits == 32 && r == 0xff0000 && g == 0xff00 && b == 0xff;
}

bool field_of(uint32_t mask, Field &f)
{
    if (mask == 0)
        return false;
    while (!(mask >> f.shift & 1))
        f.shift++;
    f.max = mask >> f.shift;
    return (f.max & (f.max + 1)) == 0;
}

unsigned field_value(uint32_t pixel, const Field &f)
{
    uint64_t v = (pixel >> f.shift) & f.max;
    return static_cast<unsigned>((v * 255 + f.max / 2) / f.max);
}

} // namespace

// Allegro reads the 14-byte file header, a 40-byte Windows or 12-byte OS/2
// info header, then bfOffBits minus the headers as a palette (it never seeks),
// then the rows, bottom row first. Pictures it reads as they are reach it
// untouched. The longer Windows headers (52, 56, 108 and 124 bytes) only add
// colour masks and colour-space data to the 40-byte one, and top-down rows
// are only a matter of order: such files reach Allegro as an equivalent copy
// with a 40-byte header and bottom-up rows. Run-length data is decoded here
// into such a copy too, so that Allegro's own run-length decoders, which
// write wherever the stream says, never run; so are bit-field layouts
// Allegro does not know, as 24-bit colour.
const char *bmp_problem(const unsigned char *d, size_t n, BmpLayout &l)
{
    l = BmpLayout{};
    if (n < 26 || d[0] != 'B' || d[1] != 'M')
        return "not a BMP picture";
    l.off = u32(d + 10);
    uint32_t info = u32(d + 14);
    if (info != 12 && info != 40 && info != 52 && info != 56 && info != 108 && info != 124)
        return "unsupported BMP header size";
    if (n < 14 + info)
        return "truncated BMP header";
    // An OS/2 header holds 16-bit sizes and 3-byte palette entries, and no compression.
    bool os2 = info == 12;
    // Wider than the field: a top-down height of -2^31 has no positive in 32 bits.
    l.w = os2 ? static_cast<int64_t>(u16(d + 18)) : static_cast<int64_t>(s32(d + 18));
    l.h = os2 ? static_cast<int64_t>(u16(d + 20)) : static_cast<int64_t>(s32(d + 22));
    l.bits = u16(d + (os2 ? 24 : 28));
    uint32_t compression = os2 ? 0 : u32(d + 30);
    l.entry = os2 ? 3 : 4;
    l.top_down = l.h < 0;
    if (l.top_down)
        l.h = -l.h;
    if (!dimensions_ok(l.w, l.h))
        return "BMP picture size out of range";
    if (!bmp_depth_ok(l.bits))
        return "unsupported BMP pixel depth";
    l.rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && l.bits != 8) || (compression == 2 && l.bits != 4) ||
        (compression == 3 && l.bits != 16 && l.bits != 32))
        return "unsupported BMP compression";
    if (l.rle && l.top_down)
        return "top-down run-length BMP";   // the format has no such thing
    // The masks follow a 40-byte header and are part of the longer ones; the palette comes next.
    l.fields = compression == 3;
    l.palette_at = 14 + info + (info == 40 && l.fields ? 12 : 0);
    if (l.fields && info == 40 && l.off < l.palette_at)
        return "BMP colour masks missing";
    if (l.off < l.palette_at || l.off > n)
        return "bad BMP data offset";
    if (l.fields) {
        uint32_t r = u32(d + 54), g = u32(d + 58), b = u32(d + 62);
        l.allegro_masks = masks_allegro_reads(l.bits, r, g, b);
        if (!l.allegro_masks && !(field_of(r, l.field[0]) && field_of(g, l.field[1]) && field_of(b, l.field[2])))
            return "unsupported BMP colour masks";
    }

    l.row = bmp_row_bytes(l.w, l.bits);
    if (l.rle) {
        if (!rle_decode(d, n, l.off, l.w, l.h, compression == 2, l.indices, &l.clipped))
            return "bad BMP run-length data";
    } else if ((n - l.off) / l.row < static_cast<size_t>(l.h)) {
        return "truncated BMP pixels";
    }
    // Allegro converts a palette picture through all 256 entries, whether
    // the file has them or not: a shorter palette is filled in in the copy.
    bool short_palette = l.bits <= 8 && (l.off - l.palette_at) / l.entry < 256;
    l.plain = (info == 40 || os2) && !l.top_down && !l.rle && !short_palette &&
              (!l.fields || (l.allegro_masks && l.off == l.palette_at));
    return nullptr;
}

const char *bmp_plain_copy(const unsigned char *d, const BmpLayout &l, std::vector<unsigned char> &copy)
{
    copy.clear();
    if (l.plain)
        return nullptr;
    const long w = static_cast<long>(l.w), h = static_cast<long>(l.h);
    // Pixels Allegro reads as they are keep their depth and masks; decoded
    // run-length data becomes 8-bit indices, other masks plain 24-bit colour.
    uint32_t out_bits = l.rle ? 8 : l.fields && !l.allegro_masks ? 24 : l.bits;
    size_t out_row = bmp_row_bytes(w, out_bits);
    size_t out_off = 54 + (l.allegro_masks ? 12 : 0) + (out_bits <= 8 ? 1024 : 0);
    copy.reserve(out_off + out_row * static_cast<size_t>(h));
    copy.push_back('B');
    copy.push_back('M');
    put32(copy, static_cast<uint32_t>(out_off + out_row * static_cast<size_t>(h)));
    put32(copy, 0);
    put32(copy, static_cast<uint32_t>(out_off));
    put32(copy, 40);
    put32(copy, static_cast<uint32_t>(w));
    put32(copy, static_cast<uint32_t>(h));
    put16(copy, 1);
    put16(copy, out_bits);
    put32(copy, l.allegro_masks ? 3 : 0);
    put32(copy, 0);
    for (int i = 0; i < 4; i++)   // resolution and colour counts, which Allegro skips
        put32(copy, 0);
    if (l.allegro_masks)
        copy.insert(copy.end(), d + 54, d + 66);
    if (out_bits <= 8) {
        // Every entry there is room for, the unused rest black.
        for (size_t i = 0; i < 256 && (i + 1) * l.entry <= l.off - l.palette_at; i++) {
            copy.insert(copy.end(), d + l.palette_at + i * l.entry, d + l.palette_at + i * l.entry + 3);
            copy.push_back(0);
        }
        copy.resize(out_off, 0);
    }
    for (long i = 0; i < h; i++) {
        // Bottom row first; a top-down file holds it last.
        long y = h - 1 - i;
        size_t start = copy.size();
        if (l.rle) {
            const unsigned char *src = l.indices.data() + y * w;
            copy.insert(copy.end(), src, src + w);
        } else {
            const unsigned char *src = d + l.off + static_cast<size_t>(l.top_down ? y : i) * l.row;
            if (out_bits == l.bits) {
                copy.insert(copy.end(), src, src + l.row);
            } else {
                for (long x = 0; x < w; x++) {
                    uint32_t px = l.bits == 16 ? u16(src + 2 * x) : u32(src + 4 * x);
                    for (int c = 2; c >= 0; c--)
                        copy.push_back(static_cast<unsigned char>(field_value(px, l.field[c])));
                }
            }
        }
        copy.resize(start + out_row, 0);
    }
    return l.clipped > 0 ? "run-length rows that ran past the picture's width cut at its edge" : nullptr;
}

BITMAP *plain_24_bit_at_32(const std::vector<unsigned char> &bytes)
{
    const unsigned char *d = bytes.data();
    if (bytes.size() < 54 || u32(d + 10) != 54 || u32(d + 14) != 40 || u16(d + 28) != 24 || u32(d + 30) != 0 ||
        s32(d + 22) <= 0 || get_color_depth() != 32 || !(get_color_conversion() & COLORCONV_24_TO_32))
        return nullptr;
    const int w = s32(d + 18), h = s32(d + 22);
    const size_t row = bmp_row_bytes(w, 24);
    if (!dimensions_ok(w, h) || (bytes.size() - 54) / row < static_cast<size_t>(h))
        return nullptr;
    BITMAP *b = create_bitmap_ex(32, w, h);
    if (!b)
        return nullptr;
    const int rs = _rgb_r_shift_32, gs = _rgb_g_shift_32, bs = _rgb_b_shift_32;
    for (int y = 0; y < h; y++) {
        const unsigned char *src = d + 54 + static_cast<size_t>(h - 1 - y) * row;
        uint32_t *dst = reinterpret_cast<uint32_t *>(b->line[y]);
        for (int x = 0; x < w; x++, src += 3)
            dst[x] = static_cast<uint32_t>(src[2]) << rs | static_cast<uint32_t>(src[1]) << gs |
                     static_cast<uint32_t>(src[0]) << bs;
    }
    return b;
}

BITMAP *image_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    BmpLayout layout;
    *why = bmp_problem(bytes.data(), bytes.size(), layout);
    if (*why)
        return nullptr;
    std::vector<unsigned char> copy;
    const char *repaired = bmp_plain_copy(bytes.data(), layout, copy);
    const std::vector<unsigned char> &plain = copy.empty() ? bytes : copy;
    BITMAP *b = plain_24_bit_at_32(plain);
    // What load_bitmap() does for a .bmp: decode, then convert to the current colour depth.
    if (!b)
        b = read_from_memory(plain, [](PACKFILE *pf) { return load_bmp_pf(pf, nullptr); },
                             "not a readable BMP picture", why);
    if (b)
        *why = repaired;
    return b;
}
