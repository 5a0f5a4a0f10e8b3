// Header and size checks for the four kinds of data file, and reading a file whole.
#include "core/filecheck.h"

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

bool dimensions_ok(long w, long h)
{
    return w >= 1 && h >= 1 && w <= max_image_side && h <= max_image_side &&
           w * h <= max_image_pixels;
}

// Allegro's run-length decoders write where the stream says, with no bounds:
// walk the stream as they do (rows from the bottom, runs, absolute blocks read
// in 2-byte units for 4 bits a pixel, deltas) and hold every pixel inside the
// picture and the stream inside the file, ending before the data runs out.
bool rle_stream_ok(const unsigned char *d, size_t n, size_t p, long w, long h, bool four_bit)
{
    long line = h - 1, pos = 0;
    for (;;) {
        if (n - p < 2)
            return false;
        unsigned count = d[p], val = d[p + 1];
        p += 2;
        if (count > 0) {
            if (pos + count > w)
                return false;
            pos += count;
        } else if (val == 0 || val == 1) {   // end of line, end of picture
            if (val == 1 || --line < 0)
                return true;
            pos = 0;
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
            if (pos + val > w || n - p < bytes)
                return false;
            pos += val;
            p += bytes;
        }
    }
}

} // namespace

// Allegro reads the 14-byte file header, a 40-byte Windows or 12-byte OS/2
// info header, then bfOffBits minus the headers as a palette (it never seeks),
// then the rows. Uncompressed rows must all be in the file; run-length data
// must keep to the picture.
const char *check_bmp(const unsigned char *d, size_t n)
{
    if (n < 26 || d[0] != 'B' || d[1] != 'M')
        return "not a BMP picture";
    uint32_t off = u32(d + 10);
    uint32_t info = u32(d + 14);
    long w, h;
    uint32_t bits, compression = 0, headers, entry;
    if (info == 40) {
        if (n < 54)
            return "truncated BMP header";
        w = s32(d + 18);
        h = s32(d + 22);
        bits = u16(d + 28);
        compression = u32(d + 30);
        // Allegro takes a negative (top-down) height as a size and asks
        // for gigabytes; it never decodes such a picture.
        if (h < 0)
            return "top-down BMP rows";
        headers = 54;
        entry = 4;
    } else if (info == 12) {
        w = u16(d + 18);
        h = u16(d + 20);
        bits = u16(d + 24);
        headers = 26;
        entry = 3;
    } else {
        return "unsupported BMP header";
    }
    if (!dimensions_ok(w, h))
        return "BMP picture size out of range";
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "unsupported BMP pixel depth";
    bool rle = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4) ||
        (compression == 3 && bits != 16 && bits != 32))
        return "unsupported BMP compression";
    if (off < headers || (off - headers) / entry > 256)
        return "bad BMP data offset";
    size_t data_start = compression == 3 ? headers + 12 : off;
    if (rle)
        return data_start <= n && rle_stream_ok(d, n, data_start, w, h, compression == 2)
                   ? nullptr
                   : "bad BMP run-length data";
    size_t row = static_cast<size_t>((w * bits + 31) / 32 * 4);
    if (n < data_start + row * static_cast<size_t>(h))
        return "truncated BMP pixels";
    return nullptr;
}

// Allegro's PCX reader takes 8 bits per pixel in one plane (palette) or three
// (truecolour) and decodes bytes-per-line bytes of each plane for every row.
const char *check_pcx(const unsigned char *d, size_t n)
{
    if (n < 128 || d[0] != 10 || d[2] != 1)
        return "not a PCX picture";
    if (d[3] != 8 || (d[65] != 1 && d[65] != 3))
        return "unsupported PCX pixel depth";
    long xmin = u16(d + 4), ymin = u16(d + 6), xmax = u16(d + 8), ymax = u16(d + 10);
    long w = xmax - xmin + 1, h = ymax - ymin + 1;
    if (!dimensions_ok(w, h))
        return "PCX picture size out of range";
    long bpl = u16(d + 66);
    if (bpl < w || bpl > w + 4)
        return "bad PCX line length";
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
    while (p < n) {
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
            if (u16(body) != 1)
                return "WAV not plain PCM";
            if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16))
                return "unsupported WAV sample format";
            if (rate < 1000 || rate > 192000)
                return "WAV sample rate out of range";
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

// Envelope of an XM instrument: when switched on, 1 to 12 points with rising
// ticks and levels 0..64, and sustain and loop points that name real points.
bool envelope_ok(const unsigned char *points, uint32_t count, uint32_t type,
                 uint32_t sustain, uint32_t loop_start, uint32_t loop_end)
{
    if (count > 12)
        return false;
    if (!(type & 1))
        return true;
    if (count < 1 || sustain >= count || loop_start >= count || loop_end >= count)
        return false;
    for (uint32_t i = 0; i < count; i++) {
        if (u16(points + 4 * i + 2) > 64)
            return false;
        if (i > 0 && u16(points + 4 * i) <= u16(points + 4 * (i - 1)))
            return false;
    }
    return true;
}

// One packed pattern: exactly rows x channels cells in size bytes.
bool pattern_cells_ok(const unsigned char *p, size_t size, uint32_t rows, uint32_t channels)
{
    size_t i = 0;
    for (uint32_t cell = 0; cell < rows * channels; cell++) {
        if (i >= size)
            return false;
        unsigned mask = 0x1f;
        if (p[i] & 0x80)
            mask = p[i++] & 0x1f;
        if (mask & 1) {   // note
            if (i >= size || p[i] > 97)
                return false;
            i++;
        }
        for (unsigned bit = 2; bit <= 16; bit <<= 1)
            if (mask & bit) {
                if (i >= size)
                    return false;
                i++;
            }
    }
    return i == size;
}

} // namespace

// Walks the whole module as DUMB reads it: header, every pattern, every
// instrument with its sample headers and sample data, all inside the file.
const char *check_xm(const unsigned char *d, size_t n)
{
    if (n < 80 || memcmp(d, "Extended Module: ", 17) != 0 || d[37] != 0x1a)
        return "not an XM module";
    if (u16(d + 58) != 0x0104 || u32(d + 60) != 276)
        return "unsupported XM version";
    if (n < 336)
        return "truncated XM header";
    uint32_t length = u16(d + 64), channels = u16(d + 68), patterns = u16(d + 70);
    uint32_t instruments = u16(d + 72), speed = u16(d + 76), bpm = u16(d + 78);
    if (length < 1 || length > 256 || channels < 1 || channels > 64 || patterns > 256 ||
        instruments > 128)
        return "XM header out of range";
    if (speed > 31 || bpm < 32 || bpm > 255)
        return "XM tempo out of range";

    size_t p = 336;
    for (uint32_t i = 0; i < patterns; i++) {
        if (n - p < 9)
            return "truncated XM pattern";
        uint32_t rows = u16(d + p + 5), size = u16(d + p + 7);
        if (u32(d + p) != 9 || d[p + 4] != 0 || rows < 1 || rows > 256)
            return "bad XM pattern header";
        p += 9;
        if (size > n - p)
            return "truncated XM pattern";
        if (size > 0 && !pattern_cells_ok(d + p, size, rows, channels))
            return "bad XM pattern data";
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
        if (samples > 16 || size < 243 || u32(ins + 29) != 40)
            return "bad XM instrument header";
        for (int k = 0; k < 96; k++)
            if (ins[33 + k] >= samples)
                return "bad XM sample map";
        if (!envelope_ok(ins + 129, ins[225], ins[233], ins[227], ins[228], ins[229]) ||
            !envelope_ok(ins + 177, ins[226], ins[234], ins[230], ins[231], ins[232]))
            return "bad XM envelope";
        if (ins[235] > 3 || ins[237] > 15 || ins[238] > 63 || u16(ins + 239) > 0xfff)
            return "bad XM vibrato";
        p += size;
        if ((n - p) / 40 < samples)
            return "truncated XM sample header";
        size_t data = 0;
        for (uint32_t s = 0; s < samples; s++) {
            const unsigned char *h = d + p + 40 * s;
            uint32_t len = u32(h);
            if (h[12] > 64 || (h[14] & 3) == 3 || len > max_file_size)
                return "bad XM sample header";
            data += len;
        }
        p += 40 * samples;
        if (data > n - p)
            return "truncated XM sample data";
        p += data;
    }
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
