// Instruments made from harmonics and noise, shaped so that nothing they play
// reaches past what an 11 kHz stream can carry: each octave gets its own copy
// with the partials that would fold back removed.
#include "music.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const double TOP_HZ = 4400;        // highest partial allowed at any note
const double FULL = 32767 * 0.75;  // sample peak: room for several voices
const int CYCLE = 256;             // samples in one looped cycle

int tick_of(double ms, int bpm) { return static_cast<int>(std::lround(ms * bpm / 2500.0)); }

// Relative note and finetune that make a sample recorded at `rate` sound `home` on note `home`.
void tune(XmSample &s, double rate, int home)
{
    double semis = 12 * std::log2(rate / 8363.0) - (home - 49);
    s.relative_note = static_cast<int>(std::lround(semis));
    s.finetune = static_cast<int>(std::lround((semis - s.relative_note) * 128));
    if (s.finetune > 127)
        s.finetune = 127;
}

void apply(XmInstrument &ins, const Envelope &env, int bpm)
{
    int last = -1;
    for (const XmEnvelopePoint &p : env.points) {
        int x = std::max(tick_of(p.x, bpm), last + 1);
        ins.volume_envelope.push_back({x, p.y});
        last = x;
    }
    ins.sustain_point = env.sustain;
    ins.fadeout = env.fadeout;
}

int octave_of(int note) { return (note - 1) / 12; }

// One sample per octave from low to high; notes outside use the nearest.
void map_octaves(XmInstrument &ins, int low, int high)
{
    int first = octave_of(low), last = octave_of(high);
    ins.keymap.resize(96);
    for (int n = 1; n <= 96; n++)
        ins.keymap[n - 1] = std::clamp(octave_of(n), first, last) - first;
}

// Highest note of octave k that the instrument plays.
int band_top(int k, int high) { return std::min(high, 12 * k + 12); }

std::vector<int16_t> scaled(const std::vector<double> &v, double scale)
{
    std::vector<int16_t> out(v.size());
    for (size_t i = 0; i < v.size(); i++)
        out[i] = static_cast<int16_t>(std::clamp(std::lround(v[i] * scale), -32767L, 32767L));
    return out;
}

double peak_of(const std::vector<double> &v)
{
    double p = 1e-9;
    for (double x : v)
        p = std::max(p, std::fabs(x));
    return p;
}

// A short fade at the very end so a one-shot never stops on a step.
void fade_tail(std::vector<double> &v, int n)
{
    n = std::min<int>(n, static_cast<int>(v.size()));
    for (int i = 0; i < n; i++)
        v[v.size() - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * i / n);
}

} // namespace

int note_number(const std::string &name)
{
    static const int steps[7] = {9, 11, 0, 2, 4, 5, 7};   // A..G
    size_t i = 0;
    int pc = -100, octave = -100;
    if (i < name.size() && name[i] >= 'A' && name[i] <= 'G')
        pc = steps[name[i++] - 'A'];
    if (i < name.size() && (name[i] == '#' || name[i] == 'b'))
        pc += name[i++] == '#' ? 1 : -1;
    if (i + 1 == name.size() && name[i] >= '0' && name[i] <= '7')
        octave = name[i] - '0';
    int n = 49 + (octave - 4) * 12 + pc;
    if (pc < -1 || octave < 0 || n < 1 || n > 96) {
        fprintf(stderr, "bad note name \"%s\"\n", name.c_str());
        exit(1);
    }
    return n;
}

double note_hz(int note) { return 440.0 * std::pow(2.0, (note - 58) / 12.0); }

double Noise::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state / 2147483647.5 - 1.0;
}

Envelope pluck_envelope(double decay_ms)
{
    Envelope e;
    for (double k : {0.0, 0.25, 0.5, 1.0, 1.5, 2.5})
        e.points.push_back({static_cast<int>(std::lround(k * decay_ms)),
                            static_cast<int>(std::lround(64 * std::exp(-k)))});
    e.points.push_back({static_cast<int>(std::lround(4 * decay_ms)), 0});
    e.fadeout = 0xfff;   // a release cuts it short quickly
    return e;
}

Envelope held_envelope(double attack_ms, double decay_ms, int level, double release_ms)
{
    Envelope e;
    double t = 0;
    if (attack_ms > 0) {
        e.points.push_back({0, 0});
        t = attack_ms;
    }
    e.points.push_back({static_cast<int>(std::lround(t)), 64});
    if (decay_ms > 0) {
        t += decay_ms;
        e.points.push_back({static_cast<int>(std::lround(t)), level});
    }
    e.sustain = static_cast<int>(e.points.size()) - 1;
    e.points.push_back({static_cast<int>(std::lround(t + release_ms)), 0});
    e.fadeout = 0x400;
    return e;
}

XmInstrument wavetable(const std::string &name, int bpm, const Spectrum &spectrum, const Envelope &env,
                       int low, int high, int panning)
{
    XmInstrument ins;
    ins.name = name;
    std::vector<std::vector<double>> cycles;
    double peak = 0;
    for (int k = octave_of(low); k <= octave_of(high); k++) {
        int harmonics = std::max(1, static_cast<int>(TOP_HZ / note_hz(band_top(k, high))));
        std::vector<double> c(CYCLE, 0.0);
        for (int h = 1; h <= harmonics && h < CYCLE / 2; h++) {
            double a = spectrum.amp(h);
            for (int i = 0; i < CYCLE; i++)
                c[i] += a * std::sin(2 * M_PI * static_cast<double>(h) * i / CYCLE);
        }
        peak = std::max(peak, peak_of(c));
        cycles.push_back(c);
    }
    for (const std::vector<double> &c : cycles) {
        XmSample s;
        s.data = scaled(c, FULL / peak);
        s.loop_length = CYCLE;
        s.panning = panning;
        tune(s, note_hz(49) * CYCLE, 49);
        ins.samples.push_back(s);
    }
    map_octaves(ins, low, high);
    apply(ins, env, bpm);
    return ins;
}

XmInstrument struck(const std::string &name, int bpm, const Voice &voice, double seconds, const Envelope &env,
                    int low, int high, int panning)
{
    const double rate = 8363;   // at its octave's C each copy plays at this rate
    XmInstrument ins;
    ins.name = name;
    std::vector<std::vector<double>> waves;
    double peak = 0;
    for (int k = octave_of(low); k <= octave_of(high); k++) {
        int home = 12 * k + 1;
        double f = note_hz(home), limit = TOP_HZ * f / note_hz(band_top(k, high));
        std::vector<double> w(static_cast<size_t>(seconds * rate));
        for (size_t i = 0; i < w.size(); i++)
            w[i] = voice(i / rate, f, limit);
        fade_tail(w, static_cast<int>(0.02 * rate));
        peak = std::max(peak, peak_of(w));
        waves.push_back(w);
    }
    for (size_t b = 0; b < waves.size(); b++) {
        XmSample s;
        s.data = scaled(waves[b], FULL / peak);
        s.panning = panning;
        tune(s, rate, 12 * (octave_of(low) + static_cast<int>(b)) + 1);
        ins.samples.push_back(s);
    }
    map_octaves(ins, low, high);
    apply(ins, env, bpm);
    return ins;
}

XmInstrument drum(const std::string &name, int bpm, const std::function<double(double)> &wave, double seconds,
                  int panning)
{
    const double rate = 11000;   // the stream's own rate: played at C4, no resampling
    std::vector<double> w(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < w.size(); i++)
        w[i] = wave(i / rate);
    fade_tail(w, static_cast<int>(0.005 * rate));
    XmInstrument ins;
    ins.name = name;
    XmSample s;
    s.data = scaled(w, FULL / peak_of(w));
    s.panning = panning;
    tune(s, rate, 49);
    ins.samples.push_back(s);
    apply(ins, held_envelope(0, 0, 64, 60), bpm);
    return ins;
}
