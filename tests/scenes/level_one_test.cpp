// Level one tick by tick: steering, the child's flight and edge creep, the goal
// corner, the frozen countdown, and where the figures are drawn.
#include "support/harness.h"
#include "support/sprites.h"

#include "levels/level_one.h"

#include <cmath>
#include <iomanip>

namespace {

using L1 = LevelLoop<0>;

class LevelOne : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        L1::enter();
    }

    static void place(float px, float py, float cx, float cy)
    {
        player = {px, py};
        child = {cx, cy};
    }

    // Runs ticks until one of them finds the child in the goal corner;
    // returns that tick's number, or 0 if none did within limit.
    static int ticks_to_goal(int limit)
    {
        for (int t = 1; t <= limit; t++) {
            run_ticks<L1>(1);
            if (endtimer > 0)
                return t;
        }
        return 0;
    }
};

// Exact: these are the float values the level must produce.
::testing::AssertionResult at(const Point &p, float x, float y)
{
    if (p.x == x && p.y == y)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::setprecision(9) << "at (" << p.x << ", " << p.y << "), want ("
                                         << x << ", " << y << ")";
}

TEST_F(LevelOne, ChildRunsStraightAwayFromTheNanny)
{
    run_ticks<L1>(1);
    EXPECT_TRUE(at(player, 358.0f, 261.0f));
    EXPECT_TRUE(at(child, 280.0f, 261.0f));

    // Diagonal flight keeps its length of 3: a 3-4-5 triangle moves by (1.8, 2.4).
    place(300.0f, 250.0f, 330.0f, 290.0f);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(child, 331.8f, 292.4f));
}

// The edge tests compare floats exactly, so the flight must round the same way
// everywhere: a single-precision sum, a double root rounded back to single,
// and no fused or wider arithmetic. Checked away from the edges, where only the
// flight moves the child; each step is forced through a volatile float.
TEST_F(LevelOne, FlightRoundsInSinglePrecision)
{
    unsigned seed = 12345;
    auto next = [&seed](float lo, float hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * static_cast<float>((seed >> 8) & 0xffff) / 65536.0f;
    };
    int checked = 0, wider_differs = 0;
    for (int n = 0; n < 20000; n++) {
        float px = next(LEFT, RIGHT), py = next(TOP, BOTTOM);
        float cx = next(LEFT + 4, RIGHT - 4), cy = next(TOP + 4, BOTTOM - 4);
        volatile float dx = cx - px, dy = cy - py;
        volatile float sum = dx * dx + dy * dy;
        volatile float dist = static_cast<float>(std::sqrt(static_cast<double>(sum)));
        volatile float ux = dx / dist, uy = dy / dist;
        volatile float stepx = ux * 3.0f, stepy = uy * 3.0f;
        volatile float wantx = cx + stepx, wanty = cy + stepy;

        double ddx = cx - px, ddy = cy - py, dd = std::sqrt(ddx * ddx + ddy * ddy);
        wider_differs += static_cast<float>(cx + ddx / dd * 3.0) != wantx ||
                         static_cast<float>(cy + ddy / dd * 3.0) != wanty;

        place(px, py, cx, cy);
        run_ticks<L1>(1);
        ASSERT_TRUE(at(child, wantx, wanty)) << "nanny " << px << ", " << py << "; child " << cx << ", " << cy;
        checked++;
    }
    EXPECT_GT(wider_differs, 20) << "the sample should tell the precisions apart";
}

// Four independent key tests, then the clamp to the play area.
TEST_F(LevelOne, Steering)
{
    press(KEY_UP);
    press(KEY_DOWN);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(player, 358.0f, 261.0f));
    release(KEY_DOWN);
    press(KEY_RIGHT);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(player, 361.0f, 258.0f));

    SetUp();
    press(KEY_LEFT);
    run_ticks<L1>(49);
    EXPECT_EQ(player.x, 211.0f);
    run_ticks<L1>(1);
    EXPECT_EQ(player.x, 208.0f);
    run_ticks<L1>(30);
    EXPECT_TRUE(at(player, 208.0f, 261.0f));

    child = {433.0f, 202.0f};   // held in the corner it cannot leave: no win
    release(KEY_LEFT);
    press(KEY_DOWN);
    press(KEY_RIGHT);
    run_ticks<L1>(200);
    EXPECT_TRUE(at(player, 433.0f, 320.0f));
}

TEST_F(LevelOne, ChildOnTheNannyStaysPutButStillCreepsAndIsClamped)
{
    place(300.0f, 250.0f, 300.0f, 250.0f);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(child, 300.0f, 250.0f));

    place(300.0f, 320.0f, 300.0f, 320.0f);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(child, 301.0f, 320.0f));

    // The nanny steps onto the child in this very tick.
    place(305.0f, 250.0f, 302.0f, 250.0f);
    press(KEY_LEFT);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(player, 302.0f, 250.0f));
    EXPECT_TRUE(at(child, 302.0f, 250.0f));
}

TEST_F(LevelOne, ChildCreepsAlongTheBottomIntoTheGoal)
{
    place(300.0f, 250.0f, 300.0f, 320.0f);
    EXPECT_EQ(ticks_to_goal(200), 54);
    EXPECT_TRUE(at(child, 433.0f, 320.0f));
    EXPECT_EQ(endtimer, 80);
    EXPECT_EQ(audio_log, std::vector<std::string>{"sample 0"});

    // The 80 ticks after the goal tick: the 134th tick overall finishes.
    run_ticks<L1>(79);
    EXPECT_FALSE(finishedtitle);
    EXPECT_EQ(endtimer, 1);
    run_ticks<L1>(1);
    EXPECT_TRUE(finishedtitle);
    EXPECT_EQ(endtimer, 0);
    EXPECT_FALSE(quit);
    EXPECT_EQ(audio_log.size(), 1u) << "the win sound plays once";
}

TEST_F(LevelOne, BottomLeftCornerCreepsRightFirst)
{
    // Flight into the corner, then the bottom-edge creep; the side creep no
    // longer sees the child on the left edge.
    place(230.0f, 300.0f, 210.0f, 318.0f);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(child, 209.0f, 320.0f));

    place(300.0f, 202.0f, 208.0f, 320.0f);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(child, 209.0f, 320.0f));
}

TEST_F(LevelOne, TopRightCornerHoldsTheChildWhereverTheNannyIs)
{
    for (float px = LEFT; px <= RIGHT; px += 15.0f) {
        for (float py = TOP; py <= BOTTOM; py += 9.0f) {
            place(px, py, 433.0f, 202.0f);
            run_ticks<L1>(1);
            EXPECT_TRUE(at(child, 433.0f, 202.0f)) << "nanny at " << px << ", " << py;
        }
    }
    place(433.0f, 202.0f, 433.0f, 202.0f);
    run_ticks<L1>(1);
    EXPECT_TRUE(at(child, 433.0f, 202.0f));

    // Left alone, it stays there for good.
    place(300.0f, 300.0f, 433.0f, 202.0f);
    EXPECT_EQ(ticks_to_goal(3000), 0);
    EXPECT_TRUE(at(child, 433.0f, 202.0f));
    EXPECT_TRUE(audio_log.empty());
}

TEST_F(LevelOne, OtherWaysIntoTheGoal)
{
    place(380.0f, 260.0f, 433.0f, 260.0f);
    EXPECT_EQ(ticks_to_goal(200), 29) << "down the right edge";
    EXPECT_TRUE(at(child, 433.0f, 320.0f));

    // Pushed by the flight past the corner: the bottom creep takes it to
    // x = 434 and the second clamp back, all before the goal test.
    SetUp();
    place(400.0f, 290.0f, 431.0f, 318.0f);
    EXPECT_EQ(ticks_to_goal(1), 1);
    EXPECT_TRUE(at(child, 433.0f, 320.0f));
    EXPECT_EQ(audio_log, std::vector<std::string>{"sample 0"});
}

TEST_F(LevelOne, CountdownFreezesEverythingButEsc)
{
    place(400.0f, 290.0f, 431.0f, 318.0f);
    ASSERT_EQ(ticks_to_goal(1), 1);
    press(KEY_UP);
    press(KEY_LEFT);
    run_ticks<L1>(40);
    EXPECT_TRUE(at(player, 400.0f, 290.0f));
    EXPECT_TRUE(at(child, 433.0f, 320.0f));
    EXPECT_EQ(endtimer, 40);
    EXPECT_EQ(audio_log.size(), 1u);

    press(KEY_ESC);
    run_ticks<L1>(1);
    EXPECT_TRUE(quit);
    EXPECT_EQ(endtimer, 39) << "the quitting tick still counts down";
    EXPECT_FALSE(finishedtitle);
}

// The plan the Xvfb playthrough uses: Up and Left held, pressed in either
// order and at any moment, bring the child home and never into the top-right
// corner it cannot leave.
TEST_F(LevelOne, UpAndLeftHeldAlwaysWin)
{
    int slowest = 0;
    for (int idle = 0; idle <= 120; idle += 4) {
        for (int lead : {-8, -3, 0, 3, 8}) {
            SetUp();
            run_ticks<L1>(idle);
            press(lead < 0 ? KEY_LEFT : KEY_UP);
            run_ticks<L1>(lead < 0 ? -lead : lead);
            press(KEY_UP);
            press(KEY_LEFT);
            int t = ticks_to_goal(600);
            EXPECT_GT(t, 0) << "idle " << idle << ", lead " << lead << ": child stuck at " << child.x << ", "
                            << child.y;
            slowest = std::max(slowest, t);
        }
    }
    // Keeps the playthrough's wait for the win honest: well under 10 s.
    EXPECT_LT(slowest, 300);
}

TEST_F(LevelOne, EveryPlayStartsAfresh)
{
    place(400.0f, 290.0f, 431.0f, 318.0f);
    ASSERT_EQ(ticks_to_goal(1), 1);
    run_ticks<L1>(10);

    L1::enter();
    EXPECT_TRUE(L1::running());
    run_ticks<L1>(1);
    EXPECT_TRUE(at(player, 358.0f, 261.0f));
    EXPECT_TRUE(at(child, 280.0f, 261.0f));
    EXPECT_EQ(endtimer, 0);
}

class LevelOneDrawing : public LevelOne {
protected:
    void SetUp() override
    {
        LevelOne::SetUp();
        load_game_data();
        ASSERT_TRUE(bg[0] && child1 && nanny1);
    }
};

// Figures stand on their feet: 16 left and 32 above the point, truncated.
TEST_F(LevelOneDrawing, FiguresStandOnTheirPositions)
{
    place(400.99f, 300.5f, 300.9f, 250.01f);
    clear_to_color(buffer, makecol(1, 2, 3));
    L1::draw();
    EXPECT_GT(expect_masked_at(child1, 0, 0, 32, 32, 284, 218, bg[0], "child"), 0);
    EXPECT_GT(expect_masked_at(nanny1, 0, 0, 32, 32, 384, 268, bg[0], "nanny"), 0);

    // Elsewhere the background covers the whole frame.
    for (int y = 0; y < 480; y += 3)
        for (int x : {0, 200, 283, 316, 383, 416, 639})
            ASSERT_EQ(rgb_at(buffer, x, y), rgb_at(bg[0], x, y)) << x << ", " << y;
}

TEST_F(LevelOneDrawing, NannyCoversTheChild)
{
    place(310.5f, 270.5f, 300.0f, 260.0f);   // nanny box at (294, 238), child's at (284, 228)
    L1::draw();
    int contested = 0;
    for (int y = 228; y < 270; y++) {
        for (int x = 284; x < 326; x++) {
            int cx = x - 284, cy = y - 228, nx = x - 294, ny = y - 238;
            bool in_child = cx < 32 && cy < 32, in_nanny = nx >= 0 && ny >= 0;
            bool n = in_nanny && opaque(nanny1, nx, ny);
            bool c = in_child && opaque(child1, cx, cy);
            int want = n ? rgb_at(nanny1, nx, ny) : c ? rgb_at(child1, cx, cy) : rgb_at(bg[0], x, y);
            ASSERT_EQ(rgb_at(buffer, x, y), want) << "at " << x << ", " << y;
            contested += n && c && rgb_at(nanny1, nx, ny) != rgb_at(child1, cx, cy);
        }
    }
    EXPECT_GT(contested, 0) << "the figures should overlap where both are drawn";
}

TEST_F(LevelOneDrawing, MissingPicturesDrawNothing)
{
    BITMAP *saved[3] = {bg[0], child1, nanny1};
    bg[0] = child1 = nanny1 = nullptr;
    clear_to_color(buffer, makecol(9, 8, 7));
    BITMAP *before = copy_of_buffer();
    L1::draw();
    EXPECT_EQ(differing_pixels(buffer, before), 0);
    destroy_bitmap(before);
    bg[0] = saved[0];
    child1 = saved[1];
    nanny1 = saved[2];
}

} // namespace
