// The two sound effects: a bright rising chime for right (also the menu's tick,
// so it must stay pleasant when repeated) and a low falling buzz for wrong.
#include "assets.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int RATE = 22050;
const double PEAK = 0.6 * 32767;   // room under full scale for the music beneath

// Fade in over `in` seconds and out over the last `out` seconds, raised-cosine shaped.
double edges(double t, double length, double in, double out)
{
    double a = t < in ? 0.5 - 0.5 * std::cos(M_PI * t / in) : 1.0;
    double left = length - t;
    double b = left < out ? 0.5 - 0.5 * std::cos(M_PI * std::max(0.0, left) / out) : 1.0;
    return a * b;
}

std::vector<int16_t> normalised(const std::vector<double> &v)
{
    double peak = 1e-9;
    for (double x : v)
        peak = std::max(peak, std::fabs(x));
    std::vector<int16_t> out(v.size());
    for (size_t i = 0; i < v.size(); i++)
        out[i] = static_cast<int16_t>(std::lround(v[i] / peak * PEAK));
    return out;
}

// A small bell: a few harmonic partials, the upper ones dying first.
double bell(double t, double f)
{
    if (t < 0)
        return 0;
    return edges(t, 1e9, 0.003, 0) *
           (std::exp(-t / 0.16) * std::sin(2 * M_PI * f * t) +
            0.25 * std::exp(-t / 0.07) * std::sin(2 * M_PI * 2 * f * t) +
            0.08 * std::exp(-t / 0.04) * std::sin(2 * M_PI * 3 * f * t));
}

} // namespace

void good_wav()
{
    // C6, E6, G6 in quick succession: a major arpeggio that lifts.
    const double length = 0.36;
    const double starts[3] = {0.0, 0.055, 0.11};
    const double hz[3] = {1046.5, 1318.5, 1568.0};
    std::vector<double> s(static_cast<size_t>(length * RATE));
    for (size_t i = 0; i < s.size(); i++) {
        double t = static_cast<double>(i) / RATE, v = 0;
        for (int k = 0; k < 3; k++)
            v += (k == 2 ? 1.0 : 0.8) * bell(t - starts[k], hz[k]);
        s[i] = v * edges(t, length, 0.001, 0.06);
    }
    write_wav(out + "/wav/good.wav", RATE, normalised(s));
}

void bad_wav()
{
    // Two saws a little apart, sliding down a whole tone: a low grumble, not a screech.
    const double length = 0.38;
    std::vector<double> s(static_cast<size_t>(length * RATE));
    double phase[2] = {0, 0};
    const double detune[2] = {1.0, 1.013};
    for (size_t i = 0; i < s.size(); i++) {
        double t = static_cast<double>(i) / RATE;
        double f = 98.0 * std::pow(2.0, -2.0 / 12 * std::min(1.0, t / length));
        double v = 0;
        for (int k = 0; k < 2; k++) {
            phase[k] += f * detune[k] / RATE;
            for (int h = 1; h * f * detune[k] < 2500; h++)
                v += std::sin(2 * M_PI * h * phase[k]) / h * std::exp(-0.08 * h);
        }
        s[i] = v * edges(t, length, 0.006, 0.08);
    }
    write_wav(out + "/wav/bad.wav", RATE, normalised(s));
}
