// Inputs the fuzzers found that crash, leak or exhaust memory in Allegro's or
// DUMB's own loaders or players: the guarded decoders must refuse every one
// of them, or take it only after repairing what made it unsafe.
#include "audio/audio.h"
#include "core/resources.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputIsRefusedOrRepairedBeforeTheLibrarySeesIt)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    int seen = 0;
    for (const auto &entry : fs::recursive_directory_iterator(NANNYDAY_FUZZ_REGRESSIONS)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(in), {});
        std::string kind = entry.path().parent_path().filename();
        const char *why = nullptr;
        bool loaded;
        if (kind == "bmp")
            loaded = image_from_bytes(bytes, &why) != nullptr;
        else if (kind == "pcx")
            loaded = font_from_bytes(bytes, &why) != nullptr;
        else if (kind == "wav")
            loaded = effect_from_bytes(bytes, &why) != nullptr;
        else if (DUH *duh = track_from_bytes(bytes, &why)) {
            // Played the way the game plays it, which is where some of them crashed.
            static short out[2 * 4096];
            DUH_SIGRENDERER *r = duh_start_sigrenderer(duh, 0, 2, 0);
            ASSERT_NE(r, nullptr) << entry.path();
            duh_render(r, 16, 0, 1.0f, 65536.0f / 11000.0f, 4096, out);
            duh_end_sigrenderer(r);
            unload_duh(duh);
            loaded = true;
        } else {
            loaded = false;
        }
        // Refused with the reason, or loaded with the repair named.
        EXPECT_NE(why, nullptr) << entry.path() << (loaded ? " loaded unrepaired" : "");
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
    for (const auto &entry : fs::recursive_directory_iterator(fs::path(NANNYDAY_FUZZ_REGRESSIONS).parent_path() / "seeds")) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(in), {});
        const char *why = nullptr;
        bool loaded;
        if (entry.path().extension() == ".bmp") {
            BITMAP *b = image_from_bytes(bytes, &why);
            loaded = b != nullptr;
            if (b)
                destroy_bitmap(b);
        } else {
            DUH *d = track_from_bytes(bytes, &why);
            loaded = d != nullptr;
            unload_duh(d);
        }
        EXPECT_TRUE(loaded) << entry.path() << ": " << why;
        repaired += loaded && why;
        seen++;
    }
    EXPECT_GE(seen, 8);
    EXPECT_GE(repaired, 3);   // run-length padding twice, tracker values once
}
