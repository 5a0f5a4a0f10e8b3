// Inputs the fuzzers found that crash, leak or exhaust memory in Allegro's or
// DUMB's own loaders: the guarded decoders must refuse every one of them.
#include "audio/audio.h"
#include "core/resources.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputIsRefusedBeforeTheLibrarySeesIt)
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
        else
            loaded = track_from_bytes(bytes, &why) != nullptr;
        EXPECT_FALSE(loaded) << entry.path();
        EXPECT_NE(why, nullptr) << entry.path();
        seen++;
    }
    EXPECT_GE(seen, 6);
}
