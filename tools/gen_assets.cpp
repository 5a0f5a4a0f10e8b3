// Writes every data file the game reads into <out>/bmp, <out>/wav and <out>/xm.
// One function per file; the output is the same, byte for byte, on every run.
#include "writers.h"

#include <allegro.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

std::string out;

const int MASK_R = 255, MASK_G = 0, MASK_B = 255;

BITMAP *canvas(int w, int h, int r, int g, int b)
{
    BITMAP *bmp = create_bitmap_ex(32, w, h);
    clear_to_color(bmp, makecol32(r, g, b));
    return bmp;
}

void save(BITMAP *bmp, const char *name)
{
    write_bmp(out + "/bmp/" + name, bmp);
    destroy_bitmap(bmp);
}

// ---- font -----------------------------------------------------------------

const int GLYPH_W = 8, GLYPH_H = 12, FONT_COLS = 16, FONT_ROWS = 6;

// Placeholder glyphs: a frame with the character code's bits inside, so each
// character is distinct and non-blank (space stays blank).
void glyph(std::vector<uint8_t> &px, int w, int ox, int oy, int code)
{
    if (code == ' ')
        return;
    for (int y = 1; y < 10; y++)
        for (int x = 1; x < 6; x++) {
            bool edge = y == 1 || y == 9 || x == 1 || x == 5;
            bool bit = y >= 3 && y <= 6 && x >= 2 && x <= 4 && ((code >> ((y - 3) * 3 + (x - 2))) & 1);
            if (edge || bit)
                px[(oy + y) * w + ox + x] = 1;
        }
}

void font_pcx()
{
    int w = FONT_COLS * (GLYPH_W + 1) + 1, h = FONT_ROWS * (GLYPH_H + 1) + 1;
    std::vector<uint8_t> px(static_cast<size_t>(w * h), 255);
    for (int i = 0; i < 95; i++) {
        int ox = 1 + (i % FONT_COLS) * (GLYPH_W + 1), oy = 1 + (i / FONT_COLS) * (GLYPH_H + 1);
        for (int y = 0; y < GLYPH_H; y++)
            for (int x = 0; x < GLYPH_W; x++)
                px[(oy + y) * w + ox + x] = 0;
        glyph(px, w, ox, oy, 32 + i);
    }
    uint8_t pal[768] = {};
    pal[3] = pal[4] = pal[5] = 255;
    pal[765] = 255; pal[766] = 255;
    write_pcx8(out + "/bmp/font.pcx", w, h, px, pal);
}

// ---- pictures -------------------------------------------------------------

void bg0()
{
    BITMAP *b = canvas(640, 480, 90, 150, 80);
    rectfill(b, 208, 202, 433, 320, makecol32(120, 190, 100));
    rectfill(b, 413, 300, 433, 320, makecol32(230, 200, 60));
    save(b, "bg0.bmp");
}

void bg1()
{
    BITMAP *b = canvas(640, 480, 200, 190, 170);
    for (int i = 0; i < 3; i++)
        rect(b, 113 + 133 * i, 151, 115 + 133 * i + 129, 282, makecol32(60, 60, 60));
    save(b, "bg1.bmp");
}

void bg2()
{
    BITMAP *b = canvas(640, 480, 170, 200, 230);
    rectfill(b, 0, 401, 639, 479, makecol32(110, 110, 110));
    save(b, "bg2.bmp");
}

void l2sprites()
{
    BITMAP *b = canvas(384, 384, MASK_R, MASK_G, MASK_B);
    const int shade[3][3] = {{200, 60, 60}, {230, 230, 230}, {60, 160, 60}};
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++) {
            int x = col * 128, y = row * 128;
            circlefill(b, x + 64, y + 64, 50, makecol32(shade[row][0], shade[row][1], shade[row][2]));
            if (col == 1 && row != 1)
                triangle(b, x + 34, y + (row == 0 ? 84 : 44), x + 94, y + (row == 0 ? 84 : 44), x + 64,
                         y + (row == 0 ? 34 : 94), makecol32(30, 30, 30));
        }
    save(b, "l2sprites.bmp");
}

void figure(const char *name, int r, int g, int b)
{
    BITMAP *s = canvas(32, 32, MASK_R, MASK_G, MASK_B);
    circlefill(s, 16, 8, 6, makecol32(240, 200, 170));
    rectfill(s, 9, 14, 22, 31, makecol32(r, g, b));
    save(s, name);
}

void trolley()
{
    BITMAP *t = canvas(190, 122, MASK_R, MASK_G, MASK_B);
    rectfill(t, 10, 10, 179, 95, makecol32(160, 160, 175));
    circlefill(t, 35, 108, 12, makecol32(40, 40, 40));
    circlefill(t, 155, 108, 12, makecol32(40, 40, 40));
    save(t, "trolley.bmp");
}

void title_bmp()
{
    BITMAP *t = canvas(640, 480, MASK_R, MASK_G, MASK_B);
    rectfill(t, 120, 80, 520, 200, makecol32(250, 240, 220));
    save(t, "title.bmp");
}

void cutscene(const char *name, int r, int g, int b)
{
    BITMAP *c = canvas(640, 480, r, g, b);
    rectfill(c, 40, 360, 600, 440, makecol32(250, 250, 240));
    save(c, name);
}

// ---- sound effects --------------------------------------------------------

const int RATE = 22050;

// Short ramps at both ends keep the effects from clicking.
int16_t shaped(double v, int i, int n)
{
    double ramp = std::fmin(1.0, std::fmin(i / 100.0, (n - 1 - i) / 400.0));
    return static_cast<int16_t>(std::lround(v * ramp * 20000.0));
}

void good_wav()
{
    int n = RATE * 3 / 10;
    std::vector<int16_t> s(static_cast<size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; i++) {
        phase += 2 * M_PI * (660.0 + 660.0 * i / n) / RATE;
        s[i] = shaped(std::sin(phase), i, n);
    }
    write_wav(out + "/wav/good.wav", RATE, s);
}

void bad_wav()
{
    int n = RATE * 3 / 10;
    std::vector<int16_t> s(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / RATE;
        s[i] = shaped(0.6 * std::sin(2 * M_PI * 110 * t) + 0.3 * std::sin(2 * M_PI * 220 * t), i, n);
    }
    write_wav(out + "/wav/bad.wav", RATE, s);
}

// ---- music ----------------------------------------------------------------

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

void make_dirs()
{
    for (const char *d : {"", "/bmp", "/wav", "/xm"}) {
        std::string path = out + d;
        if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            fprintf(stderr, "cannot create %s\n", path.c_str());
            exit(1);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    out = argv[1];
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    make_dirs();

    font_pcx();
    bg0();
    bg1();
    bg2();
    l2sprites();
    figure("img1.bmp", 230, 120, 60);
    figure("img2.bmp", 70, 90, 200);
    trolley();
    title_bmp();
    cutscene("0-0.bmp", 240, 200, 160);
    cutscene("0-1.bmp", 200, 220, 160);
    cutscene("1-0.bmp", 160, 200, 230);
    cutscene("2-0.bmp", 220, 170, 200);
    cutscene("3-0.bmp", 250, 220, 120);
    good_wav();
    bad_wav();
    track("0.xm", 61, 140);
    track("1.xm", 56, 110);
    track("2.xm", 53, 120);
    track("int.xm", 49, 100);
    return 0;
}
END_OF_MAIN()
