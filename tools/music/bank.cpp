// The instruments of the four songs: recipes of harmonics, decays and filtered noise.
#include "music/bank.h"

#include "music/instruments.h"

#include <cmath>

namespace {

double decay(double t, double seconds) { return std::exp(-t / seconds); }

// A quick rise so struck sounds start without a step.
double onset(double t, double seconds) { return t >= seconds ? 1.0 : std::sin(M_PI / 2 * t / seconds); }

// Sum of partials (ratio, level, decay seconds) that stay under the limit.
struct Partial {
    double ratio, level, seconds;
};
double partials(const std::vector<Partial> &ps, double t, double f, double limit)
{
    double v = 0;
    for (const Partial &p : ps)
        if (p.ratio * f < limit)
            v += p.level * decay(t, p.seconds) * std::sin(2 * M_PI * p.ratio * f * t);
    return v;
}

// Auto-vibrato at `hz`, fading in over `sweep_ms`.
void vibrato(XmInstrument &ins, int bpm, double hz, int depth, double sweep_ms)
{
    double ticks_per_second = bpm / 2.5;
    ins.vibrato_rate = static_cast<int>(std::lround(hz * 256 / ticks_per_second));
    ins.vibrato_depth = depth;
    ins.vibrato_sweep = static_cast<int>(std::lround(sweep_ms / 1000 * ticks_per_second));
}

const double RATE = 11000;   // drums are made at the stream's rate

// Noise band-passed between lo and hi Hz: two poles below, three above, so
// little is left near the top of the 11 kHz stream.
std::function<double()> band_noise(uint32_t seed, double lo, double hi)
{
    Noise n(seed);
    HighPass h1(lo, RATE), h2(lo, RATE);
    LowPass l1(hi, RATE), l2(hi, RATE), l3(hi, RATE);
    return [=]() mutable { return l3(l2(l1(h2(h1(n.next()))))); };
}

// The ring of struck metal: partials at no simple ratio to each other, each
// dying at its own rate, paired a few hertz apart so that they shimmer.
struct Metal {
    std::vector<double> hz;
    double seconds;   // decay of the lowest; the higher ones die sooner
};
double metal(const Metal &m, double t)
{
    double v = 0;
    for (size_t i = 0; i < m.hz.size(); i++) {
        double f = m.hz[i], fade = decay(t, m.seconds * std::pow(m.hz[0] / f, 0.7));
        v += fade * (std::sin(2 * M_PI * f * t + i) + 0.5 * std::sin(2 * M_PI * (f + 3.1 + i) * t));
    }
    return v / static_cast<double>(m.hz.size());
}

} // namespace

XmInstrument flute(int bpm, int low, int high, int panning)
{
    // Nearly a sine, with breath through it and a puff as each note speaks; the
    // player's vibrato moves the pitch and, more, the loudness of the overtones.
    Tone t;
    t.amp = [](int h, double) { return h == 1 ? 1.0 : h == 2 ? 0.3 : h == 3 ? 0.12 : h == 4 ? 0.05 : h == 5 ? 0.02 : 0.0; };
    t.loop_seconds = 0.4;
    t.vibrato_hz = 5;
    t.vibrato_cents = 9;
    t.shimmer = 0.35;
    t.shimmer_hz = 5;
    t.breath = 0.035;
    t.breath_hz = 2200;
    t.chiff = 0.35;
    XmInstrument ins = sustained("flute", bpm, t, held_envelope(60, 250, 50, 180), low, high, panning);
    vibrato(ins, bpm, 5.0, 3, 600);
    return ins;
}

XmInstrument brass(int bpm, int low, int high, int panning)
{
    // A section of horns: the overtones bloom after the note starts, and three
    // players a little apart in pitch make the sound broad.
    Tone t;
    t.amp = [](int h, double) { return 1.0 / h * std::exp(-0.15 * (h - 1)) * (h == 2 || h == 3 ? 1.3 : 1.0); };
    t.loop_seconds = 0.4;
    t.voices = 3;
    t.detune_cents = 6;
    t.side_level = 0.45;
    t.vibrato_hz = 5;
    t.vibrato_cents = 5;
    t.shimmer = 0.25;
    t.bloom = 0.07;
    t.breath = 0.01;
    XmInstrument ins = sustained("brass", bpm, t, held_envelope(30, 220, 46, 120), low, high, panning);
    vibrato(ins, bpm, 5.5, 3, 500);
    return ins;
}

XmInstrument clarinet(int bpm, int low, int high, int panning)
{
    // Hollow: the odd harmonics carry it, the even ones barely sound.
    Tone t;
    t.amp = [](int h, double) { return (h % 2 ? 1.0 : 0.12) / h * std::exp(-0.05 * (h - 1)); };
    t.loop_seconds = 0.35;
    t.shimmer = 0.2;
    t.shimmer_hz = 2.9;
    t.vibrato_hz = 5.7;
    t.vibrato_cents = 3;
    t.breath = 0.02;
    t.breath_hz = 1800;
    t.chiff = 0.2;
    // Tongued: an accent that settles, held as long as the note lasts.
    return sustained("clarinet", bpm, t, held_envelope(12, 300, 40, 70), low, high, panning);
}

XmInstrument oboe(int bpm, int low, int high, int panning)
{
    // Nasal: the partials near 1.2 kHz stand out whatever the note.
    Tone t;
    t.amp = [](int h, double hz) { return (0.3 + std::exp(-std::pow((hz - 1200) / 700, 2))) / std::sqrt(h); };
    t.loop_seconds = 0.35;
    t.vibrato_hz = 5.7;
    t.vibrato_cents = 6;
    t.shimmer = 0.3;
    t.breath = 0.015;
    t.chiff = 0.1;
    return sustained("oboe", bpm, t, held_envelope(15, 300, 42, 90), low, high, panning);
}

XmInstrument organ(int bpm, int low, int high, int panning)
{
    // Drawbars at the octave, twelfth and two octaves, turning through a rotating speaker.
    Tone t;
    t.amp = [](int h, double) { return h == 1 ? 1.0 : h == 2 ? 0.7 : h == 3 ? 0.45 : h == 4 ? 0.3 : h == 6 ? 0.15 : h == 8 ? 0.1 : 0.0; };
    t.loop_seconds = 0.5;
    t.vibrato_hz = 6;
    t.vibrato_cents = 4;
    t.shimmer = 0.45;
    t.shimmer_hz = 6;
    return sustained("organ", bpm, t, pluck_envelope(110), low, high, panning);
}

XmInstrument strings(int bpm, int low, int high, int panning)
{
    // A small section: three players apart in pitch, bow noise, the overtones
    // coming in as the bow bites, a slow vibrato.
    Tone t;
    t.amp = [](int h, double) { return 1.0 / h * std::exp(-0.13 * (h - 1)); };
    t.loop_seconds = 0.6;
    t.voices = 3;
    t.detune_cents = 10;
    t.side_level = 0.6;
    t.vibrato_hz = 5;
    t.vibrato_cents = 8;
    t.shimmer = 0.3;
    t.bloom = 0.12;
    t.breath = 0.012;
    t.breath_hz = 2600;
    return sustained("strings", bpm, t, held_envelope(260, 300, 52, 450), low, high, panning);
}

XmInstrument cello(int bpm, int low, int high)
{
    // Low and bowed: warm partials, a little bow noise, a slow vibrato.
    Tone t;
    t.amp = [](int h, double) { return std::pow(h, -1.4) * (h == 3 || h == 4 ? 1.3 : 1.0) * (h <= 14 ? 1.0 : 0.0); };
    t.loop_seconds = 0.6;
    t.vibrato_hz = 5;
    t.vibrato_cents = 7;
    t.shimmer = 0.25;
    t.bloom = 0.08;
    t.breath = 0.01;
    t.breath_hz = 1500;
    return sustained("cello", bpm, t, held_envelope(40, 700, 40, 220), low, high);
}

XmInstrument plucked_bass(int bpm, int low, int high)
{
    // Rubbery and round for a cheeky tune: the note springs in a little sharp and
    // drops into place, and its overtones close down at once like a filter
    // snapping shut, leaving a round hum.
    Voice v = [](double t, double f, double limit) {
        // 2.5 % sharp at the start, falling back over 25 ms: the phase runs ahead by the integral.
        double at = t + 0.025 * 0.025 * (1 - decay(t, 0.025));
        double v = 0;
        for (int h = 1; h <= 10; h++)
            if (h * f * 1.025 < limit)
                v += std::pow(h, -1.3) * decay(t, 0.9 / std::pow(h, 1.3)) * std::sin(2 * M_PI * h * f * at);
        return onset(t, 0.003) * v;
    };
    return struck("plucked bass", bpm, v, 1.6, held_envelope(0, 0, 64, 90), low, high);
}

XmInstrument picked_bass(int bpm, int low, int high)
{
    // An electric bass played with a pick near the bridge: the pick's position
    // hollows out every fifth-or-so overtone, the edge is bright and dies fast,
    // and the round body under it keeps on for the whole note, pushing eighths along.
    Voice v = [](double t, double f, double limit) {
        std::vector<Partial> ps;
        for (int h = 1; h <= 24; h++) {
            double comb = std::fabs(std::sin(M_PI * h * 0.18));
            ps.push_back({static_cast<double>(h), std::pow(h, -0.9) * (0.25 + comb), 1.5 / std::pow(h, 1.2)});
        }
        return onset(t, 0.0015) * partials(ps, t, f, limit);
    };
    return struck("picked bass", bpm, v, 1.8, held_envelope(0, 0, 64, 70), low, high);
}

XmInstrument music_box(int bpm, int low, int high, int panning)
{
    Voice v = [](double t, double f, double limit) {
        return onset(t, 0.002) *
               partials({{1, 1.0, 0.9}, {2, 0.12, 0.4}, {3, 0.18, 0.25}, {5.4, 0.1, 0.08}}, t, f, limit);
    };
    return struck("music box", bpm, v, 2.6, held_envelope(0, 0, 64, 250), low, high, panning);
}

XmInstrument harp(int bpm, int low, int high, int panning)
{
    Voice v = [](double t, double f, double limit) {
        std::vector<Partial> ps;
        for (int h = 1; h <= 12; h++)
            ps.push_back({static_cast<double>(h), 1.0 / (h * h) * (h == 1 ? 1.0 : 1.6), 1.1 / h});
        return onset(t, 0.003) * partials(ps, t, f, limit);
    };
    return struck("harp", bpm, v, 2.0, held_envelope(0, 0, 64, 300), low, high, panning);
}

XmInstrument vibes(int bpm, int low, int high, int panning)
{
    Voice v = [](double t, double f, double limit) {
        double tremolo = 1 - 0.18 * (1 - std::cos(2 * M_PI * 5.2 * t));
        return onset(t, 0.002) * tremolo *
               partials({{1, 1.0, 1.3}, {4, 0.28, 0.25}, {10, 0.05, 0.04}}, t, f, limit);
    };
    return struck("vibes", bpm, v, 2.6, held_envelope(0, 0, 64, 200), low, high, panning);
}

XmInstrument electric_piano(int bpm, int low, int high, int panning)
{
    Voice v = [](double t, double f, double limit) {
        return onset(t, 0.003) * partials({{1, 1.0, 1.2}, {2, 0.3, 0.5}, {3, 0.08, 0.3}, {7, 0.04, 0.05}}, t, f, limit);
    };
    return struck("electric piano", bpm, v, 2.2, held_envelope(0, 0, 64, 160), low, high, panning);
}

XmInstrument pizzicato_bass(int bpm, int low, int high)
{
    // An upright bass plucked with the finger: a stiff string whose overtones run
    // a little sharp, a hollow wooden body that favours what lies near 250 Hz,
    // and the finger's soft thud as it lets go.
    Voice v = [](double t, double f, double limit) {
        double x = 0;
        for (int h = 1; h <= 14; h++) {
            double hz = h * f * std::sqrt(1 + 0.0003 * h * h);
            if (hz >= limit)
                break;
            double body = 1 + 0.9 * std::exp(-std::pow(std::log2(hz / 250), 2) / 0.5);
            x += body * std::pow(h, -1.5) * decay(t, 1.1 / h) * std::sin(2 * M_PI * hz * t);
        }
        double thud = 0.3 * decay(t, 0.012) * std::sin(2 * M_PI * 90 * t + 6 * decay(t, 0.01));
        return onset(t, 0.005) * (x + thud);
    };
    return struck("pizzicato bass", bpm, v, 1.8, held_envelope(0, 0, 64, 120), low, high);
}

XmInstrument kick(int bpm, double punch)
{
    Noise n(7);
    LowPass click(1800, RATE);
    return drum("kick", bpm, [=](double t) mutable {
        double phase = 2 * M_PI * (44 * t + punch * 90 * 0.035 * (1 - std::exp(-t / 0.035)));
        return onset(t, 0.001) * (decay(t, 0.18) * std::sin(phase) + 0.25 * decay(t, 0.004) * click(n.next()));
    }, 0.6);
}

XmInstrument snare(int bpm, double snap)
{
    auto noise = band_noise(11, 900, 3800);
    return drum("snare", bpm, [=](double t) mutable {
        double body = 0.5 * decay(t, 0.045) * std::sin(2 * M_PI * 185 * t) +
                      0.25 * decay(t, 0.03) * std::sin(2 * M_PI * 330 * t);
        // The wires buzz on a little after the crack.
        return onset(t, 0.001) * (body + snap * (2.5 * decay(t, 0.09) + 0.5 * decay(t, 0.22)) * noise());
    }, 0.6);
}

XmInstrument brush(int bpm, int panning)
{
    auto noise = band_noise(23, 1000, 3500);
    return drum("brush", bpm, [=](double t) mutable { return onset(t, 0.012) * decay(t, 0.09) * noise(); }, 0.35,
                panning);
}

XmInstrument hat(int bpm, double length, int panning)
{
    // Two small cymbals: closed, a tick of noise; open, they ring against each other.
    auto noise = band_noise(31, 2800, 4200);
    Metal ring{{2851, 3167, 3443, 3697, 3989, 4271}, length * 1.4};
    // The noise has an RMS near 0.03: the ring stays under it, a shade below when open.
    double shine = length > 0.1 ? 0.065 : 0.025;
    return drum(length > 0.1 ? "open hat" : "hat", bpm, [=](double t) mutable {
        return onset(t, 0.0008) * (decay(t, length) * noise() + shine * metal(ring, t));
    }, length * 5, panning);
}

XmInstrument shaker(int bpm, int panning)
{
    auto noise = band_noise(41, 1800, 3800);
    return drum("shaker", bpm, [=](double t) mutable {
        return (t < 0.025 ? t / 0.025 : decay(t - 0.025, 0.035)) * noise();
    }, 0.2, panning);
}

XmInstrument woodblock(int bpm, int panning)
{
    return drum("woodblock", bpm, [](double t) {
        return onset(t, 0.0008) * (decay(t, 0.03) * std::sin(2 * M_PI * 820 * t) +
                                   0.35 * decay(t, 0.012) * std::sin(2 * M_PI * 2250 * t));
    }, 0.18, panning);
}

XmInstrument ride(int bpm, int panning)
{
    // The stick's ping on a big cymbal over a wash that swells a little after it.
    // The ping lies in the upper half of the band and dies well before the next
    // stroke, so that a busy ride pings on each beat instead of droning a chord.
    auto noise = band_noise(53, 2000, 4000);
    Metal bell{{1931, 2213, 2467, 2749, 3023, 3319, 3607, 3881, 4159}, 0.3};
    return drum("ride", bpm, [=](double t) mutable {
        double wash = (0.5 + 0.5 * (1 - decay(t, 0.03))) * decay(t, 0.3);
        // The bell about as strong as the wash (noise RMS near 0.064).
        return onset(t, 0.001) * (0.17 * metal(bell, t) + 0.7 * noise() * wash);
    }, 1.0, panning);
}

XmInstrument crash(int bpm, int panning)
{
    // A splash of noise over a dense clang that sings on after it.
    auto noise = band_noise(67, 1200, 4000);
    Metal clang{{1327, 1559, 1873, 2213, 2489, 2791, 3119, 3383, 3727, 4057}, 1.1};
    return drum("crash", bpm, [=](double t) mutable {
        // The noise's RMS is near 0.14; the clang a few dB under it.
        return onset(t, 0.002) * (decay(t, 0.5) * noise() + 0.3 * metal(clang, t));
    }, 1.8, panning);
}

XmInstrument clap(int bpm, int panning)
{
    auto noise = band_noise(79, 900, 3200);
    return drum("clap", bpm, [=](double t) mutable {
        double bursts = 0;
        for (double at : {0.0, 0.011, 0.022})
            if (t >= at)
                bursts += decay(t - at, at < 0.02 ? 0.006 : 0.09);
        return bursts * noise();
    }, 0.35, panning);
}

XmInstrument tom(int bpm)
{
    return drum("tom", bpm, [](double t) {
        double phase = 2 * M_PI * (110 * t + 60 * 0.06 * (1 - std::exp(-t / 0.06)));
        return onset(t, 0.001) * decay(t, 0.2) * std::sin(phase);
    }, 0.6);
}
