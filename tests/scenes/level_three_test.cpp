// Level three: the trolley's roll, its finish past the right edge, and how it is drawn.
#include "support/harness.h"
#include "support/sprites.h"

#include "levels/level_three.h"

namespace {

using L3 = LevelLoop<2>;

class LevelThree : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        L3::enter();
    }
};

TEST_F(LevelThree, RightHeldRollsThreeATickUntilPastTheEdge)
{
    press(KEY_RIGHT);
    run_ticks<L3>(256);
    EXPECT_EQ(xpos, 640);
    run_ticks<L3>(3);
    EXPECT_EQ(xpos, 649);
    EXPECT_FALSE(finishedtitle);
    run_ticks<L3>(1);
    EXPECT_EQ(xpos, 652);
    EXPECT_TRUE(finishedtitle);
    EXPECT_FALSE(quit);
}

TEST_F(LevelThree, OnlyRightMovesIt)
{
    press(KEY_LEFT);
    press(KEY_UP);
    press(KEY_DOWN);
    press(KEY_SPACE);
    run_ticks<L3>(100);
    EXPECT_EQ(xpos, -128);

    press(KEY_RIGHT);
    run_ticks<L3>(10);
    release(KEY_RIGHT);
    run_ticks<L3>(500);
    EXPECT_EQ(xpos, -98) << "it stays where it was let go";
    press(KEY_RIGHT);
    run_ticks<L3>(5);
    EXPECT_EQ(xpos, -83);
    EXPECT_FALSE(finishedtitle);
}

// Esc's latch is the same in every level (level_esc_test.cpp); here, only
// that the tick it quits on still rolls the trolley.
TEST_F(LevelThree, TheTickEscQuitsOnStillRolls)
{
    L3::enter();
    press(KEY_RIGHT);
    run_ticks<L3>(10);
    EXPECT_EQ(xpos, -98);
    press(KEY_ESC);
    run_ticks<L3>(1);
    EXPECT_TRUE(quit);
    EXPECT_EQ(xpos, -95);
}

// In the real frame loop, with several ticks due each frame: the frame whose
// ticks cross the edge still runs all its ticks and is drawn, then the level ends.
TEST_F(LevelThree, EndsAfterTheFrameThatCrossesTheEdge)
{
    load_game_data();
    int frames = 0;
    on_frame = [&frames] {
        frames++;
        speed_count += 7;
        press(KEY_RIGHT);
    };
    loop<L3>();
    EXPECT_EQ(frames, 38) << "260 ticks of Right at 7 a frame";
    EXPECT_EQ(xpos, -128 + 3 * 7 * 38);
    EXPECT_TRUE(finishedtitle);
    EXPECT_FALSE(quit);
    // The last frame drawn shows the background with no trolley on it.
    BITMAP *want = create_bitmap(640, 480);
    blit(bg[2], want, 0, 0, 0, 0, 640, 480);
    EXPECT_EQ(differing_pixels(screen, want), 0);
    destroy_bitmap(want);
}

class LevelThreeDrawing : public LevelThree {
protected:
    void SetUp() override
    {
        LevelThree::SetUp();
        load_game_data();
        ASSERT_TRUE(bg[2] && trolley3);
    }
};

TEST_F(LevelThreeDrawing, TrolleyStandsAtItsPlaceClippedByTheEdges)
{
    for (int x : {-128, 0, 300, 500}) {
        xpos = x;
        L3::draw();
        EXPECT_GT(expect_masked_at(trolley3, 0, 0, 190, 122, x, 279, bg[2], "trolley"), 0) << "xpos " << x;
        // Above and below the trolley only the background shows.
        for (int col = 0; col < 640; col += 7) {
            ASSERT_EQ(rgb_at(buffer, col, 278), rgb_at(bg[2], col, 278));
            ASSERT_EQ(rgb_at(buffer, col, 401), rgb_at(bg[2], col, 401));
        }
    }
    // At the start only its right-most 62 columns show, at screen columns 0 to 61.
    xpos = -128;
    L3::draw();
    for (int y = 279; y < 401; y++)
        for (int col = 62; col < 640; col += 3)
            ASSERT_EQ(rgb_at(buffer, col, y), rgb_at(bg[2], col, y)) << col << ", " << y;
}

TEST_F(LevelThreeDrawing, ClearedToBlackUnderTheBackground)
{
    BITMAP *saved = bg[2];
    bg[2] = nullptr;
    clear_to_color(buffer, makecol(9, 8, 7));
    xpos = 200;
    L3::draw();
    BITMAP *black_frame = create_bitmap(640, 480);
    clear_to_color(black_frame, black);
    EXPECT_GT(expect_masked_at(trolley3, 0, 0, 190, 122, 200, 279, black_frame, "trolley on black"), 0);
    rectfill(buffer, 200, 279, 200 + 189, 279 + 121, black);
    EXPECT_EQ(differing_pixels(buffer, black_frame), 0);

    BITMAP *saved_trolley = trolley3;
    trolley3 = nullptr;
    L3::draw();
    EXPECT_EQ(differing_pixels(buffer, black_frame), 0);
    destroy_bitmap(black_frame);
    bg[2] = saved;
    trolley3 = saved_trolley;
}

} // namespace
