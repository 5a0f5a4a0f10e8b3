// Level two tick by tick: the turn timetable, the answer window, the streak,
// the right key carried from play to play, and the icons and score drawn.
#include "support/harness.h"
#include "support/sprites.h"

#include "levels/level_two.h"

#include <algorithm>
#include <cstdio>

namespace {

using L2 = LevelLoop<1>;

// What a tick-by-tick player saw.
struct Play {
    std::vector<int> questions;   // ticks at which the middle icon asked
    std::vector<int> answers;     // ticks at which a sound judged an answer
    std::string keys;             // the key held for each question: 'U' or 'D'
    std::vector<int> streaks;     // correctstreak after each answer
    int finished = 0;             // tick at which finishedtitle was set
};

class LevelTwo : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        L2::enter();
    }

    // Plays up to limit ticks the way a player who reads the middle icon
    // would: from the moment it asks until the third icon shows the answer,
    // the key its picture calls for is held (Down for state 1, Up for -1).
    // wrong_at lists answers (1-based) given with the other key.
    static Play play(int limit, std::vector<int> wrong_at = {})
    {
        Play p;
        bool asking = false;
        for (int t = 1; t <= limit && !finishedtitle; t++) {
            size_t sounds = audio_log.size();
            run_ticks<L2>(1);
            if (!asking && states[1] != 0 && states[2] == 0) {
                asking = true;
                p.questions.push_back(t);
                bool down = states[1] == 1;
                int n = static_cast<int>(p.questions.size());
                if (std::find(wrong_at.begin(), wrong_at.end(), n) != wrong_at.end())
                    down = !down;
                press(down ? KEY_DOWN : KEY_UP);
                p.keys += down ? 'D' : 'U';
            }
            if (audio_log.size() > sounds) {
                p.answers.push_back(t);
                p.streaks.push_back(correctstreak);
                release(KEY_UP);
                release(KEY_DOWN);
            }
            if (states[1] == 0)
                asking = false;
            if (finishedtitle)
                p.finished = t;
        }
        return p;
    }
};

TEST_F(LevelTwo, FirstPlayTimetable)
{
    correct = 0;
    Play p = play(2000);
    EXPECT_EQ(p.questions, (std::vector<int>{90, 241, 392, 543, 694}));
    EXPECT_EQ(p.answers, (std::vector<int>{120, 271, 422, 573, 724}));
    EXPECT_EQ(p.keys, "DUDUD");
    EXPECT_EQ(p.streaks, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(audio_log, std::vector<std::string>(5, "sample 0"));
    EXPECT_EQ(p.finished, 783);
    EXPECT_EQ(correctstreak, 5) << "5/5 shows until the end";
    EXPECT_FALSE(quit);
}

// The first icon's blinks before each question; the other two wait for it.
TEST_F(LevelTwo, IconsBeforeTheQuestion)
{
    correct = 0;
    std::string first;
    for (int turn = 0; turn < 2; turn++) {
        for (int t = turn == 0 ? 1 : 0; t < 90; t++) {   // the first turn never shows 0
            run_ticks<L2>(1);
            first += static_cast<char>('1' + states[0]);
            ASSERT_EQ(states[1], 0) << "turn " << turn << ", timer " << t;
            ASSERT_EQ(states[2], 0) << "turn " << turn << ", timer " << t;
        }
        play(61);   // the question, the answer and the rest of the turn
        ASSERT_EQ(leveltimer, -1);
    }
    EXPECT_EQ(first, std::string(59, '1') + std::string(30, '0') +
                         std::string(30, '0') + std::string(30, '1') + std::string(30, '0'));
}

TEST_F(LevelTwo, HoldingDownNeverWins)
{
    correct = 0;
    press(KEY_DOWN);
    std::string judged;
    std::string streaks;
    for (int t = 0; t < 6000 && !finishedtitle; t++) {
        size_t sounds = audio_log.size();
        run_ticks<L2>(1);
        if (audio_log.size() > sounds) {
            judged += audio_log.back() == "sample 0" ? '+' : '-';
            streaks += static_cast<char>('0' + correctstreak);
        }
    }
    EXPECT_FALSE(finishedtitle);
    ASSERT_EQ(judged.size(), 39u) << "one answer every 151 ticks, at the window's first tick";
    for (size_t i = 0; i < judged.size(); i++) {
        EXPECT_EQ(judged[i], i % 2 ? '-' : '+') << "answer " << i;
        EXPECT_EQ(streaks[i], i % 2 ? '0' : '1') << "answer " << i;
    }
}

TEST_F(LevelTwo, UpWinsWhenBothAreDown)
{
    for (int before : {0, 1}) {
        SetUp();
        correct = before;   // the first question flips it
        run_ticks<L2>(119);
        press(KEY_UP);
        press(KEY_DOWN);
        run_ticks<L2>(1);
        EXPECT_EQ(states[2], 1) << "the third icon shows Up";
        EXPECT_EQ(audio_log, std::vector<std::string>{before == 1 ? "sample 0" : "sample 1"});
        EXPECT_EQ(correctstreak, before == 1 ? 1 : 0);
    }
}

TEST_F(LevelTwo, WindowWaitsAndKeysOutsideItDoNothing)
{
    correct = 0;   // the first question wants Down
    run_ticks<L2>(95);
    press(KEY_UP);
    press(KEY_DOWN);
    run_ticks<L2>(20);
    release(KEY_UP);
    release(KEY_DOWN);
    run_ticks<L2>(1000);
    EXPECT_TRUE(audio_log.empty());
    EXPECT_EQ(states[2], 0);
    EXPECT_EQ(correctstreak, 0);

    press(KEY_DOWN);
    run_ticks<L2>(1);
    EXPECT_EQ(audio_log, std::vector<std::string>{"sample 0"});
    EXPECT_EQ(states[2], -1);
    EXPECT_EQ(states[1], 1);

    // Held on, and Up added, through the rest of the turn: nothing more.
    press(KEY_UP);
    run_ticks<L2>(29);
    EXPECT_EQ(audio_log.size(), 1u);
    EXPECT_EQ(correctstreak, 1);
    EXPECT_EQ(leveltimer, 149);
    run_ticks<L2>(1);
    EXPECT_EQ(leveltimer, -1);
    EXPECT_EQ(audio_log.size(), 1u);
}

// The open window reads the keys on every one of its ticks: a key first
// pressed on any of them answers on that very tick.
TEST_F(LevelTwo, AKeyPressedWhileTheWindowWaitsAnswersOnThatTick)
{
    for (int waited : {0, 1, 2, 3, 50, 51}) {
        SetUp();
        correct = 0;   // the first question wants Down
        run_ticks<L2>(120 + waited);   // the window opened at the 120th
        ASSERT_TRUE(audio_log.empty());
        press(KEY_DOWN);
        run_ticks<L2>(1);
        EXPECT_EQ(audio_log, std::vector<std::string>{"sample 0"}) << "pressed after " << waited << " ticks";
        EXPECT_EQ(states[2], -1) << "pressed after " << waited << " ticks";
    }
}

TEST_F(LevelTwo, WrongAnswerAfterFourRightStartsOver)
{
    correct = 0;
    Play p = play(3000, {5});
    EXPECT_EQ(p.streaks, (std::vector<int>{1, 2, 3, 4, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(audio_log[4], "sample 1");
    EXPECT_EQ(p.questions[5] - p.questions[4], 151) << "the next turn follows as usual";
    EXPECT_EQ(p.finished, 783 + 5 * 151);
}

TEST_F(LevelTwo, KeysDoNothingInTheClosingPause)
{
    correct = 0;
    play(725);   // the fifth answer came at 724
    ASSERT_EQ(correctstreak, 5);
    int third = states[2];
    press(KEY_UP);
    press(KEY_DOWN);
    run_ticks<L2>(57);
    EXPECT_EQ(states[2], third);
    EXPECT_EQ(audio_log.size(), 5u);
    EXPECT_FALSE(finishedtitle);
    run_ticks<L2>(1);
    EXPECT_TRUE(finishedtitle);
    EXPECT_EQ(correctstreak, 5);
}

// correct is process-wide: a won first play from 0 leaves it at 1, so the
// second play opens with a question that wants Up.
TEST_F(LevelTwo, SecondPlayContinuesTheRightKeys)
{
    correct = 0;
    Play first = play(2000);
    ASSERT_EQ(first.finished, 783);

    L2::enter();
    EXPECT_TRUE(L2::running());
    EXPECT_EQ(correctstreak, 0);
    Play second = play(2000);
    EXPECT_EQ(second.questions.front(), 90);
    EXPECT_EQ(second.keys, "UDUDU");
    EXPECT_EQ(second.finished, 783);
}

class LevelTwoDrawing : public LevelTwo {
protected:
    void SetUp() override
    {
        LevelTwo::SetUp();
        load_game_data();
        ASSERT_TRUE(bg[1] && l2sprites && f);
    }
};

TEST_F(LevelTwoDrawing, IconsComeFromTheirColumnAndStateRow)
{
    const int rows[3][3] = {{-1, 0, 1}, {1, -1, 0}, {0, 1, -1}};
    for (const auto &row : rows) {
        for (int i = 0; i < 3; i++)
            states[i] = row[i];
        L2::draw();
        for (int i = 0; i < 3; i++) {
            int visible = expect_masked_at(l2sprites, 128 * i, 128 * (row[i] + 1), 128, 128, 115 + 133 * i, 153,
                                           bg[1], "icon");
            EXPECT_GT(visible, 0) << "icon " << i << " state " << row[i];
        }
    }
    // Between and around the icons the background shows.
    for (int y = 100; y < 300; y++) {
        for (int x : {114, 243, 244, 247, 376, 380, 509}) {
            ASSERT_EQ(rgb_at(buffer, x, y), rgb_at(bg[1], x, y)) << x << ", " << y;
        }
    }
}

TEST_F(LevelTwoDrawing, ScoreInTheTopLeftCorner)
{
    const int ink = 0xaad33a, paper = 0xd38c3a;
    for (int streak : {0, 3, 5}) {
        correctstreak = streak;
        L2::draw();

        char text[8];
        snprintf(text, sizeof text, "%d/5", streak);
        int w = text_length(f, text), h = text_height(f);
        BITMAP *want = create_bitmap(w, h);
        textout_ex(want, f, text, 0, 0, makecol(170, 211, 58), makecol(211, 140, 58));
        int inked = 0;
        for (int y = 0; y < h; y++) {
            for (int x = 0; x < w; x++) {
                int seen = rgb_at(buffer, 10 + x, 10 + y);
                ASSERT_EQ(seen, rgb_at(want, x, y)) << text << " at " << x << ", " << y;
                ASSERT_TRUE(seen == ink || seen == paper) << std::hex << seen;
                inked += seen == ink;
            }
        }
        EXPECT_GT(inked, 0) << text;
        EXPECT_EQ(rgb_at(buffer, 9, 10), rgb_at(bg[1], 9, 10));
        EXPECT_EQ(rgb_at(buffer, 10 + w, 10), rgb_at(bg[1], 10 + w, 10));
        destroy_bitmap(want);
    }
}

TEST_F(LevelTwoDrawing, MissingPicturesLeaveOnlyTheScore)
{
    BITMAP *saved[2] = {bg[1], l2sprites};
    bg[1] = l2sprites = nullptr;
    clear_to_color(buffer, makecol(9, 8, 7));
    BITMAP *before = copy_of_buffer();
    states[0] = states[1] = states[2] = 1;
    L2::draw();
    int changed = differing_pixels(buffer, before);
    rectfill(buffer, 10, 10, 10 + text_length(f, "0/5") - 1, 10 + text_height(f) - 1, makecol(9, 8, 7));
    EXPECT_GT(changed, 0) << "the score is still drawn";
    EXPECT_EQ(differing_pixels(buffer, before), 0);
    destroy_bitmap(before);
    bg[1] = saved[0];
    l2sprites = saved[1];
}

} // namespace
