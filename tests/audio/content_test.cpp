// The shipped music and effects as a player would hear them: each track rendered
// offline the way the game streams it (DUMB, stereo, 11000 Hz, volume 1.0).
#include "audio/audio.h"
#include "support/spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char *const TRACKS[4] = {"xm/0.xm", "xm/1.xm", "xm/2.xm", "xm/int.xm"};
const double FULL = 8388608.0;   // DUMB's unclipped sample scale

struct Rendered {
    std::vector<double> left, right;   // fractions of full scale, before any clipping
    bool looped = false;
    double seconds() const { return static_cast<double>(left.size()) / rate; }
    int rate = 11000;
};

int stop_at_loop(void *data)
{
    *static_cast<bool *>(data) = true;
    return 1;
}

// Renders from the start for `limit` seconds, or only until the song first
// jumps back when `to_loop` is set.
Rendered render(const char *path, int rate, double limit, bool to_loop = true)
{
    Rendered r;
    r.rate = rate;
    DUH *duh = dumb_load_xm_quick(path);
    if (!duh)
        return r;
    DUH_SIGRENDERER *sr = duh_start_sigrenderer(duh, 0, 2, 0);
    if (to_loop)
        dumb_it_set_loop_callback(duh_get_it_sigrenderer(sr), stop_at_loop, &r.looped);
    const long chunk = 4096;
    sample_t **buf = allocate_sample_buffer(2, chunk);
    while (r.seconds() < limit) {
        dumb_silence(buf[0], 2 * chunk);
        long n = duh_sigrenderer_generate_samples(sr, 1.0f, 65536.0f / rate, chunk, buf);
        for (long i = 0; i < n; i++) {
            r.left.push_back(buf[0][2 * i] / FULL);
            r.right.push_back(buf[0][2 * i + 1] / FULL);
        }
        if (n < chunk)
            break;
    }
    destroy_sample_buffer(buf);
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    return r;
}

class Content : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        ASSERT_EQ(chdir(NANNYDAY_DATA_DIR), 0);
        dumb_register_stdfiles();
        for (int t = 0; t < 4; t++)
            tracks[t] = render(TRACKS[t], 11000, 600);
    }
    static Rendered tracks[4];
};

Rendered Content::tracks[4];

} // namespace

TEST_F(Content, EveryTrackLoadsAndPlaysAtLeast45SecondsBeforeLoopingBack)
{
    for (int t = 0; t < 4; t++) {
        SCOPED_TRACE(TRACKS[t]);
        DUH *duh = dumb_load_xm_quick(TRACKS[t]);
        ASSERT_NE(duh, nullptr);
        unload_duh(duh);
        EXPECT_TRUE(tracks[t].looped) << "never jumps back within ten minutes";
        EXPECT_GE(tracks[t].seconds(), 45.0);
    }
}

// Past the loop too: a wrong restart position lands on an empty pattern.
TEST_F(Content, NoTrackClipsAndNoneFallsSilentEvenAfterLoopingBack)
{
    for (int t = 0; t < 4; t++) {
        SCOPED_TRACE(TRACKS[t]);
        const Rendered r = render(TRACKS[t], 11000, tracks[t].seconds() + 15, false);
        ASSERT_FALSE(r.left.empty());
        double peak = 0;
        for (size_t i = 0; i < r.left.size(); i++)
            peak = std::fmax(peak, std::fmax(std::fabs(r.left[i]), std::fabs(r.right[i])));
        EXPECT_LT(peak, 0.8) << "too close to clipping with every channel playing";
        EXPECT_GT(peak, 0.7) << "too quiet to carry over the effects";

        // A missing pattern or a forgotten channel shows up as a hole in the music.
        const size_t window = static_cast<size_t>(r.rate / 2);
        double quietest = 1;
        for (size_t at = 0; at + window <= r.left.size(); at += window) {
            double sum = 0;
            for (size_t i = at; i < at + window; i++)
                sum += r.left[i] * r.left[i] + r.right[i] * r.right[i];
            quietest = std::fmin(quietest, std::sqrt(sum / (2.0 * window)));
        }
        EXPECT_GT(20 * std::log10(quietest + 1e-12), -40.0) << "a half second of near silence";
    }
}

TEST_F(Content, TheFourTracksAreDifferentMusicEvenlyLoudAndWide)
{
    double loudest = -100, quietest = 0;
    for (int t = 0; t < 4; t++) {
        const Rendered &r = tracks[t];
        double sum = 0, mid = 0, side = 0;
        for (size_t i = 0; i < r.left.size(); i++) {
            sum += r.left[i] * r.left[i] + r.right[i] * r.right[i];
            mid += (r.left[i] + r.right[i]) * (r.left[i] + r.right[i]);
            side += (r.left[i] - r.right[i]) * (r.left[i] - r.right[i]);
        }
        double db = 10 * std::log10(sum / (2.0 * static_cast<double>(r.left.size())) + 1e-12);
        loudest = std::fmax(loudest, db);
        quietest = std::fmin(quietest, db);
        // Everything panned near the middle sounds narrow, as if from one small speaker.
        EXPECT_GT(10 * std::log10(side / (mid + 1e-30) + 1e-30), -16.0) << TRACKS[t] << ": dB of side to middle";
    }
    EXPECT_LT(loudest - quietest, 2.0) << "dB between the loudest and the quietest track";

    for (int a = 0; a < 4; a++)
        for (int b = a + 1; b < 4; b++) {
            ASSERT_GE(tracks[a].left.size(), 11000u * 10);
            ASSERT_GE(tracks[b].left.size(), 11000u * 10);
            std::vector<double> x(tracks[a].left.begin(), tracks[a].left.begin() + 11000 * 10);
            std::vector<double> y(tracks[b].left.begin(), tracks[b].left.begin() + 11000 * 10);
            EXPECT_NE(x, y) << TRACKS[a] << " and " << TRACKS[b] << " open the same way";
        }
}

namespace {

struct Played {
    std::string name;   // the instrument's
    int volume;         // its volume column, 0-64
    int channel;
    double seconds;     // from the start, at the song's own tempo
};

// Every note, in the order the song plays its patterns.
std::vector<Played> notes_played(const char *path)
{
    std::vector<Played> out;
    FILE *fp = fopen(path, "rb");
    if (!fp)
        return out;
    std::vector<unsigned char> d;
    for (int c; (c = fgetc(fp)) != EOF;)
        d.push_back(static_cast<unsigned char>(c));
    fclose(fp);
    auto u16 = [&](size_t at) { return static_cast<size_t>(d[at] | d[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (d.size() < 336)
        return out;
    size_t orders = u16(64), channels = u16(68), patterns = u16(70), instruments = u16(72);
    double row_seconds = 2.5 * static_cast<double>(u16(76)) / static_cast<double>(u16(78));
    size_t at = 60 + u32(60);
    // Each pattern's notes: instrument number, volume, channel, row.
    struct Cell {
        size_t instrument;
        int volume, channel;
        double row;
    };
    std::vector<std::vector<Cell>> cells(patterns);
    std::vector<size_t> rows(patterns);
    for (size_t p = 0; p < patterns; p++) {
        size_t q = at + u32(at), end = q + u16(at + 7);
        rows[p] = u16(at + 5);
        for (size_t cell = 0; q < end; cell++) {
            unsigned char f[5] = {0, 0, 0, 0, 0}, mask = d[q] & 0x80 ? d[q++] : 0x1f;
            for (int k = 0; k < 5; k++)
                if (mask & 1 << k)
                    f[k] = d[q++];
            if (f[0] >= 1 && f[0] <= 96 && f[1])
                cells[p].push_back({f[1], f[2] - 0x10, static_cast<int>(cell % channels),
                                    static_cast<double>(cell / channels)});
        }
        at = end;
    }
    std::vector<std::string> names;
    for (size_t i = 0; i < instruments; i++) {
        names.emplace_back(reinterpret_cast<const char *>(&d[at + 4]), strnlen(reinterpret_cast<const char *>(&d[at + 4]), 22));
        size_t samples = u16(at + 27), q = at + u32(at), data = 0;
        for (size_t k = 0; k < samples; k++, q += u32(at + 29))
            data += u32(q);
        at = samples ? q + data : at + u32(at);
    }
    double start = 0;
    for (size_t o = 0; o < orders; o++) {
        for (const Cell &n : cells[d[80 + o]])
            out.push_back({names[n.instrument - 1], n.volume, n.channel, (start + n.row) * row_seconds});
        start += static_cast<double>(rows[d[80 + o]]);
    }
    return out;
}

} // namespace

// A drum struck at one level every time sounds like a machine: accents, normal
// hits, lighter off-beats and ghost notes.
TEST_F(Content, EveryDrumPlaysAtThreeLevelsAtLeast)
{
    for (int t = 0; t < 4; t++) {
        SCOPED_TRACE(TRACKS[t]);
        std::vector<Played> notes = notes_played(TRACKS[t]);
        ASSERT_GT(notes.size(), 100u);
        for (const char *drum : {"kick", "snare", "hat", "open hat", "ride", "shaker", "clap"}) {
            std::set<int> volumes;
            for (const Played &n : notes)
                if (n.name == drum)
                    volumes.insert(n.volume);
            if (!volumes.empty()) {
                EXPECT_GE(volumes.size(), 3u) << drum;
            }
        }
    }
}

// A tune played at one level is a machine's: the leads and their echoes
// shape their phrases. And level three is over in under nine seconds, so its
// tune must come in within two.
TEST_F(Content, TheLeadsBreatheAndLevelThreesTuneComesInAtOnce)
{
    const char *const leads[4] = {"clarinet", "vibes", "brass", "flute"};
    for (int t = 0; t < 4; t++) {
        SCOPED_TRACE(TRACKS[t]);
        std::vector<Played> notes = notes_played(TRACKS[t]);
        std::map<int, std::set<int>> volumes;   // by channel
        double first = 1e9;
        for (const Played &n : notes)
            if (n.name == leads[t]) {
                volumes[n.channel].insert(n.volume);
                first = std::fmin(first, n.seconds);
            }
        ASSERT_FALSE(volumes.empty()) << "no " << leads[t];
        for (const auto &[channel, levels] : volumes)
            EXPECT_GE(levels.size(), 3u) << leads[t] << " on channel " << channel;
        if (t == 2) {
            EXPECT_LE(first, 2.0) << "seconds before the tune";
        }
    }
}

// What would fold back at the game's 11000 Hz shows up above 5.5 kHz when the
// same music is rendered at 44100 Hz.
TEST_F(Content, NothingReachesPastWhatThe11kHzStreamCarries)
{
    for (int t = 0; t < 4; t++) {
        SCOPED_TRACE(TRACKS[t]);
        Rendered r = render(TRACKS[t], 44100, 40);
        ASSERT_GT(r.seconds(), 30.0);
        std::vector<double> mid(r.left.size());
        for (size_t i = 0; i < mid.size(); i++)
            mid[i] = (r.left[i] + r.right[i]) / 2;
        double above = band_energy_fraction(mid, 44100, 5500, 22050);
        EXPECT_LT(above, 0.002) << "of the energy lies above 5.5 kHz";
    }
}

// The chime rings out like a small bell; the "not quite" sits above the busy
// middle of the level music and is always the gentler of the two.
TEST(Effects, StartAndEndQuietlyStayBelowFullScaleTheChimeRingsAndWrongIsTheGentler)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    ASSERT_EQ(chdir(NANNYDAY_DATA_DIR), 0);
    double loudness[2] = {0, 0};
    for (int e = 0; e < 2; e++) {
        const char *path = e == 0 ? "wav/good.wav" : "wav/bad.wav";
        SCOPED_TRACE(path);
        SAMPLE *s = load_sample(path);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->bits, 16);
        ASSERT_EQ(s->stereo, 0);
        double seconds = static_cast<double>(s->len) / s->freq;
        EXPECT_LT(seconds, e == 0 ? 0.9 : 0.7);
        EXPECT_GT(seconds, e == 0 ? 0.6 : 0.1);

        // Allegro keeps 16-bit samples unsigned, silence at 0x8000.
        const uint16_t *d = static_cast<const uint16_t *>(s->data);
        std::vector<double> v(s->len);
        for (unsigned long i = 0; i < s->len; i++)
            v[i] = (static_cast<int>(d[i]) - 0x8000) / 32768.0;
        double peak = 0;
        for (double x : v)
            peak = std::fmax(peak, std::fabs(x));
        EXPECT_LT(peak, 0.9) << "too close to full scale";
        EXPECT_GT(peak, 0.2) << "too faint to hear over the music";

        // RMS from the first to the last sample above -40 dBFS: a long quiet tail must not flatter it.
        unsigned long first = s->len, last = 0;
        for (unsigned long i = 0; i < s->len; i++)
            if (std::fabs(v[i]) > 0.01) {
                first = std::min(first, i);
                last = i;
            }
        ASSERT_LT(first, last);
        double sum = 0;
        for (unsigned long i = first; i <= last; i++)
            sum += v[i] * v[i];
        loudness[e] = 10 * std::log10(sum / static_cast<double>(last - first + 1));

        unsigned long start = static_cast<unsigned long>(s->freq * 0.00025);
        unsigned long end = static_cast<unsigned long>(s->freq * 0.002);
        for (unsigned long i = 0; i < start; i++)
            EXPECT_LT(std::fabs(v[i]), 0.05) << "starts with a click at sample " << i;
        for (unsigned long i = s->len - end; i < s->len; i++)
            EXPECT_LT(std::fabs(v[i]), 0.02) << "ends with a click at sample " << i;

        // Level in 20 ms steps, in dB below the loudest step.
        const size_t step = static_cast<size_t>(s->freq / 50);
        std::vector<double> level;
        for (size_t at = 0; at + step <= v.size(); at += step) {
            double e2 = 0;
            for (size_t i = at; i < at + step; i++)
                e2 += v[i] * v[i];
            level.push_back(10 * std::log10(e2 / static_cast<double>(step) + 1e-30));
        }
        ASSERT_GE(level.size(), e == 0 ? 32u : 8u);
        double top = *std::max_element(level.begin(), level.end());
        // The last steps before the closing fade: rung out by itself, not cut off while it sounds.
        EXPECT_LT(level[level.size() - 4] - top, -30.0) << "still sounding when the file ends";
        if (e == 0) {
            EXPECT_GT(level[30] - top, -30.0) << "the chime stops ringing before 0.6 s";
        } else {
            // B4 down to G#4, with a wooden knock that carries it over the music below 600 Hz.
            std::vector<double> p = power(v, 0, 4096);
            double hz = peak_hz(p, s->freq, 4096, 100, 3000);
            EXPECT_GT(hz, 405);
            EXPECT_LT(hz, 500);
            EXPECT_GT(short_band_fraction(v, s->freq, 600, s->freq / 2.0), 0.3) << "of the energy above 600 Hz";
        }
        destroy_sample(s);
    }
    EXPECT_LE(loudness[1], loudness[0] - 3) << "a wrong answer must sound gentler than a right one";
}
