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

TYPED_TEST(EveryLevel, EscHeldAtEntryWaitsForAFreshPress)
{
    quit = finishedtitle = true;   // as a previous scene may leave them
    escpressed = false;
    press(KEY_ESC);
    TypeParam::enter();
    EXPECT_TRUE(TypeParam::running());
    run_ticks<TypeParam>(45);
    EXPECT_FALSE(quit) << "Esc held since before the level began";

    release(KEY_ESC);
    run_ticks<TypeParam>(1);
    EXPECT_FALSE(quit);
    press(KEY_ESC);
    run_ticks<TypeParam>(1);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(finishedtitle);
    EXPECT_FALSE(TypeParam::running());
}

TYPED_TEST(EveryLevel, EscDownAtTheFirstTickCountsAsHeld)
{
    // No tick has seen Esc up yet, so it may be a press from the scene before.
    TypeParam::enter();
    press(KEY_ESC);
    run_ticks<TypeParam>(1);
    EXPECT_FALSE(quit);
    release(KEY_ESC);
    run_ticks<TypeParam>(1);
    press(KEY_ESC);
    run_ticks<TypeParam>(1);
    EXPECT_TRUE(quit);
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
