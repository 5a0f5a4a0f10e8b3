// Every scene's look: the loop draws a frame only when the look changes, so a
// look that misses something draw() reads leaves a stale picture on screen.
#include "support/harness.h"

#include "levels/level_one.h"
#include "levels/level_three.h"
#include "levels/level_two.h"
#include "screens/cutscene.h"
#include "screens/intro.h"
#include "screens/title.h"

#include <cstring>
#include <random>

namespace {

template <class T>
class EveryScene : public Headless {};

using Scenes = ::testing::Types<IntroLoop, TitleLoop, CutsceneLoop<0>, CutsceneLoop<1>, CutsceneLoop<2>,
                                CutsceneLoop<3>, LevelLoop<0>, LevelLoop<1>, LevelLoop<2>>;
TYPED_TEST_SUITE(EveryScene, Scenes);

std::vector<uint32_t> frame_of(BITMAP *bmp)
{
    std::vector<uint32_t> pixels(640 * 480);
    for (int y = 0; y < 480; y++)
        memcpy(&pixels[size_t(y) * 640], bmp->line[y], 640 * sizeof(uint32_t));
    return pixels;
}

// Whether random keys can change the scene's picture at all: the intro stands
// still until a key ends it, and a cutscene of one picture ends on Space.
template <class T>
struct CanChange {
    static bool any() { return true; }
};
template <>
struct CanChange<IntroLoop> {
    static bool any() { return false; }
};
template <int N>
struct CanChange<CutsceneLoop<N>> {
    static bool any() { return imagecount[N] > 1; }
};

} // namespace

// Ticks under random keys (none, an arrow or Space, each held a few ticks),
// drawing after each: whenever the frame differs from the one before, so
// does the look. Seeded, so that a failure comes back the same.
TYPED_TEST(EveryScene, LookChangesWheneverTheFrameDoes)
{
    load_game_data();
    const int keys[] = {0, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_RIGHT, KEY_SPACE};
    std::mt19937 pick(7);
    TypeParam::enter();
    TypeParam::draw();
    std::vector<uint32_t> before = frame_of(buffer);
    uint64_t look = TypeParam::look();
    int changes = 0, held_key = 0;
    for (int t = 0; t < 900 && TypeParam::running(); t++) {
        if (t % 4 == 0) {
            if (held_key)
                release(held_key);
            held_key = keys[pick() % 7];
            if (held_key)
                press(held_key);
        }
        run_ticks<TypeParam>(1);
        TypeParam::draw();
        std::vector<uint32_t> now = frame_of(buffer);
        if (now != before) {
            changes++;
            ASSERT_NE(TypeParam::look(), look) << "tick " << t << ": the frame changed, its look did not";
        }
        before.swap(now);
        look = TypeParam::look();
    }
    if (CanChange<TypeParam>::any()) {
        EXPECT_GT(changes, 0);
    }
}
