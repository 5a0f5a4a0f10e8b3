// The real audio module on Allegro's silent driver: loading, switching tracks, null safety.
#include "audio/audio.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The first n stereo samples a player would stream.
std::vector<short> first_samples(AL_DUH_PLAYER *p, int n)
{
    std::vector<short> out(static_cast<size_t>(2 * n));
    DUH_SIGRENDERER *r = al_duh_get_sigrenderer(p);
    duh_render(r, 16, 0, 1.0f, 65536.0f / 11000.0f, n, out.data());
    return out;
}

class Audio : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        ASSERT_EQ(chdir(NANNYDAY_DATA_DIR), 0);
        init_sound();   // once per process: it registers dumb_exit with atexit
    }
    void TearDown() override { stopmusic(); }
};

} // namespace

TEST_F(Audio, LoadsBothEffectsAndAllFourTracks)
{
    EXPECT_NE(sample[0], nullptr);
    EXPECT_NE(sample[1], nullptr);
    EXPECT_EQ(sample[2], nullptr);
    EXPECT_EQ(sample[3], nullptr);
    for (int t = 0; t < 4; t++)
        EXPECT_NE(music[t], nullptr) << "track " << t;
}

TEST_F(Audio, EveryStartIsFromTheTopEvenOfTheSameTrack)
{
    playmusic(3);
    ASSERT_NE(dplay, nullptr);
    std::vector<short> opening = first_samples(dplay, 4000);   // the first player has moved on
    playmusic(3);
    ASSERT_NE(dplay, nullptr);
    EXPECT_EQ(al_duh_get_position(dplay), 0);
    EXPECT_EQ(first_samples(dplay, 4000), opening);
}

TEST_F(Audio, BadmusicIsTrackThree)
{
    badmusic();
    std::vector<short> theme = first_samples(dplay, 4000);
    playmusic(3);
    EXPECT_EQ(first_samples(dplay, 4000), theme);
    playmusic(0);
    EXPECT_NE(first_samples(dplay, 4000), theme);
}

TEST_F(Audio, StoppingAndMissingTracksGiveSilenceNotACrash)
{
    stopmusic();
    EXPECT_EQ(dplay, nullptr);
    stopmusic();
    EXPECT_EQ(dplay, nullptr);
    EXPECT_EQ(al_poll_duh(dplay), 1);   // the intro polls an empty handle

    playmusic(2);
    ASSERT_NE(dplay, nullptr);
    DUH *saved = music[1];
    music[1] = nullptr;
    playmusic(1);   // stops track 2, starts nothing
    EXPECT_EQ(dplay, nullptr);
    music[1] = saved;
    playmusic(1);
    EXPECT_NE(dplay, nullptr);
}

TEST(AudioLoading, MissingFilesAreNamedAndLeftNull)
{
    EXPECT_EXIT(
        {
            install_allegro(SYSTEM_NONE, &errno, atexit);
            fs::path dir = fs::temp_directory_path() / ("nannyday-audio-" + std::to_string(getpid()));
            fs::copy(NANNYDAY_DATA_DIR, dir, fs::copy_options::recursive);
            fs::remove(dir / "wav" / "bad.wav");
            fs::remove(dir / "xm" / "1.xm");
            if (chdir(dir.c_str()) != 0)
                exit(3);
            init_sound();
            fs::remove_all(dir);
            bool ok = sample[0] && !sample[1] && music[0] && !music[1] && music[2] && music[3];
            playmusic(1);
            ok = ok && dplay == nullptr;
            playsample(1);
            fprintf(stderr, "loaded as expected: %s\n", ok ? "yes" : "no");
            exit(0);
        },
        testing::ExitedWithCode(0),
        "\"wav/bad.wav\"[^\n]*\n.*\"xm/1.xm\"[^\n]*\n.*loaded as expected: yes");
}
