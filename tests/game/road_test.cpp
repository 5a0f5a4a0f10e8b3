// The scripted road with the real scenes: every scene won in order, the same every time.
#include "support/harness.h"
#include "support/road.h"

#include "levels/level_three.h"
#include "screens/intro.h"


class RealRoad : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
    }
};

TEST_F(RealRoad, WholeRoadIsWonWithItsSoundsAndPlaysTheSameTwice)
{
    RoadResult first = play_road();
    ASSERT_EQ(first.failure, "");
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.scenes, whole_road);
    // Title: Down, Up, Space; level one won; level two one wrong, five right; title: Down, Space.
    std::vector<std::string> sounds;
    for (const std::string &s : audio_log)
        if (s.rfind("sample", 0) == 0)
            sounds.push_back(s);
    EXPECT_EQ(sounds, (std::vector<std::string>{"sample 0", "sample 0", "sample 0", "sample 0", "sample 1",
                                                "sample 0", "sample 0", "sample 0", "sample 0", "sample 0",
                                                "sample 0", "sample 0"}));
    audio_log.clear();
    RoadResult second = play_road();
    EXPECT_EQ(second.hash, first.hash);
    EXPECT_EQ(second.frames, first.frames);
}


// A long stall: every one of 100,000 pending ticks runs in one frame, which
// is drawn once. The intro and level three end early in that frame, and
// the frame's remaining ticks still run.
TEST_F(RealRoad, HundredThousandPendingTicksRunInOneFrameOfARealScene)
{
    on_frame = [] { speed_count = 100000; };
    loop<IntroLoop>();
    EXPECT_EQ(titletimer, 100000);
    EXPECT_EQ(speed_count, 0);
    EXPECT_EQ(polled_tracks.size(), 1u);
    EXPECT_EQ(rgb_at(screen, 5, 0), 0x3ab2d3);   // the intro's stripes were copied

    polled_tracks.clear();
    press(KEY_RIGHT);
    loop<LevelLoop<2>>();
    EXPECT_EQ(xpos, -128 + 3 * 100000);
    EXPECT_TRUE(finishedtitle);
    EXPECT_EQ(speed_count, 0);
    EXPECT_EQ(polled_tracks.size(), 1u);
}
