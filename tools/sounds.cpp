// The two sound effects: a bright chime for right, a low buzz for wrong.
#include "assets.h"

#include <cmath>
#include <vector>

namespace {

const int RATE = 22050;

// Short ramps at both ends keep the effects from clicking.
int16_t shaped(double v, int i, int n)
{
    double ramp = std::fmin(1.0, std::fmin(i / 100.0, (n - 1 - i) / 400.0));
    return static_cast<int16_t>(std::lround(v * ramp * 20000.0));
}

} // namespace

void good_wav()
{
    int n = RATE * 3 / 10;
    std::vector<int16_t> s(static_cast<size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; i++) {
        phase += 2 * M_PI * (660.0 + 660.0 * i / n) / RATE;
        s[i] = shaped(std::sin(phase), i, n);
    }
    write_wav(out + "/wav/good.wav", RATE, s);
}

void bad_wav()
{
    int n = RATE * 3 / 10;
    std::vector<int16_t> s(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / RATE;
        s[i] = shaped(0.6 * std::sin(2 * M_PI * 110 * t) + 0.3 * std::sin(2 * M_PI * 220 * t), i, n);
    }
    write_wav(out + "/wav/bad.wav", RATE, s);
}
