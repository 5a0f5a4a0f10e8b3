// The sharp scaler: each screen pixel the coverage-weighted blend of the frame pixels it touches.
#include "platform/sharp.h"

#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Weights in fixed point: ONE is a whole screen pixel. A channel is blended
// as (a * 256 * wa >> 16) + (b * 256 * wb >> 16), rounded to 8 bits, which
// is what SSE2's unsigned multiply-high does eight channels at a time; the
// weights' rounding and the two truncations move a channel by under 1/64.
const int SHIFT = 16;
const int ONE = 1 << SHIFT;

// For each screen pixel along one axis: the first of the two source pixels it
// is made of, and the weight of that one (the other gets ONE minus it).
struct Taps {
    std::vector<int> at;
    std::vector<int> weight;
};

// n screen pixels over m source pixels, at a scale of num / den screen
// pixels to one source pixel.
void make_taps(Taps &t, int n, int m, long num, long den)
{
    t.at.resize(size_t(n));
    t.weight.resize(size_t(n));
    for (int X = 0; X < n; X++) {
        // Screen pixel X spans source coordinates X*den/num to (X+1)*den/num.
        int i = int(long(X) * den / num);
        if (i > m - 1)
            i = m - 1;
        long border = long(i + 1) * num;   // source pixel i's far edge, in screen units times den
        int w0 = ONE;
        // Straddling into a pixel that exists: the share up to the border.
        if (border < long(X + 1) * den && i + 1 < m)
            w0 = int(((border - long(X) * den) * ONE + den / 2) / den);
        // Always two pixels that exist, the weight on whichever covers.
        if (i == m - 1) {
            i = m - 2;
            w0 = 0;
        }
        t.at[size_t(X)] = i;
        t.weight[size_t(X)] = w0;
    }
}

// The two weights as 16-bit multipliers: a whole pixel's ONE does not fit,
// and ONE - 1 with 1 for the other still gives it back exactly.
inline int first_of(int w0)
{
    return w0 < ONE ? w0 : ONE - 1;
}
inline int second_of(int w0)
{
    return w0 > 0 ? ONE - first_of(w0) : ONE - 1;
}

// What one size needs, made once per size.
struct Plan {
    int w = 0, h = 0, src_w = 0, src_h = 0;
    Taps cols, rows;
#if defined(__SSE2__)
    // Each column's two weights, four channels each: [w0 x4, w1 x4].
    std::vector<uint16_t> col_weights;
#endif
    // Two scaled source rows, by the source row's parity, and which row each holds.
    std::vector<uint32_t> scaled[2];
    int holds[2] = {-1, -1};
};

Plan plan;

void make_plan(int w, int h, int src_w, int src_h)
{
    if (plan.w == w && plan.h == h && plan.src_w == src_w && plan.src_h == src_h)
        return;
    plan.w = w;
    plan.h = h;
    plan.src_w = src_w;
    plan.src_h = src_h;
    // The smaller of the two axes' scales, kept as a fraction.
    long num = w, den = src_w;
    if (long(h) * src_w < long(w) * src_h) {
        num = h;
        den = src_h;
    }
    make_taps(plan.cols, w, src_w, num, den);
    make_taps(plan.rows, h, src_h, num, den);
#if defined(__SSE2__)
    plan.col_weights.resize(size_t(w) * 8);
    for (size_t X = 0; X < size_t(w); X++)
        for (size_t c = 0; c < 4; c++) {
            plan.col_weights[X * 8 + c] = uint16_t(first_of(plan.cols.weight[X]));
            plan.col_weights[X * 8 + 4 + c] = uint16_t(second_of(plan.cols.weight[X]));
        }
#endif
    for (auto &row : plan.scaled)
        row.assign(size_t(w) + 4, 0);
}

// The blend of two pixels, channel by channel, as the SIMD code does it.
inline uint32_t mix(uint32_t a, uint32_t b, int w0)
{
    uint32_t wa = uint32_t(first_of(w0)), wb = uint32_t(second_of(w0));
    uint32_t out = 0;
    for (int c = 0; c < 32; c += 8) {
        uint32_t v = ((((a >> c) & 0xff) << 8) * wa >> 16) + ((((b >> c) & 0xff) << 8) * wb >> 16);
        out |= ((v + 128) >> 8) << c;
    }
    return out;
}

#if defined(__SSE2__)
// Sums of weighted channels, eight 16-bit lanes of 256 times the value, to bytes.
inline __m128i to_bytes(__m128i lo, __m128i hi)
{
    const __m128i half = _mm_set1_epi16(128);
    return _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(lo, half), 8),
                            _mm_srli_epi16(_mm_add_epi16(hi, half), 8));
}

// Two screen pixels of a scaled row: each from the two source pixels at its tap.
inline __m128i two_taps(const uint32_t *s, int X)
{
    const int *at = plan.cols.at.data();
    const __m128i zero = _mm_setzero_si128();
    const __m128i *w = reinterpret_cast<const __m128i *>(plan.col_weights.data() + size_t(X) * 8);
    __m128i v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(s + at[X])),
                                   _mm_loadl_epi64(reinterpret_cast<const __m128i *>(s + at[X + 1])));
    __m128i ra = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, v), _mm_loadu_si128(w));
    __m128i rb = _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, v), _mm_loadu_si128(w + 1));
    return _mm_add_epi16(_mm_unpacklo_epi64(ra, rb), _mm_unpackhi_epi64(ra, rb));
}
#endif

// Source row s across the screen's width.
void scale_row(const uint32_t *s, uint32_t *d)
{
    int X = 0;
#if defined(__SSE2__)
    for (; X + 4 <= plan.w; X += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + X), to_bytes(two_taps(s, X), two_taps(s, X + 2)));
#endif
    for (; X < plan.w; X++)
        d[X] = mix(s[plan.cols.at[size_t(X)]], s[plan.cols.at[size_t(X)] + 1], plan.cols.weight[size_t(X)]);
}

// A screen row between two scaled rows, w0 of it from a.
void blend_rows(const uint32_t *a, const uint32_t *b, int w0, uint32_t *d)
{
    int X = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i wa = _mm_set1_epi16(short(first_of(w0))), wb = _mm_set1_epi16(short(second_of(w0)));
    for (; X + 4 <= plan.w; X += 4) {
        __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + X));
        __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + X));
        __m128i lo = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(zero, va), wa),
                                   _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, vb), wb));
        __m128i hi = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(zero, va), wa),
                                   _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, vb), wb));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + X), to_bytes(lo, hi));
    }
#endif
    for (; X < plan.w; X++)
        d[X] = mix(a[X], b[X], w0);
}

// Source row r scaled across, made at most once per copy.
const uint32_t *scaled_row(BITMAP *src, int r)
{
    std::vector<uint32_t> &row = plan.scaled[r & 1];
    if (plan.holds[r & 1] != r) {
        scale_row(reinterpret_cast<const uint32_t *>(src->line[r]), row.data());
        plan.holds[r & 1] = r;
    }
    return row.data();
}

} // namespace

void sharp_copy(BITMAP *src, BITMAP *dst, int x, int y, int w, int h)
{
    make_plan(w, h, src->w, src->h);
    plan.holds[0] = plan.holds[1] = -1;
    const size_t row_bytes = size_t(w) * sizeof(uint32_t);
    for (int Y = 0; Y < h; Y++) {
        int r = plan.rows.at[size_t(Y)], wy = plan.rows.weight[size_t(Y)];
        // Each screen line through bmp_write_line, so that the X11 driver
        // learns which lines changed and sends them to the server.
        uint32_t *d = reinterpret_cast<uint32_t *>(bmp_write_line(dst, y + Y)) + x;
        if (wy == ONE)
            memcpy(d, scaled_row(src, r), row_bytes);
        else if (wy == 0)
            memcpy(d, scaled_row(src, r + 1), row_bytes);
        else
            blend_rows(scaled_row(src, r), scaled_row(src, r + 1), wy, d);
        bmp_unwrite_line(dst);
    }
}
