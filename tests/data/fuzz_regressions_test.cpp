// Inputs the fuzzers found that crash, leak or exhaust memory in Allegro's or
// DUMB's own loaders or players: the guarded decoders must refuse every one
// of them, or take it only after repairing what made it unsafe.
#include "audio/audio.h"
#include "data/assets.h"
#include "data/bmp.h"
#include "data/file.h"
#include "data/pcx.h"
#include "data/wav.h"
#include "data/xm.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Hands a kept file to the guarded decoder of its kind, plays a module the
// way the game plays it (which is where some of them crashed), and frees
// what loaded. True when it loaded; *why says why not, or what was repaired.
bool loads(const fs::path &path, const char **why)
{
    std::vector<unsigned char> bytes;
    EXPECT_EQ(read_data_file(path.c_str(), bytes), nullptr) << path;
    std::string kind = path.extension();
    *why = nullptr;
    if (kind == ".bmp") {
        BITMAP *b = image_from_bytes(bytes, why);
        if (b)
            destroy_bitmap(b);
        return b != nullptr;
    }
    if (kind == ".pcx") {
        FONT *f = font_from_bytes(bytes, why);
        if (f)
            destroy_font(f);
        return f != nullptr;
    }
    if (kind == ".wav") {
        SAMPLE *s = effect_from_bytes(bytes, why);
        if (s)
            destroy_sample(s);
        return s != nullptr;
    }
    DUH *duh = track_from_bytes(bytes, why);
    if (!duh)
        return false;
    static short out[2 * 4096];
    DUH_SIGRENDERER *r = duh_start_sigrenderer(duh, 0, 2, 0);
    EXPECT_NE(r, nullptr) << path;
    if (r) {
        duh_render(r, 16, 0, 1.0f, 65536.0f / 11000.0f, 4096, out);
        duh_end_sigrenderer(r);
    }
    unload_duh(duh);
    return true;
}

// Every regular file below `dir`.
std::vector<fs::path> files_in(const fs::path &dir)
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

} // namespace

TEST(FuzzRegressions, EveryKeptInputIsRefusedOrRepairedBeforeTheLibrarySeesIt)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    int seen = 0;
    for (const fs::path &path : files_in(NANNYDAY_FUZZ_REGRESSIONS)) {
        const char *why;
        bool loaded = loads(path, &why);
        // Refused with the reason, or loaded with the repair named.
        EXPECT_NE(why, nullptr) << path << (loaded ? " loaded unrepaired" : "");
        seen++;
    }
    EXPECT_GE(seen, 6);
}

// The seeds that lead the fuzzers into the layout conversions and repairs
// must themselves load, or the fuzzers would start outside those paths.
TEST(FuzzSeeds, EverySeedLoads)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    int seen = 0, repaired = 0;
    for (const fs::path &path : files_in(fs::path(NANNYDAY_FUZZ_REGRESSIONS).parent_path() / "seeds")) {
        const char *why;
        bool loaded = loads(path, &why);
        EXPECT_TRUE(loaded) << path << ": " << why;
        repaired += loaded && why;
        seen++;
    }
    EXPECT_GE(seen, 8);
    EXPECT_GE(repaired, 3);   // run-length padding twice, tracker values once
}
