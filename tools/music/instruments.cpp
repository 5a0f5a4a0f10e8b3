// Instruments made from harmonics and noise, shaped so that nothing they play
// reaches past what an 11 kHz stream can carry: each octave (each three
// semitones of a held sound) gets its own copy with the partials that would
// fold back removed.
#include "music/instruments.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const double TOP_HZ = 4400;        // highest partial allowed at any note
const double FULL = 32767 * 0.75;  // sample peak: room for several voices

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

XmInstrument sustained(const std::string &name, int bpm, const Tone &tone, const Envelope &env, int low, int high,
                       int panning)
{
    const double SAMPLE_RATE = 16000;   // about: each sample holds whole cycles of its note
    const int zones = (high - low) / 3 + 1;
    if (zones > 16) {
        fprintf(stderr, "instrument %s: range too wide\n", name.c_str());
        exit(1);
    }
    XmInstrument ins;
    ins.name = name;
    std::vector<std::vector<double>> waves;
    std::vector<double> rates;
    std::vector<int> homes, starts, lengths;
    double peak = 0;
    for (int z = 0; z < zones; z++) {
        int home = std::min(low + 3 * z + 1, high);
        double f = note_hz(home);
        int per_cycle = std::max(8, static_cast<int>(std::lround(SAMPLE_RATE / f)));
        double rate = f * per_cycle;
        // The copies beat once per loop, so a slow beat needs a longer loop.
        double seconds = tone.loop_seconds;
        if (tone.voices > 1)
            seconds = std::max(seconds, 1 / (f * (std::pow(2.0, tone.detune_cents / 1200) - 1)));
        int cycles = std::max(4, static_cast<int>(std::lround(seconds * f)));
        double period = cycles / f;
        auto per_loop = [&](double hz) { return std::max(1, static_cast<int>(std::lround(hz * period))); };
        const int vibrato_cycles = tone.vibrato_hz > 0 ? per_loop(tone.vibrato_hz) : 0;
        double onset_seconds = std::max({0.04, tone.bloom * 1.1, tone.chiff > 0 ? 0.08 : 0.0});
        int loop_start = static_cast<int>(std::ceil(onset_seconds * f)) * per_cycle;
        int loop_length = cycles * per_cycle;
        // The sample plays up to a semitone higher than its note.
        double limit = TOP_HZ * f / note_hz(std::min(home + 1, high));

        // Every partial of every copy turns a whole number of times in one loop.
        struct Partial {
            double hz, level, phase, beta, shimmer_phase, shimmer, bloom;
            int shimmer_cycles;
        };
        std::vector<Partial> ps;
        Noise random(static_cast<uint32_t>(977 * (z + 1) + name.size()));
        const double delta = std::pow(2.0, tone.vibrato_cents / 1200) - 1;
        for (int v = 0; v < tone.voices; v++) {
            int d = v == 0 ? 0 : v == 1 ? -1 : 1;
            for (int h = 1; h * f * (cycles + d) / cycles < limit && h < per_cycle / 2; h++) {
                double a = tone.amp(h, h * f);
                if (a == 0)
                    continue;
                Partial p;
                p.hz = h * f * (cycles + d) / cycles;
                p.level = a * (v == 0 ? 1.0 : tone.side_level);
                p.phase = v == 0 ? 0 : M_PI * (1 + random.next());
                p.beta = vibrato_cycles ? p.hz * delta * period / vibrato_cycles : 0;
                p.shimmer = tone.shimmer * std::min(1.0, (h - 1) / 2.0);
                p.shimmer_cycles = per_loop(tone.shimmer_hz) + (h % 2);
                p.shimmer_phase = M_PI * (1 + random.next());
                p.bloom = tone.bloom * std::min(1.0, (h - 1) / 6.0);
                ps.push_back(p);
            }
        }
        // Air that repeats with the loop: filtered round the loop twice so its ends meet.
        std::vector<double> air(static_cast<size_t>(loop_length), 0.0);
        if (tone.breath > 0 || tone.chiff > 0) {
            std::vector<double> white(air.size());
            for (double &x : white)
                x = random.next();
            LowPass l1(tone.breath_hz, rate), l2(tone.breath_hz, rate), l3(tone.breath_hz, rate);
            HighPass rumble(250, rate);
            for (int pass = 0; pass < 2; pass++)
                for (size_t i = 0; i < air.size(); i++)
                    air[i] = rumble(l3(l2(l1(white[i]))));
            double sum = 0;
            for (double x : air)
                sum += x * x;
            double rms = std::sqrt(sum / static_cast<double>(air.size())) + 1e-12;
            for (double &x : air)
                x /= rms;
        }
        const double onset_end = loop_start / rate;
        std::vector<double> w(static_cast<size_t>(loop_start + loop_length));
        for (size_t i = 0; i < w.size(); i++) {
            double t = static_cast<double>(i) / rate, v = 0;
            double wobble = std::sin(2 * M_PI * vibrato_cycles * t / period);
            for (const Partial &p : ps) {
                double level = p.level * (1 + p.shimmer * std::sin(2 * M_PI * p.shimmer_cycles * t / period + p.shimmer_phase));
                if (t < p.bloom)
                    level *= 0.5 - 0.5 * std::cos(M_PI * t / p.bloom);
                v += level * std::sin(2 * M_PI * p.hz * t + p.beta * wobble + p.phase);
            }
            double noise = air[i % air.size()];
            v += tone.breath * noise;
            if (t < onset_end)
                v += tone.chiff * noise * std::exp(-t / 0.02) * (0.5 + 0.5 * std::cos(M_PI * t / onset_end));
            w[i] = v;
        }
        // The copies start at zero; the very first moment rises so that no copy clicks.
        for (size_t i = 0; i < w.size() && i < static_cast<size_t>(0.002 * rate); i++)
            w[i] *= std::sin(M_PI / 2 * static_cast<double>(i) / (0.002 * rate));
        peak = std::max(peak, peak_of(w));
        waves.push_back(w);
        rates.push_back(rate);
        homes.push_back(home);
        starts.push_back(loop_start);
        lengths.push_back(loop_length);
    }
    // Held sounds are matched by loudness, not by peak: a chorus of three copies
    // peaks higher than one flute for the same weight.
    double sum = 0;
    size_t count = 0;
    for (int z = 0; z < zones; z++)
        for (size_t i = static_cast<size_t>(starts[z]); i < waves[z].size(); i++) {
            sum += waves[z][i] * waves[z][i];
            count++;
        }
    double rms = std::sqrt(sum / static_cast<double>(count));
    double gain = std::min(FULL / std::sqrt(2.0) / rms, 32000 / peak);
    for (int z = 0; z < zones; z++) {
        XmSample s;
        s.data = scaled(waves[z], gain);
        s.loop_start = starts[z];
        s.loop_length = lengths[z];
        s.panning = panning;
        tune(s, rates[z], homes[z]);
        ins.samples.push_back(s);
    }
    ins.keymap.resize(96);
    for (int n = 1; n <= 96; n++)
        ins.keymap[n - 1] = n < low ? 0 : std::min((n - low) / 3, zones - 1);
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
