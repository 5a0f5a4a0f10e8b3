// Just enough spectral analysis for the audio tests: an FFT, band energies, a peak finder.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

// In-place radix-2 FFT; the size must be a power of two.
inline void fft(std::vector<std::complex<double>> &a)
{
    size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; i++) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> w(std::cos(-2 * M_PI / len), std::sin(-2 * M_PI / len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> u(1, 0);
            for (size_t k = 0; k < len / 2; k++) {
                std::complex<double> x = a[i + k], y = a[i + k + len / 2] * u;
                a[i + k] = x + y;
                a[i + k + len / 2] = x - y;
                u *= w;
            }
        }
    }
}

// Power spectrum of n samples from `at`, Hann-windowed; bin k is k * rate / n Hz.
inline std::vector<double> power(const std::vector<double> &s, size_t at, size_t n)
{
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < n && at + i < s.size(); i++)
        a[i] = s[at + i] * (0.5 - 0.5 * std::cos(2 * M_PI * i / n));
    fft(a);
    std::vector<double> p(n / 2);
    for (size_t k = 0; k < n / 2; k++)
        p[k] = std::norm(a[k]);
    return p;
}

// Share of the signal's energy between lo and hi Hz, over 4096-sample frames.
inline double band_energy_fraction(const std::vector<double> &s, int rate, double lo, double hi)
{
    const size_t n = 4096;
    double band = 0, total = 1e-30;
    for (size_t at = 0; at + n <= s.size(); at += n) {
        std::vector<double> p = power(s, at, n);
        for (size_t k = 1; k < p.size(); k++) {
            double hz = static_cast<double>(k) * rate / n;
            total += p[k];
            if (hz >= lo && hz <= hi)
                band += p[k];
        }
    }
    return band / total;
}

// Share of a short sound's energy between lo and hi Hz, taken over the whole
// sound at once (zero-padded, no window), so that no attack falls between frames.
inline double short_band_fraction(const std::vector<double> &s, int rate, double lo, double hi)
{
    size_t n = 1;
    while (n < s.size())
        n <<= 1;
    std::vector<std::complex<double>> a(s.begin(), s.end());
    a.resize(n);
    fft(a);
    double band = 0, total = 1e-30;
    for (size_t k = 1; k < n / 2; k++) {
        double hz = static_cast<double>(k) * rate / n, e = std::norm(a[k]);
        total += e;
        if (hz >= lo && hz <= hi)
            band += e;
    }
    return band / total;
}

// The strongest frequency between lo and hi Hz, refined between bins.
inline double peak_hz(const std::vector<double> &p, int rate, size_t n, double lo, double hi, double *level = nullptr)
{
    size_t a = static_cast<size_t>(lo * n / rate), b = static_cast<size_t>(hi * n / rate) + 1, best = a;
    for (size_t k = a; k <= b && k + 1 < p.size(); k++)
        if (p[k] > p[best])
            best = k;
    if (level)
        *level = p[best];
    if (best == 0 || best + 1 >= p.size())
        return static_cast<double>(best) * rate / n;
    double l = std::log(p[best - 1] + 1e-30), c = std::log(p[best] + 1e-30), r = std::log(p[best + 1] + 1e-30);
    double shift = 0.5 * (l - r) / (l - 2 * c + r);
    return (static_cast<double>(best) + shift) * rate / n;
}
