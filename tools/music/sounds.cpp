// The two sound effects: a bright rising chime for right (also the menu's tick,
// so it must stay pleasant when repeated) and a soft falling "not quite" for
// wrong, which must never sound like a scolding to a small child.
#include "music/sounds.h"

#include "common/output.h"
#include "music/instruments.h"

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

// A small bell, struck: the partials of a free bar (1, 2.76, 5.40 times the
// note), the upper ones dying first, and a second fundamental a few hertz
// apart that makes the ring shimmer as it fades. The effects are played by
// the sample mixer at their own 22050 Hz, not through the 11 kHz music stream,
// so partials up to 8.8 kHz are carried cleanly.
double bell(double t, double f)
{
    if (t < 0)
        return 0;
    return edges(t, 1e9, 0.002, 0) *
           (std::exp(-t / 0.19) * (std::sin(2 * M_PI * f * t) + 0.22 * std::sin(2 * M_PI * (f + 3.5) * t)) +
            0.42 * std::exp(-t / 0.07) * std::sin(2 * M_PI * 2.76 * f * t) +
            0.12 * std::exp(-t / 0.022) * std::sin(2 * M_PI * 5.40 * f * t));
}

} // namespace

void good_wav()
{
    // C6, E6, G6 in quick succession: a major arpeggio that lifts, left to ring out.
    const double length = 0.85;
    const double starts[3] = {0.0, 0.06, 0.12};
    const double hz[3] = {1046.5, 1318.5, 1568.0};
    std::vector<double> s(static_cast<size_t>(length * RATE));
    for (size_t i = 0; i < s.size(); i++) {
        double t = static_cast<double>(i) / RATE, v = 0;
        for (int k = 0; k < 3; k++)
            v += (k == 2 ? 1.0 : 0.75) * bell(t - starts[k], hz[k]);
        // By the end the ring has died away by itself; the last moment only closes it.
        s[i] = v * edges(t, length, 0.001, 0.08);
    }
    write_wav(out + "/wav/good.wav", RATE, normalised(s, 0.78));
}

void bad_wav()
{
    // "Not quite": two soft wooden notes stepping down a minor third, B4 to G#4,
    // the second leaning a little flat as it fades. They sit above the busy
    // middle of the level music, and a knock at three times the note, where a
    // struck bar of wood has it, lets them through; kind, and quieter than the chime.
    const double length = 0.56;
    std::vector<double> s(static_cast<size_t>(length * RATE));
    const double starts[2] = {0.0, 0.15};
    const double hz[2] = {493.9, 415.3};
    const double rings[2] = {0.065, 0.085};
    double phase[2] = {0, 0};
    Noise tap(5);
    LowPass soft(2200, RATE), softer(2200, RATE);
    HighPass thin(800, RATE);
    for (size_t i = 0; i < s.size(); i++) {
        double t = static_cast<double>(i) / RATE, v = 0;
        double rustle = thin(softer(soft(tap.next())));
        for (int k = 0; k < 2; k++) {
            double u = t - starts[k];
            if (u < 0)
                continue;
            // The second note sags by a sixth of a tone over its ring.
            double f = hz[k] * (k == 1 ? std::pow(2.0, -0.33 / 12 * std::min(1.0, u / 0.25)) : 1.0);
            phase[k] += f / RATE;
            double body = std::exp(-u / rings[k]) * std::sin(2 * M_PI * phase[k]);
            double warmth = 0.55 * std::exp(-u / (0.7 * rings[k])) * std::sin(4 * M_PI * phase[k]);
            double knock = 0.9 * std::exp(-u / 0.032) * std::sin(2 * M_PI * 3 * phase[k]);
            double touch = 0.25 * std::exp(-u / 0.006) * rustle;
            v += (k == 0 ? 0.85 : 1.0) * edges(u, 1e9, 0.005, 0) * (body + warmth + knock + touch);
        }
        s[i] = v * edges(t, length, 0.001, 0.06);
    }
    write_wav(out + "/wav/bad.wav", RATE, normalised(s, 0.475));
}
