// The music generator's instruments, made of harmonics and noise, and its notes' pitch.
#pragma once

#include "common/writers.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Pitch: XM note 49 is C4, middle C.
int note_number(const std::string &name);   // "C4", "F#3", "Bb5"
double note_hz(int note);

// Instruments. Envelope times are in milliseconds and
// become ticks at the song's tempo; every sound stays below the band the
// game's 11 kHz stream can carry, whatever note in [low, high] plays it.
struct Envelope {
    std::vector<XmEnvelopePoint> points;   // x in ms here
    int sustain = -1;
    int fadeout = 0;
};
Envelope pluck_envelope(double decay_ms);                        // struck: falls away
Envelope held_envelope(double attack_ms, double decay_ms, int level, double release_ms);

// A held sound, one sample for every three semitones: an onset, then a loop of
// about `loop_seconds` in which the sound keeps moving (detuned copies beating,
// a vibrato, partials swelling and fading), all in whole cycles of the loop so
// that it repeats without a seam.
struct Tone {
    std::function<double(int, double)> amp;   // level of harmonic h (1 the fundamental) at hz
    double loop_seconds = 0.5;        // at least; longer where the copies beat slowly
    int voices = 1;                   // 1, or 3: copies `detune_cents` either side
    double detune_cents = 0;
    double side_level = 0.5;          // level of the detuned copies
    double vibrato_hz = 0;
    double vibrato_cents = 0;
    double shimmer = 0;               // 0..1: how far the upper partials swell and fade
    double shimmer_hz = 2;
    double bloom = 0;                 // seconds the upper partials take to come in
    double breath = 0;                // air or bow noise through the note
    double breath_hz = 2000;
    double chiff = 0;                 // a puff of noise at the onset
};
XmInstrument sustained(const std::string &name, int bpm, const Tone &tone, const Envelope &env, int low, int high,
                       int panning = 128);

// A struck sound rendered once per octave: voice(t seconds, fundamental Hz,
// highest allowed partial Hz) returns the waveform.
using Voice = std::function<double(double, double, double)>;
XmInstrument struck(const std::string &name, int bpm, const Voice &voice, double seconds, const Envelope &env,
                    int low, int high, int panning = 128);

// An unpitched hit rendered at the stream's rate, played at C4.
XmInstrument drum(const std::string &name, int bpm, const std::function<double(double)> &wave, double seconds,
                  int panning = 128);

// Deterministic noise in [-1, 1].
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 1) {}
    double next();
private:
    uint32_t state;
};

// One-pole filters for shaping noise, run sample by sample.
struct LowPass {
    double a, y = 0;
    LowPass(double hz, double rate) : a(1 - std::exp(-2 * M_PI * hz / rate)) {}
    double operator()(double x) { return y += a * (x - y); }
};
struct HighPass {
    LowPass low;
    HighPass(double hz, double rate) : low(hz, rate) {}
    double operator()(double x) { return x - low(x); }
};
