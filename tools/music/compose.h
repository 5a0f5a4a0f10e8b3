// The music generator's text notation for notes, chords and drums, laid out into XM patterns.
#pragma once

#include "common/writers.h"

#include <string>
#include <vector>

// Chords: "C", "Am", "G7", "Fmaj7", "Bm7b5", "Dsus4", "C/E", ...
struct Chord {
    int root = 0;                 // pitch class, C = 0
    int bass = 0;                 // pitch class of the bass note
    std::vector<int> tones;       // semitones above the root, ascending, starting with 0
};
Chord chord(const std::string &symbol);

// A song laid out row by row on every channel, cut into patterns at the end.
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
    // Phrased as a player breathes: the highest note of each bar at `volume`,
    // notes held a beat or longer a little softer, passing notes softer still.
    bool phrased = false;
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

// The whole song's loudness from `row` on, 0 to 64 (64 as written): it stays
// until set again, also across the loop, so a song that changes it sets it at
// its start and at its loop point too. Written where a channel has neither
// note nor effect, so set it once every note is in place.
void global_volume(Song &s, int row, int volume);

// Swing: long-short pairs of rows, set on a channel's effect column.
void swing(Song &s, int channel, int long_speed, int short_speed);
