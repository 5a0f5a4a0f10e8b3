// Header and size checks for the four kinds of data file, and reading a file whole.
#include "core/filecheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// Bigger than any file the game ships by far; keeps a stray huge file out of memory.
const long max_file_size = 64L * 1024 * 1024;

uint32_t u16(const unsigned char *p) { return p[0] | (p[1] << 8); }
uint32_t u32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t s32(const unsigned char *p) { return static_cast<int32_t>(u32(p)); }

bool dimensions_ok(int64_t w, int64_t h)
{
    return w >= 1 && h >= 1 && w <= max_image_side && h <= max_image_side &&
           w * h <= max_image_pixels;
}

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

// One colour's bit-field: a single run of set bits.
struct Field {
    int shift = 0;
    uint64_t max = 0;
};

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
const char *check_bmp(const unsigned char *d, size_t n, std::vector<unsigned char> &copy,
                      const char **repaired)
{
    copy.clear();
    *repaired = nullptr;
    if (n < 26 || d[0] != 'B' || d[1] != 'M')
        return "not a BMP picture";
    uint32_t off = u32(d + 10);
    uint32_t info = u32(d + 14);
    if (info != 12 && info != 40 && info != 52 && info != 56 && info != 108 && info != 124)
        return "unsupported BMP header size";
    if (n < 14 + info)
        return "truncated BMP header";
    // An OS/2 header holds 16-bit sizes and 3-byte palette entries, and no compression.
    bool os2 = info == 12;
    // Wider than the field: a top-down height of -2^31 has no positive in 32 bits.
    int64_t w = os2 ? static_cast<int64_t>(u16(d + 18)) : static_cast<int64_t>(s32(d + 18));
    int64_t h = os2 ? static_cast<int64_t>(u16(d + 20)) : static_cast<int64_t>(s32(d + 22));
    uint32_t bits = u16(d + (os2 ? 24 : 28)), compression = os2 ? 0 : u32(d + 30);
    size_t entry = os2 ? 3 : 4;
    bool top_down = h < 0;
    if (top_down)
        h = -h;
    if (!dimensions_ok(w, h))
        return "BMP picture size out of range";
    if (!bmp_depth_ok(bits))
        return "unsupported BMP pixel depth";
    bool rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4) ||
        (compression == 3 && bits != 16 && bits != 32))
        return "unsupported BMP compression";
    if (rle && top_down)
        return "top-down run-length BMP";   // the format has no such thing
    // The masks follow a 40-byte header and are part of the longer ones; the palette comes next.
    bool fields = compression == 3;
    size_t palette_at = 14 + info + (info == 40 && fields ? 12 : 0);
    if (fields && info == 40 && off < palette_at)
        return "BMP colour masks missing";
    if (off < palette_at || off > n)
        return "bad BMP data offset";
    Field field[3];
    bool allegro_masks = false;
    if (fields) {
        uint32_t r = u32(d + 54), g = u32(d + 58), b = u32(d + 62);
        allegro_masks = masks_allegro_reads(bits, r, g, b);
        if (!allegro_masks && !(field_of(r, field[0]) && field_of(g, field[1]) && field_of(b, field[2])))
            return "unsupported BMP colour masks";
    }

    std::vector<unsigned char> indices;
    long clipped = 0;
    size_t row = bmp_row_bytes(w, bits);
    if (rle) {
        if (!rle_decode(d, n, off, w, h, compression == 2, indices, &clipped))
            return "bad BMP run-length data";
    } else if ((n - off) / row < static_cast<size_t>(h)) {
        return "truncated BMP pixels";
    }
    // Allegro converts a palette picture through all 256 entries, whether
    // the file has them or not: a shorter palette is filled in in the copy.
    bool short_palette = bits <= 8 && (off - palette_at) / entry < 256;
    if ((info == 40 || os2) && !top_down && !rle && !short_palette &&
        (!fields || (allegro_masks && off == palette_at)))
        return nullptr;

    // Pixels Allegro reads as they are keep their depth and masks; decoded
    // run-length data becomes 8-bit indices, other masks plain 24-bit colour.
    uint32_t out_bits = rle ? 8 : fields && !allegro_masks ? 24 : bits;
    size_t out_row = bmp_row_bytes(w, out_bits);
    size_t out_off = 54 + (allegro_masks ? 12 : 0) + (out_bits <= 8 ? 1024 : 0);
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
    put32(copy, allegro_masks ? 3 : 0);
    put32(copy, 0);
    for (int i = 0; i < 4; i++)   // resolution and colour counts, which Allegro skips
        put32(copy, 0);
    if (allegro_masks)
        copy.insert(copy.end(), d + 54, d + 66);
    if (out_bits <= 8) {
        // Every entry there is room for, the unused rest black.
        for (size_t i = 0; i < 256 && (i + 1) * entry <= off - palette_at; i++) {
            copy.insert(copy.end(), d + palette_at + i * entry, d + palette_at + i * entry + 3);
            copy.push_back(0);
        }
        copy.resize(out_off, 0);
    }
    for (long i = 0; i < h; i++) {
        // Bottom row first; a top-down file holds it last.
        long y = h - 1 - i;
        size_t start = copy.size();
        if (rle) {
            const unsigned char *src = indices.data() + y * w;
            copy.insert(copy.end(), src, src + w);
        } else {
            const unsigned char *src = d + off + static_cast<size_t>(top_down ? y : i) * row;
            if (out_bits == bits) {
                copy.insert(copy.end(), src, src + row);
            } else {
                for (long x = 0; x < w; x++) {
                    uint32_t px = bits == 16 ? u16(src + 2 * x) : u32(src + 4 * x);
                    for (int c = 2; c >= 0; c--)
                        copy.push_back(static_cast<unsigned char>(field_value(px, field[c])));
                }
            }
        }
        copy.resize(start + out_row, 0);
    }
    if (clipped > 0)
        *repaired = "run-length rows that ran past the picture's width cut at its edge";
    return nullptr;
}

// Allegro's PCX reader takes 8 bits per pixel in one plane (palette) or three
// (truecolour) and decodes bytes-per-line bytes of each plane for every row,
// always as run-length data, into a bitmap it does not clear. It keeps every
// pixel inside the picture, so longer lines only lose their ends; shorter
// lines leave the columns past them unwritten, and the font grabber would
// read whatever the memory held.
const char *check_pcx(const unsigned char *d, size_t n)
{
    if (n < 128 || d[0] != 10)
        return "not a PCX picture";
    if (d[2] != 1)
        return "uncompressed PCX (only run-length PCX is read)";
    if (d[3] != 8 || (d[65] != 1 && d[65] != 3))
        return "unsupported PCX pixel depth";
    long xmin = u16(d + 4), ymin = u16(d + 6), xmax = u16(d + 8), ymax = u16(d + 10);
    long w = xmax - xmin + 1, h = ymax - ymin + 1;
    if (!dimensions_ok(w, h))
        return "PCX picture size out of range";
    if (static_cast<long>(u16(d + 66)) < w)
        return "PCX lines shorter than the picture's width";
    // Every row takes at least one byte per plane, even run-length coded.
    if (n < 128 + static_cast<size_t>(h) * d[65])
        return "truncated PCX pixels";
    return nullptr;
}

// Allegro walks the chunks after "RIFF", size, "WAVE" to the end of the file,
// decodes "data" with the last "fmt " seen and does not skip pad bytes; every
// chunk is held to lie wholly inside the file.
const char *check_wav(const unsigned char *d, size_t n)
{
    if (n < 12 || memcmp(d, "RIFF", 4) != 0 || memcmp(d + 8, "WAVE", 4) != 0)
        return "not a WAV sound";
    bool have_fmt = false, have_data = false;
    uint32_t channels = 0, bits = 0;
    size_t p = 12;
    // Fewer than 4 bytes at the end (the pad byte after an odd-length last
    // chunk) make Allegro stop reading, as it does at the end of the file.
    while (n - p >= 4) {
        if (n - p < 8)
            return "truncated WAV chunk";
        uint32_t len = u32(d + p + 4);
        const unsigned char *body = d + p + 8;
        if (len > n - p - 8)
            return "truncated WAV chunk";
        if (memcmp(d + p, "fmt ", 4) == 0) {
            if (len < 16)
                return "short WAV format chunk";
            uint32_t rate = u32(body + 4);
            channels = u16(body + 2);
            bits = u16(body + 14);
            if (u16(body) == 3)
                return "WAV of floating-point samples, not 8- or 16-bit PCM";
            if (u16(body) != 1)
                return "WAV not plain PCM (extensible or compressed)";
            if (channels != 1 && channels != 2)
                return "WAV neither mono nor stereo";
            if (bits != 8 && bits != 16)
                return "WAV samples neither 8 nor 16 bits";
            // The mixer never moves on through a sound of rate 0, and keeps
            // the rate in 20 bits.
            if (rate == 0)
                return "WAV sample rate of 0";
            if (rate >= 1u << 19)
                return "WAV sample rate too high for the mixer";
            have_fmt = true;
        } else if (memcmp(d + p, "data", 4) == 0) {
            if (!have_fmt)
                return "WAV data before its format";
            if (have_data)
                return "WAV with two sound data chunks";   // Allegro would leak the first
            if (len < channels * bits / 8)
                return "WAV holds no sound";
            have_data = true;
        }
        p += 8 + len;
    }
    if (!have_data)
        return "WAV holds no sound";
    return nullptr;
}

namespace {

// DUMB refuses a switched-on envelope of more than 12 points or with a level
// above 64. The header holds 12 points and 64 is full level, so the copy is
// clamped to those. The rest of an envelope (ticks out of order, sustain or
// loop points past the last point, no points at all) DUMB plays safely: it
// only changes the sound, and an envelope switched off is not read at all.
bool envelope_needs_clamp(const unsigned char *ins, int which)
{
    const unsigned char *points = ins + 129 + 48 * which;
    unsigned count = ins[225 + which];
    if (!(ins[233 + which] & 1) || count == 0)
        return false;
    if (count > 12)
        return true;
    for (unsigned i = 0; i < count; i++)
        if (u16(points + 4 * i + 2) > 64)
            return true;
    return false;
}

void clamp_envelope(unsigned char *ins, int which)
{
    unsigned char *points = ins + 129 + 48 * which;
    if (ins[225 + which] > 12)
        ins[225 + which] = 12;
    for (unsigned i = 0; i < ins[225 + which]; i++)
        if (u16(points + 4 * i + 2) > 64) {
            points[4 * i + 2] = 64;
            points[4 * i + 3] = 0;
        }
}

// One packed pattern: exactly rows x channels cells in size bytes. DUMB looks
// notes 98 to 120 up in the unset part of its 120-entry sample map.
const char *pattern_problem(const unsigned char *p, size_t size, uint32_t rows, uint32_t channels)
{
    size_t i = 0;
    for (uint32_t cell = 0; cell < rows * channels; cell++) {
        if (i >= size)
            return "XM pattern data shorter than its rows";
        unsigned mask = 0x1f;
        if (p[i] & 0x80)
            mask = p[i++] & 0x1f;
        if (mask & 1) {
            if (i >= size)
                return "XM pattern data shorter than its rows";
            if (p[i] > 97 && p[i] <= 120)
                return "XM note out of range";
            i++;
        }
        for (unsigned bit = 2; bit <= 16; bit <<= 1)
            if (mask & bit) {
                if (i >= size)
                    return "XM pattern data shorter than its rows";
                i++;
            }
    }
    return i == size ? nullptr : "XM pattern data longer than its rows";
}

} // namespace

// Walks the whole module as DUMB reads it: header, every pattern, every
// instrument with its sample headers and sample data, all inside the file.
// What DUMB refuses or trips over is refused here with the reason; values
// trackers write beyond FastTracker 2's own limits (fadeout up to 0x7FFF,
// vibrato depth and rate, sample volume, tempo, pattern length) only change
// the sound and pass.
const char *check_xm(const unsigned char *d, size_t n, std::vector<unsigned char> &copy,
                     const char **repaired)
{
    copy.clear();
    *repaired = nullptr;
    if (n < 80 || memcmp(d, "Extended Module: ", 17) != 0 || d[37] != 0x1a)
        return "not an XM module";
    if (u16(d + 58) != 0x0104 || u32(d + 60) != 276)
        return "unsupported XM version";
    if (n < 336)
        return "truncated XM header";
    uint32_t length = u16(d + 64), channels = u16(d + 68), patterns = u16(d + 70);
    uint32_t instruments = u16(d + 72), bpm = u16(d + 78);
    if (length < 1 || length > 256)
        return "XM song length out of range";
    if (channels < 1 || channels > 64)
        return "XM channel count out of range";
    if (patterns > 256)
        return "more than 256 XM patterns";
    if (instruments > 128)
        return "more than 128 XM instruments";
    // DUMB divides by the tempo and keeps it in a byte: 256 would be 0 and
    // 300 would be 44, so a tempo above 255 plays as fast as DUMB can.
    if (bpm == 0)
        return "XM tempo of 0";
    bool tempo_clamped = bpm > 255, envelopes_clamped = false;
    if (tempo_clamped) {
        copy.assign(d, d + n);
        copy[78] = 255;
        copy[79] = 0;
    }

    size_t p = 336;
    for (uint32_t i = 0; i < patterns; i++) {
        if (n - p < 9)
            return "truncated XM pattern";
        uint32_t rows = u16(d + p + 5), size = u16(d + p + 7);
        if (u32(d + p) != 9 || d[p + 4] != 0)
            return "bad XM pattern header";
        if (rows < 1)
            return "XM pattern of no rows";
        if (size > 1280 * channels)
            return "XM pattern data larger than DUMB reads";
        p += 9;
        if (size > n - p)
            return "truncated XM pattern";
        if (size > 0)
            if (const char *why = pattern_problem(d + p, size, rows, channels))
                return why;
        p += size;
    }

    for (uint32_t i = 0; i < instruments; i++) {
        if (n - p < 29)
            return "truncated XM instrument";
        const unsigned char *ins = d + p;
        uint32_t size = u32(ins), samples = u16(ins + 27);
        if (size < 29 || size > n - p)
            return "bad XM instrument header";
        if (samples == 0) {
            p += size;
            continue;
        }
        if (samples > 16)
            return "XM instrument of more than 16 samples";
        if (size < 243 || u32(ins + 29) != 40)
            return "bad XM instrument header";
        if (ins[235] > 3)
            return "XM vibrato type out of range";
        for (int which = 0; which < 2; which++)
            if (envelope_needs_clamp(ins, which)) {
                if (copy.empty())
                    copy.assign(d, d + n);
                clamp_envelope(copy.data() + p, which);
                envelopes_clamped = true;
            }
        p += size;
        if ((n - p) / 40 < samples)
            return "truncated XM sample header";
        size_t data = 0;
        for (uint32_t s = 0; s < samples; s++) {
            uint32_t len = u32(d + p + 40 * s);
            if (len > max_file_size)
                return "truncated XM sample data";
            data += len;
        }
        p += 40 * samples;
        if (data > n - p)
            return "truncated XM sample data";
        p += data;
    }
    if (tempo_clamped)
        *repaired = envelopes_clamped ? "XM tempo clamped to 255, envelopes to 12 points and level 64"
                                      : "XM tempo clamped to 255";
    else if (envelopes_clamped)
        *repaired = "XM envelopes clamped to 12 points and level 64";
    return nullptr;
}

const char *read_data_file(const char *path, std::vector<unsigned char> &out)
{
    out.clear();
    struct stat st;
    if (stat(path, &st) != 0)
        return "missing";
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    if (st.st_size == 0)
        return "empty";
    if (st.st_size > max_file_size)
        return "too large";
    FILE *fp = fopen(path, "rb");
    if (!fp)
        return "cannot be opened";
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = fread(out.data(), 1, out.size(), fp);
    fclose(fp);
    if (got != out.size())
        return "cannot be read";
    return nullptr;
}
