// The two sound effects: a bright rising chime for right (also the menu's tick,
// so it must stay pleasant when repeated) and a soft falling "not quite" for
// wrong, which must never sound like a scolding to a small child.
#include "assets.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int RATE = 22050;

// Fade in over `in` seconds and out over the last `out` seconds, raised-cosine shaped.
double edges(double t, double length, double in, double out)
{
    double a = t < in ? 0.5 - 0.5 * std::cos(M_PI * t / in) : 1.0;
    double left = length - t;
    double b = left < out ? 0.5 - 0.5 * std::cos(M_PI * std::max(0.0, left) / out) : 1.0;
    return a * b;
}

// Scaled so that the loudest sample sits at `peak` of full scale, leaving room for the music beneath.
std::vector<int16_t> normalised(const std::vector<double> &v, double peak_level)
{
    double peak = 1e-9;
    for (double x : v)
        peak = std::max(peak, std::fabs(x));
    std::vector<int16_t> out(v.size());
    for (size_t i = 0; i < v.size(); i++)
        out[i] = static_cast<int16_t>(std::lround(v[i] / peak * peak_level * 32767));
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
    write_wav(out + "/wav/good.wav", RATE, normalised(s, 0.6));
}

void bad_wav()
{
    // "Not quite": two soft wooden notes stepping down a minor third, G4 to E4,
    // the second leaning a little flat as it fades. Kind, and quieter than the chime.
    const double length = 0.44;
    std::vector<double> s(static_cast<size_t>(length * RATE));
    const double starts[2] = {0.0, 0.15};
    const double hz[2] = {392.0, 329.6};
    const double rings[2] = {0.07, 0.11};
    double phase[2] = {0, 0};
    for (size_t i = 0; i < s.size(); i++) {
        double t = static_cast<double>(i) / RATE, v = 0;
        for (int k = 0; k < 2; k++) {
            double u = t - starts[k];
            if (u < 0)
                continue;
            // The second note sags by a quarter tone over its ring.
            double f = hz[k] * (k == 1 ? std::pow(2.0, -0.5 / 12 * std::min(1.0, u / 0.25)) : 1.0);
            phase[k] += f / RATE;
            double body = std::exp(-u / rings[k]) * std::sin(2 * M_PI * phase[k]);
            double warmth = 0.15 * std::exp(-u / (0.6 * rings[k])) * std::sin(4 * M_PI * phase[k]);
            double knock = 0.12 * std::exp(-u / 0.015) * std::sin(2 * M_PI * 3.9 * phase[k]);
            v += (k == 0 ? 0.85 : 1.0) * edges(u, 1e9, 0.006, 0) * (body + warmth + knock);
        }
        s[i] = v * edges(t, length, 0.001, 0.06);
    }
    write_wav(out + "/wav/bad.wav", RATE, normalised(s, 0.34));
}
