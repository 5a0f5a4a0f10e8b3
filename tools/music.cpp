// The four music modules, written as FT2 XM files.
#include "assets.h"

#include <cmath>

namespace {

XmInstrument sine_instrument()
{
    XmInstrument ins;
    ins.name = "sine";
    for (int i = 0; i < 32; i++)
        ins.sample.data.push_back(static_cast<int16_t>(std::lround(12000 * std::sin(2 * M_PI * i / 32))));
    ins.sample.loop_length = 32;
    ins.sample.volume = 40;
    ins.volume_envelope = {{0, 64}, {6, 44}, {30, 20}, {90, 0}};
    return ins;
}

void track(const char *name, int root, int bpm)
{
    XmModule m;
    m.name = name;
    m.channels = 4;
    m.bpm = bpm;
    m.instruments.push_back(sine_instrument());
    XmPattern p = make_pattern(64, m.channels);
    const int steps[8] = {0, 4, 7, 12, 7, 4, 0, -5};
    for (int row = 0; row < 64; row += 4) {
        XmCell &c = p.at(row, 0, m.channels);
        c.note = static_cast<uint8_t>(root + steps[(row / 4) % 8]);
        c.instrument = 1;
        if (row % 16 == 0) {
            XmCell &bass = p.at(row, 1, m.channels);
            bass.note = static_cast<uint8_t>(root - 12);
            bass.instrument = 1;
        }
    }
    m.patterns.push_back(p);
    m.orders = {0};
    write_xm(out + "/xm/" + name, m);
}

} // namespace

void track_0() { track("0.xm", 61, 140); }
void track_1() { track("1.xm", 56, 110); }
void track_2() { track("2.xm", 53, 120); }
void track_int() { track("int.xm", 49, 100); }
