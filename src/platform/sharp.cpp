// The sharp scaler: each screen pixel the coverage-weighted blend of the frame pixels it touches.
#include "platform/sharp.h"

#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Weights in fixed point: ONE is a whole screen pixel. At 14 bits a blend
// of two weighted 8-bit values still fits the signed 16-bit lanes of a
// multiply-add, and the weights' rounding moves a channel by under 1/60.
const int SHIFT = 14;
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

// What one size needs, made once per size.
struct Plan {
    int w = 0, h = 0, src_w = 0, src_h = 0;
    Taps cols, rows;
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
    for (auto &row : plan.scaled)
        row.assign(size_t(w) + 4, 0);
}

// (a * wa + b * wb) / ONE for each channel of two pixels.
inline uint32_t mix(uint32_t a, uint32_t b, int wa)
{
    int wb = ONE - wa;
    uint32_t out = 0;
    for (int c = 0; c < 32; c += 8) {
        int v = (int((a >> c) & 0xff) * wa + int((b >> c) & 0xff) * wb + ONE / 2) >> SHIFT;
        out |= uint32_t(v) << c;
    }
    return out;
}

#if defined(__SSE2__)
// Two pixels' channels side by side as 16-bit pairs [a0 b0 a1 b1 ...], weighted and summed.
inline __m128i weigh(__m128i pairs, __m128i weights)
{
    const __m128i half = _mm_set1_epi32(ONE / 2);
    return _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(pairs, weights), half), SHIFT);
}

inline __m128i weights_of(int w0)
{
    return _mm_set1_epi32(int(uint32_t(w0) | uint32_t(ONE - w0) << 16));
}

// One scaled pixel from the two neighbours at s.
inline __m128i tap(const uint32_t *s, int w0)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i v = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(s)), zero);
    return weigh(_mm_unpacklo_epi16(v, _mm_srli_si128(v, 8)), weights_of(w0));
}
#endif

// Source row s across the screen's width.
void scale_row(const uint32_t *s, uint32_t *d)
{
    const int *at = plan.cols.at.data(), *wt = plan.cols.weight.data();
    int X = 0;
#if defined(__SSE2__)
    for (; X + 2 <= plan.w; X += 2) {
        __m128i two = _mm_packs_epi32(tap(s + at[X], wt[X]), tap(s + at[X + 1], wt[X + 1]));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(d + X), _mm_packus_epi16(two, two));
    }
#endif
    for (; X < plan.w; X++)
        d[X] = mix(s[at[X]], s[at[X] + 1], wt[X]);
}

// A screen row between two scaled rows, wa of it from a.
void blend_rows(const uint32_t *a, const uint32_t *b, int wa, uint32_t *d)
{
    int X = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), weights = weights_of(wa);
    for (; X + 4 <= plan.w; X += 4) {
        __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + X));
        __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + X));
        __m128i lo = _mm_unpacklo_epi8(va, vb), hi = _mm_unpackhi_epi8(va, vb);
        __m128i p0 = weigh(_mm_unpacklo_epi8(lo, zero), weights);
        __m128i p1 = weigh(_mm_unpackhi_epi8(lo, zero), weights);
        __m128i p2 = weigh(_mm_unpacklo_epi8(hi, zero), weights);
        __m128i p3 = weigh(_mm_unpackhi_epi8(hi, zero), weights);
        __m128i out = _mm_packus_epi16(_mm_packs_epi32(p0, p1), _mm_packs_epi32(p2, p3));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + X), out);
    }
#endif
    for (; X < plan.w; X++)
        d[X] = mix(a[X], b[X], wa);
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
