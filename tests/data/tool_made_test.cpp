// Files made the way a player making their own content would make them:
// pictures by ImageMagick, sounds by sox, modules with the trackers' habits.
// Every one loads; one converted or repaired on the way shows the same
// pixels, or plays the same sound, as its plain equivalent.
#include "audio/audio.h"
#include "data/assets.h"
#include "data/bmp.h"
#include "data/file.h"
#include "data/pcx.h"
#include "data/wav.h"
#include "data/xm.h"
#include "common/writers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

uint32_t get32(const Bytes &b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void set32(Bytes &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

Bytes read_file(const fs::path &p)
{
    Bytes b;
    EXPECT_EQ(read_data_file(p.c_str(), b), nullptr) << p;
    return b;
}

class ToolMade : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        dir = fs::temp_directory_path() / ("nannyday-tool-made-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    static void TearDownTestSuite() { fs::remove_all(dir); }

    // Runs a tool in the scratch folder and reads what it wrote.
    static Bytes make(const std::string &command, const std::string &out, const std::string &after = "")
    {
        std::string line = "cd '" + dir.string() + "' && " + command + " " + out + " " + after + " 2>&1";
        EXPECT_EQ(std::system(line.c_str()), 0) << line;
        return read_file(dir / out);
    }

    static fs::path dir;
};

fs::path ToolMade::dir;

// Every pixel within `tolerance` in each colour.
void expect_same_pixels(BITMAP *got, BITMAP *want, int tolerance, const std::string &what)
{
    ASSERT_EQ(got->w, want->w) << what;
    ASSERT_EQ(got->h, want->h) << what;
    int worst = 0, wx = 0, wy = 0;
    for (int y = 0; y < got->h; y++)
        for (int x = 0; x < got->w; x++) {
            int a = getpixel(got, x, y), b = getpixel(want, x, y);
            int d = std::max({std::abs(getr32(a) - getr32(b)), std::abs(getg32(a) - getg32(b)),
                              std::abs(getb32(a) - getb32(b))});
            if (d > worst) {
                worst = d;
                wx = x;
                wy = y;
            }
        }
    EXPECT_LE(worst, tolerance) << what << " at " << wx << "," << wy;
}

// The same picture with its rows stored top row first (negative height).
Bytes top_down(Bytes b)
{
    uint32_t off = get32(b, 10), w = get32(b, 18), h = get32(b, 22), bits = b[28];
    size_t row = (w * bits + 31) / 32 * 4;
    for (uint32_t i = 0; i < h / 2; i++)
        std::swap_ranges(b.begin() + static_cast<long>(off + i * row), b.begin() + static_cast<long>(off + (i + 1) * row),
                         b.begin() + static_cast<long>(off + (h - 1 - i) * row));
    set32(b, 22, static_cast<uint32_t>(-static_cast<int32_t>(h)));
    return b;
}

// The same picture with the 52- or 56-byte header: the 40-byte one and its masks.
Bytes shorter_header(const Bytes &b, uint32_t size)
{
    uint32_t old = get32(b, 14);
    Bytes out(b.begin(), b.begin() + 14 + size);
    out.insert(out.end(), b.begin() + 14 + old, b.end());
    set32(out, 14, size);
    set32(out, 10, get32(b, 10) - (old - size));
    return out;
}

// A plain 4-bit picture run-length coded, each row's last run carried on
// into the row's padding as some tools do it.
Bytes rle4_of(const Bytes &plain)
{
    uint32_t off = get32(plain, 10), w = get32(plain, 18), h = get32(plain, 22);
    size_t row = (w * 4 + 31) / 32 * 4;
    Bytes out(plain.begin(), plain.begin() + off);
    out[30] = 2;
    for (uint32_t y = 0; y < h; y++) {
        auto pixel = [&](uint32_t x) { return (plain[off + y * row + x / 2] >> (x % 2 ? 0 : 4)) & 15; };
        for (uint32_t x = 0; x < w;) {
            uint32_t end = x + 1;
            while (end < w && end - x < 240 && pixel(end) == pixel(x))
                end++;
            uint32_t count = end - x + (end == w ? (8 - w % 8) % 8 : 0);
            out.push_back(static_cast<unsigned char>(count));
            out.push_back(static_cast<unsigned char>(pixel(x) * 17));
            x = end;
        }
        out.push_back(0);
        out.push_back(y + 1 == h ? 1 : 0);
    }
    return out;
}

} // namespace

TEST_F(ToolMade, EveryBmpImageMagickWritesLoadsWithThePixelsOfItsPlainSave)
{
    make("convert -size 145x67 -seed 7 plasma:fractal -fill magenta -draw 'rectangle 10,10 40,30'", "src.png");
    const std::string bmp3 = "-define bmp:format=bmp3 ", os2 = "-define bmp:format=bmp2 ";
    Bytes plain24 = make("convert src.png -type truecolor " + bmp3, "plain24.bmp");
    Bytes plain8 = make("convert src.png -type palette -compress none " + bmp3, "plain8.bmp");
    Bytes plain4 = make("convert src.png -colors 16 -type palette " + bmp3, "plain4.bmp");
    Bytes plain1 = make("convert src.png -monochrome " + bmp3, "plain1.bmp");
    Bytes v5_565 = make("convert src.png -define bmp:subtype=RGB565", "v5-565.bmp");
    Bytes v5_24 = make("convert src.png -type truecolor", "v5-24.bmp");
    Bytes v5_32 = make("convert src.png -alpha set -channel A -evaluate set 50% +channel -type truecoloralpha",
                       "v5-32.bmp");
    ASSERT_EQ(get32(v5_24, 14), 124u);
    ASSERT_EQ(plain24[30], 0);

    struct Case {
        std::string what;
        Bytes file;
        const Bytes &plain;
        int tolerance;   // 5 or 6 bits a colour in the file
        bool repaired;
    } cases[] = {
        {"V5 24-bit", v5_24, plain24, 0, false},
        {"V5 32-bit with alpha in bit-fields", v5_32, plain24, 0, false},
        {"V5 16-bit R5G6B5", v5_565, plain24, 8, false},
        {"V5 16-bit X1R5G5B5", make("convert src.png -define bmp:subtype=RGB555", "v5-555.bmp"), plain24, 8, false},
        {"56-byte header R5G6B5", shorter_header(v5_565, 56), plain24, 8, false},
        {"52-byte header 24-bit", shorter_header(v5_24, 52), plain24, 0, false},
        {"V5 8-bit run-length, odd width", make("convert src.png -type palette", "v5-rle8.bmp"), plain8, 0, true},
        {"V5 4-bit", make("convert src.png -colors 16 -type palette", "v5-4.bmp"), plain4, 0, false},
        {"V4 1-bit", make("convert src.png -monochrome", "v4-1.bmp"), plain1, 0, false},
        {"BMP3 8-bit run-length, odd width", make("convert src.png -type palette " + bmp3, "rle8.bmp"), plain8, 0, true},
        {"BMP3 4-bit run-length, odd width", rle4_of(plain4), plain4, 0, true},
        {"BMP3 32-bit with alpha", make("convert src.png -alpha set -type truecoloralpha -define bmp3:alpha=true " + bmp3, "bmp3-32.bmp"),
         plain24, 0, false},
        {"OS/2 24-bit", make("convert src.png -type truecolor " + os2, "os2-24.bmp"), plain24, 0, false},
        {"OS/2 8-bit", make("convert src.png -type palette " + os2, "os2-8.bmp"), plain8, 0, false},
        {"OS/2 4-bit", make("convert src.png -colors 16 -type palette " + os2, "os2-4.bmp"), plain4, 0, false},
        {"OS/2 1-bit", make("convert src.png -monochrome " + os2, "os2-1.bmp"), plain1, 0, false},
        {"top-down 24-bit", top_down(plain24), plain24, 0, false},
        {"top-down V5 32-bit", top_down(v5_32), plain24, 0, false},
        {"top-down 1-bit", top_down(plain1), plain1, 0, false},
    };
    for (const Case &c : cases) {
        const char *why, *plain_why;
        BITMAP *want = image_from_bytes(c.plain, &plain_why);
        ASSERT_NE(want, nullptr) << c.what << ": plain save " << plain_why;
        BITMAP *got = image_from_bytes(c.file, &why);
        ASSERT_NE(got, nullptr) << c.what << ": " << why;
        EXPECT_EQ(why != nullptr, c.repaired) << c.what << ": " << (why ? why : "nothing repaired");
        EXPECT_EQ(bitmap_color_depth(got), 32) << c.what;
        expect_same_pixels(got, want, c.tolerance, c.what);
        destroy_bitmap(got);
        destroy_bitmap(want);
    }
}

TEST_F(ToolMade, ImageMagickFontsAndSoxEffectsLoad)
{
    std::string font = std::string(NANNYDAY_DATA_DIR) + "/bmp/font.pcx";
    const char *why = nullptr;
    FONT *original = font_from_bytes(read_file(font), &why);
    ASSERT_NE(original, nullptr);
    for (const char *kind : {"-type palette", "-type truecolor"}) {
        Bytes pcx = make("convert '" + font + "' " + kind, "font.pcx");
        FONT *f = font_from_bytes(pcx, &why);
        EXPECT_NE(f, nullptr) << kind << ": " << (why ? why : "");
        if (f) {
            EXPECT_EQ(text_height(f), text_height(original)) << kind;
            EXPECT_EQ(text_length(f, "Start"), text_length(original, "Start")) << kind;
            destroy_font(f);
        }
        // Lines shorter than the picture is wide leave Allegro's columns past
        // them unwritten.
        unsigned width = (pcx[8] | pcx[9] << 8) - (pcx[4] | pcx[5] << 8) + 1;
        pcx[66] = static_cast<unsigned char>(width - 1);
        pcx[67] = static_cast<unsigned char>((width - 1) >> 8);
        EXPECT_EQ(font_from_bytes(pcx, &why), nullptr) << kind;
        EXPECT_STREQ(why, "PCX lines shorter than the picture's width") << kind;
    }
    destroy_font(original);

    for (const char *encoding : {"unsigned -b 8", "signed -b 16"})
        for (int channels : {1, 2})
            for (int rate : {8000, 11025, 22050, 44100, 524287}) {   // the mixer's highest rate last
                std::string format = std::string("-e ") + encoding + " -c " + std::to_string(channels) + " -r " +
                                   std::to_string(rate);
                Bytes wav = make("sox -n " + format, "effect.wav", "synth 0.1 sine 440");
                SAMPLE *s = effect_from_bytes(wav, &why);
                ASSERT_NE(s, nullptr) << format << ": " << why;
                EXPECT_EQ(why, nullptr) << format;
                EXPECT_EQ(s->bits, encoding[0] == 'u' ? 8 : 16) << format;
                EXPECT_EQ(s->stereo != 0, channels == 2) << format;
                EXPECT_EQ(s->freq, rate) << format;
                EXPECT_NEAR(static_cast<double>(s->len), rate / 10, 1) << format;
                destroy_sample(s);
            }
    Bytes too_fast = make("sox -n -e signed -b 16 -c 1 -r 524288", "effect.wav", "synth 0.1 sine 440");
    EXPECT_EQ(effect_from_bytes(too_fast, &why), nullptr);
    EXPECT_STREQ(why, "WAV sample rate too high for the mixer");
}

namespace {

// A two-instrument module with a volume envelope and a vibrato, as the
// generator's writer lays it out.
XmModule small_module()
{
    XmModule m;
    m.name = "tracker habits";
    m.channels = 2;
    m.orders = {0, 0};
    XmPattern p = make_pattern(16, 2);
    for (int r = 0; r < 16; r += 4) {
        p.at(r, 0, 2) = XmCell{static_cast<uint8_t>(49 + r), 1, 0, 0, 0};
        p.at(r + 2, 1, 2) = XmCell{static_cast<uint8_t>(37 + r), 2, 0x40, 0, 0};
        p.at(r + 3, 0, 2) = XmCell{97, 0, 0, 0, 0};
    }
    m.patterns = {p};
    for (int i = 0; i < 2; i++) {
        XmInstrument ins;
        ins.name = i ? "square" : "saw";
        XmSample s;
        for (int k = 0; k < 64; k++)
            s.data.push_back(static_cast<int16_t>(i ? (k < 32 ? 9000 : -9000) : (k - 32) * 300));
        s.loop_length = 64;
        s.relative_note = 12;
        ins.samples = {s};
        ins.volume_envelope = {{0, 64}, {10, 40}, {40, 20}, {80, 0}};
        ins.sustain_point = 1;
        ins.fadeout = 0x400;
        ins.vibrato_depth = 4;
        ins.vibrato_rate = 20;
        m.instruments.push_back(ins);
    }
    return m;
}

// Where the first instrument starts: after the header and the patterns.
size_t first_instrument(const Bytes &xm)
{
    size_t p = 336;
    for (int i = 0; i < (xm[70] | xm[71] << 8); i++)
        p += 9 + (xm[p + 7] | xm[p + 8] << 8);
    return p;
}

// The first seconds of a module as the game streams it.
std::vector<short> rendered(DUH *duh)
{
    std::vector<short> out(2 * 11000 * 3);
    DUH_SIGRENDERER *r = duh_start_sigrenderer(duh, 0, 2, 0);
    duh_render(r, 16, 0, 1.0f, 65536.0f / 11000.0f, 11000 * 3, out.data());
    duh_end_sigrenderer(r);
    return out;
}

} // namespace

// OpenMPT, MilkyTracker and FastTracker 2 itself write values beyond FT2's
// editor limits; DUMB plays them, so they load. What DUMB would refuse or
// trip over yet plainly means something is clamped, and then plays exactly
// like the module written with the clamped value.
TEST_F(ToolMade, ModulesWithTheTrackersValuesLoadAndRepairsPlayLikeThePlainModule)
{
    write_xm((dir / "base.xm").string(), small_module());
    const Bytes base = read_file(dir / "base.xm");
    const size_t ins = first_instrument(base), sample = ins + 263;
    auto patched = [&](std::initializer_list<std::pair<size_t, unsigned>> bytes) {
        Bytes b = base;
        for (auto [at, v] : bytes)
            b[at] = static_cast<unsigned char>(v);
        return b;
    };

    struct Variant {
        const char *what;
        Bytes file;
    } taken[] = {
        {"fadeout 0x7FFF", patched({{ins + 239, 0xff}, {ins + 240, 0x7f}})},
        {"fadeout 0xFFFF", patched({{ins + 239, 0xff}, {ins + 240, 0xff}})},
        {"vibrato depth 0x40, rate 0xFF, sweep 0xFF", patched({{ins + 237, 0x40}, {ins + 238, 0xff}, {ins + 236, 0xff}})},
        {"sample volume 0x80", patched({{sample + 12, 0x80}})},
        {"loop type 3", patched({{sample + 14, 0x13}})},
        {"sample map past the instrument's samples", patched({{ins + 33 + 40, 5}})},
        {"sustain and loop points past the last point", patched({{ins + 227, 9}, {ins + 228, 11}, {ins + 229, 10}, {ins + 233, 7}})},
        {"envelope ticks out of order", patched({{ins + 129 + 8, 90}})},
        {"envelope switched on with no points", patched({{ins + 225, 0}})},
        {"envelope switched off with 20 points", patched({{ins + 225, 20}, {ins + 233, 0}})},
        {"speed 40", patched({{76, 40}})},
        {"tempo 20", patched({{78, 20}})},
        {"note 121", patched({{336 + 9 + 1, 121}})},
    };
    for (const Variant &v : taken) {
        const char *why = nullptr;
        DUH *duh = track_from_bytes(v.file, &why);
        ASSERT_NE(duh, nullptr) << v.what << ": " << why;
        EXPECT_EQ(why, nullptr) << v.what;
        std::vector<short> out = rendered(duh);
        EXPECT_NE(*std::max_element(out.begin(), out.end()), 0) << v.what;
        unload_duh(duh);
    }

    struct Repair {
        const char *what;
        Bytes file, plain;
    } repaired[] = {
        {"tempo 256", patched({{78, 0}, {79, 1}}), patched({{78, 255}})},   // DUMB's byte would hold 0
        {"tempo 300", patched({{78, 300 & 0xff}, {79, 300 >> 8}}), patched({{78, 255}})},
        {"tempo 512", patched({{78, 0}, {79, 2}}), patched({{78, 255}})},
        {"envelope level 80", patched({{ins + 129 + 6, 80}}), patched({{ins + 129 + 6, 64}})},
        {"envelope of 14 points", patched({{ins + 225, 14}}), patched({{ins + 225, 12}})},
    };
    for (const Repair &r : repaired) {
        // Loaded as the game loads it, which names the file and the repair on stderr.
        const std::string path = (dir / "repaired.xm").string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(r.file.data()),
                                                    static_cast<std::streamsize>(r.file.size()));
        testing::internal::CaptureStderr();
        DUH *duh = load_checked(path.c_str(), track_from_bytes);
        std::string said = testing::internal::GetCapturedStderr();
        ASSERT_NE(duh, nullptr) << r.what << ": " << said;
        EXPECT_EQ(said.rfind("nannyday: repaired \"" + path + "\" in memory (XM ", 0), 0u) << r.what << ": " << said;
        const char *plain_why = nullptr;
        DUH *plain = track_from_bytes(r.plain, &plain_why);
        ASSERT_NE(plain, nullptr) << r.what;
        EXPECT_EQ(plain_why, nullptr) << r.what;
        EXPECT_EQ(rendered(duh), rendered(plain)) << r.what;
        unload_duh(duh);
        unload_duh(plain);
    }

    // Still refused, each with its own reason.
    struct Refusal {
        Bytes file;
        const char *why;
    } refused[] = {
        {patched({{78, 0}}), "XM tempo of 0"},
        {patched({{ins + 235, 4}}), "XM vibrato type out of range"},
        {patched({{336 + 9 + 1, 98}}), "XM note out of range"},
        {patched({{68, 65}}), "XM channel count out of range"},
    };
    for (const Refusal &r : refused) {
        const char *why = nullptr;
        EXPECT_EQ(track_from_bytes(r.file, &why), nullptr) << r.why;
        EXPECT_STREQ(why, r.why);
    }
}
