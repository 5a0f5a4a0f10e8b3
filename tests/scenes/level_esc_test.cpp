// Esc in every level: a press held over from the previous scene does nothing
// until it has been released; a fresh press quits at any moment.
#include "support/harness.h"

#include "levels/level_one.h"
#include "levels/level_three.h"
#include "levels/level_two.h"

namespace {

template <class T>
class EveryLevel : public Headless {};

using Levels = ::testing::Types<LevelLoop<0>, LevelLoop<1>, LevelLoop<2>>;
TYPED_TEST_SUITE(EveryLevel, Levels);

// Esc down when the level begins, held over from the scene before or first
// seen by the first tick, may be a press from before the level: it waits for
// a release, and then a fresh press quits on its own tick.
TYPED_TEST(EveryLevel, EscFromBeforeTheLevelWaitsForAFreshPress)
{
    for (bool held_at_entry : {true, false}) {
        this->SetUp();
        quit = finishedtitle = true;   // as a previous scene may leave them
        escpressed = false;
        if (held_at_entry)
            press(KEY_ESC);
        TypeParam::enter();
        EXPECT_TRUE(TypeParam::running());
        press(KEY_ESC);
        run_ticks<TypeParam>(45);
        EXPECT_FALSE(quit) << "Esc held since before the level began, held at entry: " << held_at_entry;

        release(KEY_ESC);
        run_ticks<TypeParam>(1);
        EXPECT_FALSE(quit);
        press(KEY_ESC);
        run_ticks<TypeParam>(1);
        EXPECT_TRUE(quit);
        EXPECT_FALSE(finishedtitle);
        EXPECT_FALSE(TypeParam::running());
    }
}

TYPED_TEST(EveryLevel, EscQuitsThroughTheFrameLoop)
{
    load_game_data();
    int frames = 0;
    on_frame = [&frames] {
        frames++;
        speed_count += 2;
        if (frames == 10)
            press(KEY_ESC);
    };
    loop<TypeParam>();
    EXPECT_EQ(frames, 10);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(finishedtitle);
}

} // namespace
