// Byte-exact writers for the file formats the game reads: BMP, PCX font, WAV and XM.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

// 24-bit bottom-up BMP of a 32-bit Allegro bitmap (colours read with getr32 & co).
void write_bmp(const std::string &path, BITMAP *bmp);

// 8-bit palettised PCX, RLE-encoded; pixels are palette indices, row by row.
void write_pcx8(const std::string &path, int w, int h, const std::vector<uint8_t> &pixels,
                const uint8_t palette[768]);

// Mono 16-bit PCM WAV.
void write_wav(const std::string &path, int rate, const std::vector<int16_t> &samples);

// A module described cell by cell; write_xm lays it out as an FT2 XM file.
struct XmCell {
    uint8_t note = 0;        // 1..96, 97 key-off, 0 none
    uint8_t instrument = 0;  // 1-based, 0 none
    uint8_t volume = 0;      // volume column byte (0x10..0x50), 0 none
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct XmPattern {
    int rows = 64;
    std::vector<XmCell> cells;   // rows * channels, row-major
    XmCell &at(int row, int channel, int channels) { return cells[row * channels + channel]; }
};

struct XmSample {
    std::vector<int16_t> data;   // 16-bit PCM
    int loop_start = 0;          // in samples
    int loop_length = 0;         // 0: no loop
    int volume = 64;
    int finetune = 0;            // 1/128 semitone
    int relative_note = 0;
    int panning = 128;
};

struct XmEnvelopePoint {
    int x;   // ticks
    int y;   // 0..64
};

struct XmInstrument {
    std::string name;
    std::vector<XmSample> samples;                  // 1..16
    std::vector<int> keymap;                        // sample for each of the 96 notes; empty: all the first
    std::vector<XmEnvelopePoint> volume_envelope;   // empty: envelope off
    int sustain_point = -1;                         // -1: no sustain
    int fadeout = 0;
    int vibrato_type = 0;                           // 0 sine, 1 square, 2 ramp down, 3 ramp up
    int vibrato_sweep = 0;
    int vibrato_depth = 0;                          // 0..15
    int vibrato_rate = 0;                           // 0..63
};

struct XmModule {
    std::string name;
    int channels = 4;
    int speed = 6;
    int bpm = 125;
    int restart = 0;
    std::vector<int> orders;
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};

XmPattern make_pattern(int rows, int channels);
void write_xm(const std::string &path, const XmModule &m);
