// The music's XM modules: their check and in-memory repair, and their decoder into a DUH.
#include "data/xm.h"

#include "data/bytes.h"

#include <cstring>

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

DUH *track_from_bytes(const std::vector<unsigned char> &bytes, const char **why)
{
    std::vector<unsigned char> copy;
    const char *repaired;
    *why = check_xm(bytes.data(), bytes.size(), copy, &repaired);
    if (*why)
        return nullptr;
    // What dumb_load_xm_quick() does, from memory. DUMB copies what it keeps.
    const std::vector<unsigned char> &use = copy.empty() ? bytes : copy;
    DUMBFILE *df = dumbfile_open_memory(reinterpret_cast<const char *>(use.data()),
                                        static_cast<long>(use.size()));
    if (!df) {
        *why = "out of memory";
        return nullptr;
    }
    DUH *d = dumb_read_xm_quick(df);
    dumbfile_close(df);
    *why = d ? repaired : "not a readable XM module";
    return d;
}
