// Broken sound effects and music: start-up's loading with the real audio
// module, then the whole road, with each broken version of each file.
#include "support/harness.h"
#include "support/road.h"
#include "support/variants.h"

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct SoundFile {
    const char *rel;
    const char *other_kind;
    size_t header;
    int index;   // into sample[] or music[]
};

const SoundFile files[] = {
    {"wav/good.wav", "xm/0.xm", 44, 0}, {"wav/bad.wav", "xm/0.xm", 44, 1},
    {"xm/0.xm", "wav/good.wav", 336, 0}, {"xm/1.xm", "wav/good.wav", 336, 1},
    {"xm/2.xm", "wav/good.wav", 336, 2}, {"xm/int.xm", "wav/good.wav", 336, 3},
};

class BadSound : public testing::TestWithParam<SoundFile> {};

} // namespace

// In a child process each, since the audio module loads once per process.
// The file is left out with one line naming it, or loads; either way the
// road plays to its end with the tracks and effects that did load.
TEST_P(BadSound, IsLeftOutOrLoadedAndEveryScenePlays)
{
    const SoundFile &file = GetParam();
    ScratchData data;
    std::vector<unsigned char> original = file_bytes(data.dir / file.rel);
    ASSERT_GT(original.size(), file.header);
    for (const Variant &v : common_variants(original.size(), file.header)) {
        make_variant(v, original, data.dir / file.rel, data.dir / file.other_kind, file.header);
        std::string named = std::string("cannot load \"") + file.rel + "\"";
        EXPECT_EXIT(
            {
                start_headless();
                load_game_data();
                if (chdir(data.dir.c_str()) != 0)
                    exit(3);
                init_sound();
                bool wav = file.rel[0] == 'w';
                bool loaded = wav ? sample[file.index] != nullptr : music[file.index] != nullptr;
                if (!wav && loaded) {
                    // What the scenes of that track will stream.
                    playmusic(file.index);
                    short out[2 * 4096];
                    duh_render(al_duh_get_sigrenderer(dplay), 16, 0, 1.0f, 65536.0f / 11000.0f, 4096, out);
                }
                RoadResult r = play_road();
                fprintf(stderr, "%s, road %s\n", loaded ? "loaded" : "left out",
                        r.failure.empty() && r.status == 0 ? "ok" : r.failure.c_str());
                exit(v.must_fail && loaded ? 4 : 0);
            },
            testing::ExitedWithCode(0),
            "(" + named + " \\([^)]+\\); going on without it\nleft out|^loaded), road ok\n$")
            << file.rel << ", " << v.name;
        data.restore(file.rel);
    }
}

INSTANTIATE_TEST_SUITE_P(EverySound, BadSound, testing::ValuesIn(files),
                         [](const testing::TestParamInfo<SoundFile> &p) {
                             std::string s = p.param.rel;
                             for (char &c : s)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return s;
                         });
