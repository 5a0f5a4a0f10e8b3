// The sharp scaler: each screen pixel the coverage-weighted blend of the frame pixels it touches.
#include "platform/sharp.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#define SHARP_AVX2 1
#endif

bool sharp_avx2 =
#if defined(SHARP_AVX2)
    // Asked before main(): the processor's features must be read first.
    [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
#else
    false;
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
inline int first_of(int w0) { return w0 < ONE ? w0 : ONE - 1; }
inline int second_of(int w0) { return w0 > 0 ? ONE - first_of(w0) : ONE - 1; }

// What one size needs, made once per size.
struct Plan {
    int w = 0, h = 0, src_w = 0, src_h = 0;
    Taps cols, rows;
    // Each column's two weights, four channels each: [w0 x4, w1 x4]; and the
    // same, each four columns in the order AVX2's lanes take them: 0, 2, 1, 3.
    std::vector<uint16_t> col_weights, lane_weights;
    // Two scaled source rows, by the source row's parity, and which row each holds.
    std::vector<uint32_t> scaled[2];
    int holds[2] = {-1, -1};
};

Plan plan;

void make_plan(int w, int h, int src_w, int src_h)
{
    if (plan.w == w && plan.h == h && plan.src_w == src_w && plan.src_h == src_h)
        return;
    plan.w = w, plan.h = h, plan.src_w = src_w, plan.src_h = src_h;
    // The smaller of the two axes' scales, kept as a fraction.
    long num = w, den = src_w;
    if (long(h) * src_w < long(w) * src_h) {
        num = h;
        den = src_h;
    }
    make_taps(plan.cols, w, src_w, num, den);
    make_taps(plan.rows, h, src_h, num, den);
    plan.col_weights.resize(size_t(w) * 8);
    for (size_t X = 0; X < size_t(w); X++)
        for (size_t c = 0; c < 4; c++) {
            plan.col_weights[X * 8 + c] = uint16_t(first_of(plan.cols.weight[X]));
            plan.col_weights[X * 8 + 4 + c] = uint16_t(second_of(plan.cols.weight[X]));
        }
    plan.lane_weights.assign(plan.col_weights.size(), 0);
    for (size_t X = 0; X < size_t(w) / 4 * 4; X++) {
        static const size_t lane_of[4] = {0, 2, 1, 3};
        size_t to = (X / 4 * 4 + lane_of[X % 4]) * 8;
        std::copy(&plan.col_weights[X * 8], &plan.col_weights[X * 8] + 8, &plan.lane_weights[to]);
    }
    for (auto &row : plan.scaled)
        row.assign(size_t(w) + 8, 0);
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

// Two screen pixels of a scaled row, each from the two source pixels at its
// tap (at), with its weights (w: the first's four channels, the second's).
inline __m128i two_taps(const uint32_t *s, const int *at, const uint16_t *w)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i v = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(s + at[0])),
                                   _mm_loadl_epi64(reinterpret_cast<const __m128i *>(s + at[1])));
    __m128i ra = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, v), _mm_loadu_si128(reinterpret_cast<const __m128i *>(w)));
    __m128i rb =
        _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, v), _mm_loadu_si128(reinterpret_cast<const __m128i *>(w + 8)));
    return _mm_add_epi16(_mm_unpacklo_epi64(ra, rb), _mm_unpackhi_epi64(ra, rb));
}
#endif

// Source row s across the screen's width.
void scale_row(const uint32_t *s, uint32_t *d)
{
    // Kept in locals: the stores to d could otherwise be any of them.
    const int n = plan.w;
    const int *at = plan.cols.at.data(), *weight = plan.cols.weight.data();
    int X = 0;
#if defined(__SSE2__)
    const uint16_t *w = plan.col_weights.data();
    for (; X + 4 <= n; X += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + X),
                         to_bytes(two_taps(s, at + X, w + 8 * X), two_taps(s, at + X + 2, w + 8 * X + 16)));
#endif
    for (; X < n; X++)
        d[X] = mix(s[at[X]], s[at[X] + 1], weight[X]);
}

// A screen row between two scaled rows, w0 of it from a.
void blend_rows(const uint32_t *a, const uint32_t *b, int w0, uint32_t *d)
{
    const int n = plan.w;
    int X = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i wa = _mm_set1_epi16(short(first_of(w0))), wb = _mm_set1_epi16(short(second_of(w0)));
    for (; X + 4 <= n; X += 4) {
        __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i *>(a + X));
        __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + X));
        __m128i lo = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(zero, va), wa),
                                   _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, vb), wb));
        __m128i hi = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(zero, va), wa),
                                   _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, vb), wb));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(d + X), to_bytes(lo, hi));
    }
#endif
    for (; X < n; X++)
        d[X] = mix(a[X], b[X], w0);
}

#if defined(SHARP_AVX2)
// The same two, eight pixels at a time, where the processor has AVX2.
__attribute__((target("avx2"))) inline __m256i bytes_of(__m256i lo, __m256i hi)
{
    const __m256i half = _mm256_set1_epi16(128);
    return _mm256_packus_epi16(_mm256_srli_epi16(_mm256_add_epi16(lo, half), 8),
                               _mm256_srli_epi16(_mm256_add_epi16(hi, half), 8));
}

__attribute__((target("avx2"))) inline long long pair_at(const uint32_t *p)
{
    long long v;
    memcpy(&v, p, sizeof v);
    return v;
}

// Four screen pixels, as [X, X+1 | X+2, X+3] in 16-bit sums.
__attribute__((target("avx2"))) inline __m256i four_taps(const uint32_t *s, const int *at, const uint16_t *w)
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i v = _mm256_set_epi64x(pair_at(s + at[3]), pair_at(s + at[2]), pair_at(s + at[1]), pair_at(s + at[0]));
    __m256i ra = _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, v),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i *>(w)));
    __m256i rb = _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, v),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i *>(w + 16)));
    return _mm256_add_epi16(_mm256_unpacklo_epi64(ra, rb), _mm256_unpackhi_epi64(ra, rb));
}

__attribute__((target("avx2"))) void scale_row_avx2(const uint32_t *s, uint32_t *d)
{
    const int n = plan.w;
    const int *at = plan.cols.at.data(), *weight = plan.cols.weight.data();
    const uint16_t *w = plan.lane_weights.data();
    int X = 0;
    for (; X + 8 <= n; X += 8) {
        __m256i b = bytes_of(four_taps(s, at + X, w + 8 * X), four_taps(s, at + X + 4, w + 8 * X + 32));
        // The packing left the pixels as 0 1 4 5 | 2 3 6 7.
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + X), _mm256_permute4x64_epi64(b, 0xd8));
    }
    for (; X < n; X++)
        d[X] = mix(s[at[X]], s[at[X] + 1], weight[X]);
}

__attribute__((target("avx2"))) void blend_rows_avx2(const uint32_t *a, const uint32_t *b, int w0, uint32_t *d)
{
    const int n = plan.w;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i wa = _mm256_set1_epi16(short(first_of(w0))), wb = _mm256_set1_epi16(short(second_of(w0)));
    int X = 0;
    for (; X + 8 <= n; X += 8) {
        __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(a + X));
        __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + X));
        __m256i lo = _mm256_add_epi16(_mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, va), wa),
                                      _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, vb), wb));
        __m256i hi = _mm256_add_epi16(_mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, va), wa),
                                      _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, vb), wb));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + X), bytes_of(lo, hi));
    }
    for (; X < n; X++)
        d[X] = mix(a[X], b[X], w0);
}
#endif

// Source row r scaled across, made at most once per copy.
const uint32_t *scaled_row(BITMAP *src, int r)
{
    std::vector<uint32_t> &row = plan.scaled[r & 1];
    if (plan.holds[r & 1] != r) {
        const uint32_t *s = reinterpret_cast<const uint32_t *>(src->line[r]);
#if defined(SHARP_AVX2)
        if (sharp_avx2)
            scale_row_avx2(s, row.data());
        else
#endif
            scale_row(s, row.data());
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
#if defined(SHARP_AVX2)
        else if (sharp_avx2)
            blend_rows_avx2(scaled_row(src, r), scaled_row(src, r + 1), wy, d);
#endif
        else
            blend_rows(scaled_row(src, r), scaled_row(src, r + 1), wy, d);
        bmp_unwrite_line(dst);
    }
}
