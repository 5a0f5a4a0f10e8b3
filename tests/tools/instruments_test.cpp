// The generator's pitched instruments play in tune across their whole range:
// every octave's copy, struck or looped, sounds the note it is asked for.
#include "music/bank.h"
#include "music/compose.h"
#include "music/instruments.h"
#include "support/spectrum.h"

#include <dumb.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const int RATE = 44100;
const size_t WINDOW = 32768;

struct Pitched {
    const char *name;
    XmInstrument (*make)(int bpm, int low, int high);
    int low, high;
};

XmInstrument flute_(int b, int l, int h) { return flute(b, l, h, 128); }
XmInstrument brass_(int b, int l, int h) { return brass(b, l, h, 128); }
XmInstrument clarinet_(int b, int l, int h) { return clarinet(b, l, h, 128); }
XmInstrument oboe_(int b, int l, int h) { return oboe(b, l, h, 128); }
XmInstrument organ_(int b, int l, int h) { return organ(b, l, h, 128); }
XmInstrument strings_(int b, int l, int h) { return strings(b, l, h, 128); }
XmInstrument box_(int b, int l, int h) { return music_box(b, l, h, 128); }
XmInstrument harp_(int b, int l, int h) { return harp(b, l, h, 128); }
XmInstrument vibes_(int b, int l, int h) { return vibes(b, l, h, 128); }
XmInstrument piano_(int b, int l, int h) { return electric_piano(b, l, h, 128); }

// Plays each note for a bar at 125 BPM (1.92 s) and renders it at 44100 Hz.
std::vector<double> play(const XmInstrument &ins, const std::vector<int> &notes)
{
    Song s("tuning", 1, 125, 16, static_cast<int>(notes.size()));
    s.pattern_bars = 1;
    int k = s.instrument(ins);
    for (size_t i = 0; i < notes.size(); i++) {
        XmCell &c = s.at(0, static_cast<int>(i) * 16);
        c.note = static_cast<uint8_t>(notes[i]);
        c.instrument = static_cast<uint8_t>(k);
        c.volume = 0x50;
    }
    std::string path = (std::filesystem::temp_directory_path() / ("nannyday-tuning-" + std::to_string(getpid()) + ".xm"));
    s.write(path);
    dumb_register_stdfiles();
    DUH *duh = dumb_load_xm_quick(path.c_str());
    std::remove(path.c_str());
    std::vector<double> mono;
    if (!duh)
        return mono;
    DUH_SIGRENDERER *sr = duh_start_sigrenderer(duh, 0, 1, 0);
    size_t want = static_cast<size_t>(1.92 * RATE * notes.size());
    sample_t **buf = allocate_sample_buffer(1, 4096);
    while (mono.size() < want) {
        dumb_silence(buf[0], 4096);
        long n = duh_sigrenderer_generate_samples(sr, 1.0f, 65536.0f / RATE, 4096, buf);
        for (long i = 0; i < n; i++)
            mono.push_back(buf[0][i] / 8388608.0);
        if (n < 4096)
            break;
    }
    destroy_sample_buffer(buf);
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    return mono;
}

double cents(double a, double b) { return 1200 * std::log2(a / b); }

} // namespace

TEST(Instruments, EveryPitchedInstrumentPlaysInTuneAcrossItsRange)
{
    const Pitched all[] = {
        {"flute", flute_, note_number("C4"), note_number("F5")},
        {"brass", brass_, note_number("F#4"), note_number("A5")},
        {"clarinet", clarinet_, note_number("F#4"), note_number("A5")},
        {"oboe", oboe_, note_number("D4"), note_number("F#5")},
        {"organ", organ_, note_number("F#3"), note_number("B4")},
        {"strings", strings_, note_number("F3"), note_number("D5")},
        {"cello", cello, note_number("E2"), note_number("D#3")},
        {"plucked bass", plucked_bass, note_number("B1"), note_number("G#3")},
        {"picked bass", picked_bass, note_number("B1"), note_number("C4")},
        {"music box", box_, note_number("G4"), note_number("A6")},
        {"harp", harp_, note_number("E3"), note_number("C6")},
        {"vibes", vibes_, note_number("F4"), note_number("A5")},
        {"electric piano", piano_, note_number("D3"), note_number("G4")},
        {"pizzicato bass", pizzicato_bass, note_number("C2"), note_number("C4")},
    };
    for (const Pitched &p : all) {
        // Both ends, and each side of every seam where the instrument changes copies.
        XmInstrument ins = p.make(125, p.low, p.high);
        std::vector<int> notes = {p.low, p.high};
        for (int n = p.low + 1; n <= p.high; n++)
            if (ins.keymap[n - 1] != ins.keymap[n - 2])
                notes.insert(notes.end(), {n - 1, n});

        // A held sound's loop lasts long enough to move: no single cycle of a fixed wave.
        for (int n = p.low; n <= p.high; n++) {
            const XmSample &s = ins.samples[ins.keymap[n - 1]];
            double rate = 8363 * std::pow(2.0, (n - 49 + s.relative_note + s.finetune / 128.0) / 12);
            if (s.loop_length > 0) {
                EXPECT_GT(s.loop_length / rate, 0.25) << p.name << " note " << n << " loops too soon";
            }
        }

        std::vector<double> sound = play(ins, notes);
        ASSERT_GE(sound.size(), static_cast<size_t>(1.92 * RATE) * notes.size()) << p.name;
        for (size_t i = 0; i < notes.size(); i++) {
            double want = note_hz(notes[i]);
            std::vector<double> pw = power(sound, static_cast<size_t>((1.92 * i + 0.01) * RATE), WINDOW);
            double at_note = 0, strongest = 0, below = 0;
            double got = peak_hz(pw, RATE, WINDOW, want * 0.97, want * 1.03, &at_note);
            peak_hz(pw, RATE, WINDOW, 20, 20000, &strongest);
            peak_hz(pw, RATE, WINDOW, want * 0.485, want * 0.515, &below);
            SCOPED_TRACE(std::string(p.name) + " note " + std::to_string(notes[i]));
            EXPECT_NEAR(cents(got, want), 0, 8);
            EXPECT_GT(at_note, strongest * 0.05) << "hardly any sound at the note itself";
            EXPECT_LT(below, at_note * 0.01) << "sounds an octave low";
        }
    }
}
