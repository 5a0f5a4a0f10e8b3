// The cutscenes: paging with the shared Space/Esc latch, the last picture staying, full-screen pictures.
#include "support/harness.h"
#include "support/sprites.h"

#include "screens/cutscene.h"

namespace {

class Cutscene : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        frames = 0;
        keys_at_frame.clear();
        on_frame = [this] {
            frames++;
            if (static_cast<size_t>(frames) <= keys_at_frame.size()) {
                release_all_keys();
                for (int k : keys_at_frame[static_cast<size_t>(frames) - 1])
                    press(k);
            }
            speed_count += 1;
            if (frames >= 200) {
                ADD_FAILURE() << "the cutscene never ends";
                finishedtitle = true;
                speed_count = 0;
            }
        };
    }

    // Keys down during each frame's one tick; all up once the list runs out.
    std::vector<std::vector<int>> keys_at_frame;
    int frames;
};

} // namespace

TEST_F(Cutscene, FirstTakesTwoPressesTheOthersOne)
{
    keys_at_frame = {{KEY_SPACE}, {}, {KEY_SPACE}, {KEY_SPACE}, {}, {KEY_SPACE}};
    loop<CutsceneLoop<0>>();
    // The key held at entry turns nothing; then press, release, press.
    EXPECT_EQ(frames, 6);
    EXPECT_EQ(cutscenepos, 1);
    EXPECT_TRUE(finishedtitle);
    EXPECT_FALSE(quit);
    EXPECT_EQ(differing_pixels(screen, scenes[0][1]), 0);   // the last picture stays

    SetUp();
    keys_at_frame = {{}, {KEY_ESC}};
    loop<CutsceneLoop<1>>();
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(cutscenepos, 0);
    EXPECT_FALSE(quit);   // Esc pages, it never quits
    EXPECT_EQ(differing_pixels(screen, scenes[1][0]), 0);

    SetUp();
    keys_at_frame = {{}, {KEY_SPACE}};
    loop<CutsceneLoop<2>>();
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(differing_pixels(screen, scenes[2][0]), 0);

    SetUp();
    keys_at_frame = {{}, {KEY_SPACE, KEY_ESC}};
    loop<CutsceneLoop<3>>();
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(differing_pixels(screen, scenes[3][0]), 0);
    EXPECT_TRUE(audio_log.empty());
}

TEST_F(Cutscene, SpaceAndEscShareOneLatch)
{
    CutsceneLoop<0>::enter();
    run_ticks<CutsceneLoop<0>>(1);   // nothing down: the latch opens
    press(KEY_SPACE);
    run_ticks<CutsceneLoop<0>>(5);   // held: one picture only
    EXPECT_EQ(cutscenepos, 1);
    press(KEY_ESC);                  // Esc while Space is held turns nothing
    run_ticks<CutsceneLoop<0>>(1);
    release(KEY_SPACE);              // Esc alone, still held
    run_ticks<CutsceneLoop<0>>(1);
    EXPECT_TRUE(CutsceneLoop<0>::running());
    release(KEY_ESC);
    run_ticks<CutsceneLoop<0>>(1);
    EXPECT_FALSE(spacepressed);
    press(KEY_ESC);
    press(KEY_SPACE);                // both at once: one press
    run_ticks<CutsceneLoop<0>>(1);
    EXPECT_FALSE(CutsceneLoop<0>::running());
    EXPECT_TRUE(spacepressed);       // the acting tick leaves the latch set
    EXPECT_EQ(cutscenepos, 1);

    // Later ticks of the ending frame cannot go past the last picture.
    release_all_keys();
    run_ticks<CutsceneLoop<0>>(1);
    press(KEY_SPACE);
    run_ticks<CutsceneLoop<0>>(1);
    EXPECT_EQ(cutscenepos, 1);
    EXPECT_FALSE(quit);
}

TEST_F(Cutscene, TicksDueBeforeItAreDroppedAndTheMouseIsIgnored)
{
    // Stale ticks would run in the first frame, before its own tick.
    speed_count = 30;
    spacepressed = false;
    cutscenepos = 1;
    finishedtitle = true;
    mouse_b = 1;
    keys_at_frame = {{KEY_SPACE}, {KEY_SPACE}, {}, {}};
    on_frame = [this, inner = on_frame] {
        if (frames == 0) {
            EXPECT_EQ(speed_count, 0);
        }
        inner();
        if (frames == 5)
            quit = true;   // stops the loop; the scene itself never sets it
    };
    loop<CutsceneLoop<0>>();
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(cutscenepos, 0);
    EXPECT_FALSE(finishedtitle);
    mouse_b = 0;
}

TEST_F(Cutscene, EnteredWithQuitSetItDrawsNothing)
{
    quit = true;
    speed_count = 4;
    cutscenepos = 1;
    clear_to_color(screen, makecol(1, 2, 3));
    loop<CutsceneLoop<0>>();
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(cutscenepos, 0);
    EXPECT_TRUE(spacepressed);
    EXPECT_EQ(speed_count, 0);
    EXPECT_EQ(rgb_at(screen, 320, 240), 0x010203);
    EXPECT_EQ(rgb_at(buffer, 320, 240), 0x000000);
}

TEST_F(Cutscene, EachPictureFillsTheFrameAndAMissingOneDrawsNothing)
{
    CutsceneLoop<0>::enter();
    clear_to_color(buffer, makecol(1, 2, 3));
    CutsceneLoop<0>::draw();
    EXPECT_EQ(differing_pixels(buffer, scenes[0][0]), 0);
    cutscenepos = 1;
    CutsceneLoop<0>::draw();
    EXPECT_EQ(differing_pixels(buffer, scenes[0][1]), 0);

    // The second picture failed to load: the first stays in the buffer.
    BITMAP *second = scenes[0][1];
    scenes[0][1] = nullptr;
    cutscenepos = 0;
    CutsceneLoop<0>::draw();
    cutscenepos = 1;
    CutsceneLoop<0>::draw();
    EXPECT_EQ(differing_pixels(buffer, scenes[0][0]), 0);
    scenes[0][1] = second;
}
