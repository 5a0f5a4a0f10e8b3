// The music generator's building blocks: instruments synthesised from
// harmonics and noise, and a small text notation for notes, chords and drums
// that is laid out into XM patterns.
#pragma once

#include "writers.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

// ---- Pitch: XM note 49 is C4, middle C.
int note_number(const std::string &name);   // "C4", "F#3", "Bb5"
double note_hz(int note);

// ---- Instruments (instruments.cpp). Envelope times are in milliseconds and
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

// ---- Chords: "C", "Am", "G7", "Fmaj7", "Bm7b5", "Dsus4", "C/E", ...
struct Chord {
    int root = 0;                 // pitch class, C = 0
    int bass = 0;                 // pitch class of the bass note
    std::vector<int> tones;       // semitones above the root, ascending, starting with 0
};
Chord chord(const std::string &symbol);

// ---- A song laid out row by row on every channel, cut into patterns at the end.
struct Song {
    XmModule module;
    int bar_rows = 16;
    int bars = 0;
    int pattern_bars = 4;
    int loop_bar = 0;                            // where the song goes on after its end
    int mix = 100;                               // percent applied to every volume written
    std::vector<std::vector<XmCell>> rows;       // [channel][row]
    std::vector<Chord> harmony;                  // one chord per row
    std::vector<int> pan;                        // per channel, 0 left..255 right; -1: the sample's own

    Song(const std::string &name, int channels, int bpm, int bar_rows, int bars);
    XmCell &at(int channel, int row) { return rows[channel][row]; }
    int instrument(const XmInstrument &ins);     // adds it; returns its XM number
    void write(const std::string &path);         // dedupes patterns, writes the file
};

// Chords for bars [bar, ...): tokens one per `unit` rows, "." holds the previous chord, "|" checks a bar line.
void chords(Song &s, int bar, int unit, const std::string &progression);

// A line of notes from `bar` on: one token per row. "C5" plays a note, "." holds,
// "-" releases; a trailing "!" accents, "?" plays softly; "|" checks a bar line.
// With a second channel the notes alternate between the two and each note is
// released as the next begins, so held sounds fade out under the next one instead
// of being cut. Returns the row after the line.
struct Line {
    int channel = 0;
    int channel2 = -1;          // -1: one channel
    int instrument = 1;
    int volume = 48;
    int transpose = 0;          // semitones
};
int melody(Song &s, const Line &line, int bar, const std::string &notes);

// A figure over the harmony, one token per row, repeated for `bars` bars:
// digits index the chord's tones stacked upward from `low` (0 root, 1 the next
// tone, ...), "b" the bass note, "B" the bass an octave up, "a" a step into the
// next bar's bass (a half step below unless that rubs against the chord);
// ".", "-", "!", "?" and "|" as in melody().
void figure(Song &s, const Line &line, int bar, int bars, int low, const std::string &pattern);

// Chord voicings in [low, high] that move as little as possible, one channel per voice.
// Without a rhythm the voices hold and glide to their new pitches at every chord
// change; with one (whole bars of "x" strike, "-" release, "." hold, repeated)
// they are struck anew, and released where the chord changes between strikes.
void pad(Song &s, const std::vector<int> &channels, int instrument, int volume, int bar, int bars, int low, int high,
         const std::string &rhythm = "");

// Drums, one token per row, repeated for `bars` bars: each letter names a kit piece in `kit`
// (lower case normal, upper case accented); "." nothing, "|" checks a bar line. More
// levels of one drum are more pieces with the same instrument under other letters.
struct Kit {
    char letter;
    int instrument;
    int volume;
    int note = 49;
};
void drums(Song &s, int channel, const std::vector<Kit> &kit, int bar, int bars, const std::string &pattern);

// An echo of bars [bar, bar + bars): every note and release of the `from` channels
// again `rows` later on the matching `to` channel, at `percent` of its volume.
// Give the echo channels their own place in the stereo field.
void echo(Song &s, const std::vector<int> &from, const std::vector<int> &to, int bar, int bars, int rows, int percent);

// Swing: long-short pairs of rows, set on a channel's effect column.
void swing(Song &s, int channel, int long_speed, int short_speed);

// ---- The bank the songs draw on (bank.cpp), each for the notes [low, high] at a tempo.
XmInstrument flute(int bpm, int low, int high, int panning);
XmInstrument brass(int bpm, int low, int high, int panning);
XmInstrument clarinet(int bpm, int low, int high, int panning);
XmInstrument oboe(int bpm, int low, int high, int panning);
XmInstrument organ(int bpm, int low, int high, int panning);
XmInstrument strings(int bpm, int low, int high, int panning);
XmInstrument cello(int bpm, int low, int high);          // bowed, held
XmInstrument plucked_bass(int bpm, int low, int high);   // round, short
XmInstrument picked_bass(int bpm, int low, int high);    // brighter, for eighths
XmInstrument music_box(int bpm, int low, int high, int panning);
XmInstrument harp(int bpm, int low, int high, int panning);
XmInstrument vibes(int bpm, int low, int high, int panning);
XmInstrument electric_piano(int bpm, int low, int high, int panning);
XmInstrument pizzicato_bass(int bpm, int low, int high);
XmInstrument kick(int bpm, double punch);
XmInstrument snare(int bpm, double snap);
XmInstrument brush(int bpm, int panning);
XmInstrument hat(int bpm, double length, int panning);
XmInstrument shaker(int bpm, int panning);
XmInstrument woodblock(int bpm, int panning);
XmInstrument ride(int bpm, int panning);
XmInstrument crash(int bpm, int panning);
XmInstrument clap(int bpm, int panning);
XmInstrument tom(int bpm);
