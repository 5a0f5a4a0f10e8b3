// The road of a run: scene order, the music started before each scene, returns to title.
#include "support/harness.h"

#include "game/sequence.h"
#include "levels/level_one.h"
#include "levels/level_three.h"
#include "levels/level_two.h"
#include "screens/cutscene.h"
#include "screens/intro.h"
#include "screens/title.h"

namespace {

// Each scene is ended by the script in its first frame, so one frame is one
// scene. Sentinels that only the entering scene's enter() resets tell which
// scene that frame belongs to; none of them is read by a draw.
class Road : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        plan.clear();
        trace.clear();
        flags_at_entry.clear();
        arm_sentinels();
        on_frame = [this] { step(); };
    }

    static void arm_sentinels()
    {
        titletimer = -7;
        upheld = false;
        spacepressed = false;
        endtimer = -7;
        leveltimer = -7;
        xpos = -7;
    }

    static std::string which_scene()
    {
        if (titletimer == 0) return "intro";
        if (upheld) return "title";
        if (spacepressed) return "cut";
        if (endtimer == 0) return "L1";
        if (leveltimer == 0) return "L2";
        if (xpos == -128) return "L3";
        return "?";
    }

    // How the scene ends: 'f' finishes, 'b' chooses Start, 'q' quits.
    void step()
    {
        std::string scene = which_scene();
        trace.push_back(scene + "@" + std::to_string(polled_tracks.back()));
        flags_at_entry.push_back(std::to_string(quit) + std::to_string(finishedtitle) +
                                 std::to_string(TitleLoop::begin));
        arm_sentinels();
        char how = plan.empty() ? 'q' : plan.front();
        if (!plan.empty())
            plan.erase(plan.begin());
        if (how == 'f') finishedtitle = true;
        if (how == 'b') TitleLoop::begin = true;
        if (how == 'q') quit = true;
        ASSERT_LT(trace.size(), 100u) << "the road never ends";
    }

    std::string plan;
    std::vector<std::string> trace;
    std::vector<std::string> flags_at_entry;
};

std::string joined(const std::vector<std::string> &v)
{
    std::string out;
    for (const std::string &s : v)
        out += (out.empty() ? "" : ", ") + s;
    return out;
}

} // namespace

TEST_F(Road, WholeRunWithItsMusicThenTitleAgain)
{
    plan = "fbfffffffq";
    EXPECT_EQ(run_sequence(), 0);
    EXPECT_EQ(joined(trace), "intro@-1, title@3, cut@3, L1@0, cut@3, L2@1, cut@3, L3@2, cut@3, title@3");
    // Track 3 restarts between the title and cutscene 0, and after cutscene 3.
    EXPECT_EQ(joined(audio_log), "music 3, music 3, music 0, music 3, music 1, music 3, music 2, music 3, music 3");
}

TEST_F(Road, ExitOnTheFirstTitleEndsBeforeAnyCutscene)
{
    plan = "fq";
    EXPECT_EQ(run_sequence(), 0);
    EXPECT_EQ(joined(trace), "intro@-1, title@3");
    EXPECT_EQ(joined(audio_log), "music 3");
}

TEST_F(Road, QuitInAnySceneOfARunReturnsToTitleWithFlagsCleared)
{
    // After cutscene 0, level one, ..., level three in turn.
    const char *scenes[] = {"cut@3", "L1@0", "cut@3", "L2@1", "cut@3", "L3@2"};
    for (int k = 0; k < 6; k++) {
        SetUp();
        plan = "fb" + std::string(k, 'f') + "q" + "q";
        EXPECT_EQ(run_sequence(), 0);
        ASSERT_EQ(trace.size(), static_cast<size_t>(k + 4)) << "quit in scene " << k;
        EXPECT_EQ(trace[k + 2], scenes[k]);
        EXPECT_EQ(trace[k + 3], "title@3");
        EXPECT_EQ(flags_at_entry[k + 3], "000") << "quit, finishedtitle, begin at the title";
        EXPECT_EQ(audio_log.back(), "music 3");
    }
}

TEST_F(Road, TwoRunsInARow)
{
    plan = "fb" "fffffff" "b" "fffffff" "q";
    EXPECT_EQ(run_sequence(), 0);
    EXPECT_EQ(joined(trace), "intro@-1, title@3, cut@3, L1@0, cut@3, L2@1, cut@3, L3@2, cut@3, "
                                  "title@3, cut@3, L1@0, cut@3, L2@1, cut@3, L3@2, cut@3, title@3");
}

TEST_F(Road, QuitAfterTheLastCutsceneIsNotTested)
{
    // Cutscene 3 cannot quit in play, but the road back to the title is the same.
    plan = "fbffffffqq";
    EXPECT_EQ(run_sequence(), 0);
    EXPECT_EQ(joined(trace), "intro@-1, title@3, cut@3, L1@0, cut@3, L2@1, cut@3, L3@2, cut@3, title@3");
    EXPECT_EQ(flags_at_entry.back(), "000");
}
