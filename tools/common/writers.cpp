// Byte-exact writers for BMP, PCX, WAV and XM; little-endian throughout.
#include "common/writers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

class Bytes {
public:
    void u8(int v) { b.push_back(static_cast<uint8_t>(v)); }
    void u16(int v) { u8(v & 0xff); u8((v >> 8) & 0xff); }
    void u32(uint32_t v) { u16(static_cast<int>(v & 0xffff)); u16(static_cast<int>(v >> 16)); }
    void str(const std::string &s, size_t width)
    {
        for (size_t i = 0; i < width; i++)
            u8(i < s.size() ? s[i] : 0);
    }
    void raw(const std::vector<uint8_t> &v) { b.insert(b.end(), v.begin(), v.end()); }
    size_t size() const { return b.size(); }
    void save(const std::string &path) const
    {
        FILE *fp = fopen(path.c_str(), "wb");
        if (!fp || fwrite(b.data(), 1, b.size(), fp) != b.size() || fclose(fp) != 0) {
            fprintf(stderr, "cannot write %s\n", path.c_str());
            exit(1);
        }
    }
    std::vector<uint8_t> b;
};

// Values DUMB would reject or misplay; a generator bug, so stop loudly.
void check_instrument(const std::string &path, const XmInstrument &ins)
{
    bool ok = !ins.samples.empty() && ins.samples.size() <= 16 && ins.volume_envelope.size() <= 12 &&
              (ins.keymap.empty() || ins.keymap.size() == 96) && ins.sustain_point < 12 &&
              ins.fadeout >= 0 && ins.fadeout <= 0xfff && ins.vibrato_type >= 0 && ins.vibrato_type < 4 &&
              ins.vibrato_depth >= 0 && ins.vibrato_depth < 16 && ins.vibrato_rate >= 0 && ins.vibrato_rate < 64 &&
              ins.vibrato_sweep >= 0 && ins.vibrato_sweep < 256;
    for (int k : ins.keymap)
        ok = ok && k >= 0 && k < static_cast<int>(ins.samples.size());
    for (size_t i = 0; i < ins.volume_envelope.size(); i++) {
        const XmEnvelopePoint &p = ins.volume_envelope[i];
        ok = ok && p.y >= 0 && p.y <= 64 && p.x >= 0 && p.x < 65536 &&
             (i == 0 ? p.x == 0 : p.x > ins.volume_envelope[i - 1].x);
    }
    for (const XmSample &s : ins.samples)
        ok = ok && !s.data.empty() && s.volume >= 0 && s.volume <= 64 && s.finetune >= -128 && s.finetune < 128 &&
             s.relative_note >= -96 && s.relative_note < 96 && s.panning >= 0 && s.panning < 256 &&
             s.loop_start >= 0 && s.loop_length >= 0 &&
             s.loop_start + s.loop_length <= static_cast<int>(s.data.size());
    if (!ok) {
        fprintf(stderr, "%s: instrument \"%s\" is out of range\n", path.c_str(), ins.name.c_str());
        exit(1);
    }
}

} // namespace

void write_bmp(const std::string &path, BITMAP *bmp)
{
    int w = bmp->w, h = bmp->h;
    int stride = (3 * w + 3) & ~3;
    Bytes o;
    o.u8('B'); o.u8('M');
    o.u32(static_cast<uint32_t>(54 + stride * h));
    o.u16(0); o.u16(0);
    o.u32(54);
    o.u32(40);
    o.u32(static_cast<uint32_t>(w));
    o.u32(static_cast<uint32_t>(h));
    o.u16(1); o.u16(24);
    o.u32(0);
    o.u32(static_cast<uint32_t>(stride * h));
    o.u32(2835); o.u32(2835);
    o.u32(0); o.u32(0);
    for (int y = h - 1; y >= 0; y--) {
        for (int x = 0; x < w; x++) {
            int c = getpixel(bmp, x, y);
            o.u8(getb32(c)); o.u8(getg32(c)); o.u8(getr32(c));
        }
        for (int pad = 3 * w; pad < stride; pad++)
            o.u8(0);
    }
    o.save(path);
}

void write_pcx8(const std::string &path, int w, int h, const std::vector<uint8_t> &pixels,
                const uint8_t palette[768])
{
    int bpl = (w + 1) & ~1;
    Bytes o;
    o.u8(10); o.u8(5); o.u8(1); o.u8(8);
    o.u16(0); o.u16(0); o.u16(w - 1); o.u16(h - 1);
    o.u16(72); o.u16(72);
    for (int i = 0; i < 48; i++)
        o.u8(0);
    o.u8(0);
    o.u8(1);
    o.u16(bpl);
    o.u16(1);
    o.u16(0); o.u16(0);
    for (int i = 0; i < 54; i++)
        o.u8(0);
    // Runs never cross a row: Allegro's reader drops the rest of such a run.
    for (int y = 0; y < h; y++) {
        int x = 0;
        while (x < bpl) {
            uint8_t v = x < w ? pixels[y * w + x] : 0;
            int run = 1;
            while (x + run < bpl && run < 63 && (x + run < w ? pixels[y * w + x + run] : 0) == v)
                run++;
            if (run > 1 || v >= 0xC0)
                o.u8(0xC0 | run);
            o.u8(v);
            x += run;
        }
    }
    o.u8(0x0C);
    for (int i = 0; i < 768; i++)
        o.u8(palette[i]);
    o.save(path);
}

void write_wav(const std::string &path, int rate, const std::vector<int16_t> &samples)
{
    uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    Bytes o;
    o.str("RIFF", 4); o.u32(36 + data); o.str("WAVE", 4);
    o.str("fmt ", 4); o.u32(16); o.u16(1); o.u16(1);
    o.u32(static_cast<uint32_t>(rate)); o.u32(static_cast<uint32_t>(rate * 2)); o.u16(2); o.u16(16);
    o.str("data", 4); o.u32(data);
    for (int16_t s : samples)
        o.u16(static_cast<uint16_t>(s));
    o.save(path);
}

XmPattern make_pattern(int rows, int channels)
{
    XmPattern p;
    p.rows = rows;
    p.cells.resize(static_cast<size_t>(rows * channels));
    return p;
}

void write_xm(const std::string &path, const XmModule &m)
{
    bool ok = !m.orders.empty() && m.orders.size() <= 256 && m.restart >= 0 &&
              m.restart < static_cast<int>(m.orders.size()) && m.channels >= 1 && m.channels <= 32 &&
              !m.patterns.empty() && m.patterns.size() <= 256 && m.instruments.size() <= 128 &&
              m.speed >= 1 && m.speed < 32 && m.bpm >= 32 && m.bpm <= 255;
    for (int order : m.orders)
        ok = ok && order >= 0 && order < static_cast<int>(m.patterns.size());
    for (const XmPattern &p : m.patterns) {
        ok = ok && p.rows >= 1 && p.rows <= 256 && p.cells.size() == static_cast<size_t>(p.rows * m.channels);
        for (const XmCell &c : p.cells)
            ok = ok && c.note <= 97 && c.instrument <= m.instruments.size() && (c.volume == 0 || c.volume >= 0x10);
    }
    if (!ok) {
        fprintf(stderr, "%s: module is out of range\n", path.c_str());
        exit(1);
    }

    Bytes o;
    o.str("Extended Module: ", 17);
    o.str(m.name, 20);
    o.u8(0x1A);
    o.str("nannyday tools", 20);
    o.u16(0x0104);
    o.u32(276);
    o.u16(static_cast<int>(m.orders.size()));
    o.u16(m.restart);
    o.u16(m.channels);
    o.u16(static_cast<int>(m.patterns.size()));
    o.u16(static_cast<int>(m.instruments.size()));
    o.u16(1);   // linear frequency table
    o.u16(m.speed);
    o.u16(m.bpm);
    for (int i = 0; i < 256; i++)
        o.u8(i < static_cast<int>(m.orders.size()) ? m.orders[i] : 0);

    for (const XmPattern &p : m.patterns) {
        Bytes d;
        for (const XmCell &c : p.cells) {
            int mask = (c.note ? 1 : 0) | (c.instrument ? 2 : 0) | (c.volume ? 4 : 0) |
                       (c.effect ? 8 : 0) | (c.param ? 16 : 0);
            d.u8(0x80 | mask);
            if (c.note) d.u8(c.note);
            if (c.instrument) d.u8(c.instrument);
            if (c.volume) d.u8(c.volume);
            if (c.effect) d.u8(c.effect);
            if (c.param) d.u8(c.param);
        }
        o.u32(9);
        o.u8(0);
        o.u16(p.rows);
        o.u16(static_cast<int>(d.size()));
        o.raw(d.b);
    }

    for (const XmInstrument &ins : m.instruments) {
        check_instrument(path, ins);
        o.u32(263);
        o.str(ins.name, 22);
        o.u8(0);
        o.u16(static_cast<int>(ins.samples.size()));
        o.u32(40);
        for (int i = 0; i < 96; i++)
            o.u8(ins.keymap.empty() ? 0 : ins.keymap[i]);
        for (int i = 0; i < 12; i++) {
            bool used = i < static_cast<int>(ins.volume_envelope.size());
            o.u16(used ? ins.volume_envelope[i].x : 0);
            o.u16(used ? ins.volume_envelope[i].y : 0);
        }
        for (int i = 0; i < 12; i++) {
            o.u16(0);
            o.u16(32);
        }
        o.u8(static_cast<int>(ins.volume_envelope.size()));
        o.u8(0);
        o.u8(ins.sustain_point < 0 ? 0 : ins.sustain_point);
        o.u8(0); o.u8(0);
        o.u8(0); o.u8(0); o.u8(0);
        int vtype = ins.volume_envelope.empty() ? 0 : 1;
        if (ins.sustain_point >= 0)
            vtype |= 2;
        o.u8(vtype);
        o.u8(0);
        o.u8(ins.vibrato_type); o.u8(ins.vibrato_sweep); o.u8(ins.vibrato_depth); o.u8(ins.vibrato_rate);
        o.u16(ins.fadeout);
        o.u16(0);
        for (int i = 0; i < 20; i++)
            o.u8(0);

        // All sample headers first, then all sample data.
        for (const XmSample &s : ins.samples) {
            o.u32(static_cast<uint32_t>(s.data.size() * 2));
            o.u32(static_cast<uint32_t>(s.loop_start * 2));
            o.u32(static_cast<uint32_t>(s.loop_length * 2));
            o.u8(s.volume);
            o.u8(static_cast<uint8_t>(static_cast<int8_t>(s.finetune)));
            o.u8((s.loop_length > 0 ? 1 : 0) | 0x10);
            o.u8(s.panning);
            o.u8(static_cast<uint8_t>(static_cast<int8_t>(s.relative_note)));
            o.u8(0);
            o.str(ins.name, 22);
        }
        for (const XmSample &s : ins.samples) {
            int16_t prev = 0;
            for (int16_t v : s.data) {
                o.u16(static_cast<uint16_t>(static_cast<int16_t>(v - prev)));
                prev = v;
            }
        }
    }
    o.save(path);
}
