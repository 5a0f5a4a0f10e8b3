// The music generator's notation: note names, chord symbols, and what the
// line, pad and figure writers put into the rows.
#include "music/compose.h"
#include "music/instruments.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::vector<int> pitch_classes(const Chord &c)
{
    std::vector<int> v;
    for (int t : c.tones)
        v.push_back((c.root + t) % 12);
    return v;
}

// A bare song with one plain instrument, for looking at the rows it gets.
Song song(int channels, int bars)
{
    Song s("notation", channels, 125, 16, bars);
    XmInstrument ins;
    ins.name = "plain";
    ins.samples.resize(1);
    ins.samples[0].data.assign(32, 0);
    s.instrument(ins);
    return s;
}

} // namespace

TEST(Notation, NoteNamesAreXmNotesWithMiddleCAtC4)
{
    EXPECT_EQ(note_number("C4"), 49);
    EXPECT_EQ(note_number("A4"), 58);
    EXPECT_EQ(note_number("Bb3"), 47);
    EXPECT_EQ(note_number("F#2"), 31);
    EXPECT_EQ(note_number("B7"), 96);
    EXPECT_NEAR(note_hz(note_number("A4")), 440.0, 1e-9);
    EXPECT_NEAR(note_hz(note_number("C4")), 261.626, 0.001);
    EXPECT_EXIT(note_number("H4"), testing::ExitedWithCode(1), "bad note name");
    EXPECT_EXIT(note_number("C8"), testing::ExitedWithCode(1), "bad note name");
}

TEST(Notation, ChordSymbolsSoundTheirTones)
{
    EXPECT_EQ(pitch_classes(chord("C")), (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(pitch_classes(chord("Am7")), (std::vector<int>{9, 0, 4, 7}));
    EXPECT_EQ(pitch_classes(chord("Bm7b5")), (std::vector<int>{11, 2, 5, 9}));
    EXPECT_EQ(pitch_classes(chord("Bbmaj7")), (std::vector<int>{10, 2, 5, 9}));
    EXPECT_EQ(pitch_classes(chord("C#dim7")), (std::vector<int>{1, 4, 7, 10}));
    EXPECT_EQ(pitch_classes(chord("Csus4")), (std::vector<int>{0, 5, 7}));
    Chord slash = chord("F/A");
    EXPECT_EQ(slash.root, 5);
    EXPECT_EQ(slash.bass, 9);
    EXPECT_EQ(chord("G7").bass, 7);
    EXPECT_EXIT(chord("Cxyz"), testing::ExitedWithCode(1), "bad chord");
    EXPECT_EXIT(chord("C/Q"), testing::ExitedWithCode(1), "bad chord");
}

TEST(Notation, LinesFiguresAndDrumsCheckTheirBarLinesAndNeverOverwriteANote)
{
    Song s = song(1, 2);
    Line line{0, -1, 1, 40};
    EXPECT_EQ(melody(s, line, 0, "C4 . . . . . . . . . . . . . . . | D4"), 17);   // bar lines are not rows
    EXPECT_EQ(s.at(0, 16).note, note_number("D4"));
    EXPECT_EXIT(melody(s, line, 1, ". E4 . | ."), testing::ExitedWithCode(1), "not on a bar");
    EXPECT_EXIT(melody(s, line, 0, "D4"), testing::ExitedWithCode(1), "two notes");
    EXPECT_EXIT(melody(s, line, 1, ". . . . . . . . . . . . . . . . C4"), testing::ExitedWithCode(1),
                "outside the song");

    // Figures and drums read their patterns the same way, repeated over whole bars.
    Song d = song(1, 2);
    std::vector<Kit> kit = {{'k', 1, 40}};
    const std::string eight = "k . . . k . . .";
    drums(d, 0, kit, 0, 2, eight + " " + eight);
    EXPECT_EQ(d.at(0, 20).note, 49);
    EXPECT_EQ(d.at(0, 28).note, 49);
    EXPECT_EQ(d.at(0, 29).note, 0);
    EXPECT_EXIT(drums(d, 0, kit, 0, 1, eight + " | " + eight), testing::ExitedWithCode(1), "not on a bar");
    EXPECT_EXIT(drums(d, 0, kit, 0, 1, eight), testing::ExitedWithCode(1), "not whole bars");
    EXPECT_EXIT(figure(d, line, 1, 2, 25, eight + " " + eight), testing::ExitedWithCode(1), "past the end");
}

TEST(Notation, TwoChannelLinesAlternateAndReleaseTheNoteBefore)
{
    Song s = song(2, 1);
    Line line{0, 1, 1, 40};
    melody(s, line, 0, "C4 . E4! . G4? . - . C5 . . . . . . .");
    EXPECT_EQ(s.at(0, 0).note, 49);
    EXPECT_EQ(s.at(1, 2).note, 53);
    EXPECT_EQ(s.at(0, 2).note, 97) << "C4 goes on sounding under E4";
    EXPECT_GT(s.at(1, 2).volume, s.at(0, 0).volume);   // accented
    EXPECT_EQ(s.at(0, 4).note, 56);
    EXPECT_LT(s.at(0, 4).volume, s.at(0, 0).volume);   // soft
    EXPECT_EQ(s.at(1, 4).note, 97);
    EXPECT_EQ(s.at(0, 6).note, 97) << "the rest releases G4";
    EXPECT_EQ(s.at(0, 8).note, 61) << "after a rest the line starts again on its first channel";
    EXPECT_EQ(s.at(1, 8).note, 0);
}

TEST(Notation, PadVoicesMoveByTheSmallestStepsAndGlideInsteadOfStriking)
{
    Song s = song(3, 4);
    chords(s, 0, 16, "C F G7 C");
    int low = note_number("E3"), high = note_number("E5");
    pad(s, {0, 1, 2}, 1, 30, 0, 4, low, high);
    std::vector<int> held(3, 0);
    for (int bar = 0; bar < 4; bar++) {
        std::vector<int> pcs;
        for (int v = 0; v < 3; v++) {
            const XmCell &c = s.at(v, bar * 16);
            if (bar == 0) {
                ASSERT_NE(c.note, 0);
                EXPECT_EQ(c.instrument, 1);
            } else if (c.note) {
                EXPECT_EQ(c.effect, 3) << "a held voice glides to its new note";
                EXPECT_EQ(c.instrument, 0) << "and is not struck again";
                EXPECT_LE(std::abs(c.note - held[v]), 4) << "voice " << v << " leaps at bar " << bar;
            }
            if (c.note)
                held[v] = c.note;
            EXPECT_GE(held[v], low);
            EXPECT_LE(held[v], high);
            pcs.push_back((held[v] - 1) % 12);
        }
        // Every sounding voice belongs to the bar's chord.
        std::vector<int> chord_pcs = pitch_classes(s.harmony[bar * 16]);
        for (int pc : pcs)
            EXPECT_NE(std::find(chord_pcs.begin(), chord_pcs.end(), pc), chord_pcs.end()) << "bar " << bar;
    }
}

TEST(Notation, FiguresFollowTheChordsAndApproachTheNextBassByStep)
{
    Song s = song(1, 4);
    s.loop_bar = 1;
    chords(s, 0, 16, "C Am F G");
    Line bass{0, -1, 1, 40};
    int low = note_number("C2");
    figure(s, bass, 0, 4, low, "b . . . 2 . . . B . . . a . . .");
    const int bass_of[4] = {note_number("C2"), note_number("A2"), note_number("F2"), note_number("G2")};
    for (int bar = 0; bar < 4; bar++) {
        SCOPED_TRACE("bar " + std::to_string(bar));
        EXPECT_EQ(s.at(0, bar * 16).note, bass_of[bar]);
        EXPECT_EQ(s.at(0, bar * 16 + 4).note, bass_of[bar] + 7) << "the fifth";
        EXPECT_EQ(s.at(0, bar * 16 + 8).note, bass_of[bar] + 12) << "the octave";
        // The last bar leads back to where the song loops: A minor's A.
        int next = bar < 3 ? bass_of[bar + 1] : bass_of[1];
        int step = s.at(0, bar * 16 + 12).note - next;
        EXPECT_TRUE(step == -2 || step == -1 || step == 1 || step == 2) << "approach " << step;
    }
    EXPECT_EQ(s.at(0, 12).note, note_number("Bb2")) << "G# would rub against C major's G: from above";
    EXPECT_EQ(s.at(0, 16 + 12).note, note_number("E2")) << "A minor to F: a half step below";
}

TEST(Notation, EchoesRepeatEveryNoteAndReleaseLaterAndSofterAndWrapToTheLoop)
{
    Song s = song(4, 2);
    s.loop_bar = 1;
    Line line{0, 1, 1, 40};
    melody(s, line, 0, "C4 . . . E4 . . . - . . . . . . . | G4 . . . . . . . . . . . . . C5 .");
    echo(s, {0, 1}, {2, 3}, 0, 2, 3, 50);
    EXPECT_EQ(s.at(2, 3).note, note_number("C4"));
    EXPECT_EQ(s.at(2, 3).instrument, 1);
    EXPECT_EQ(s.at(2, 3).volume - 0x10, (s.at(0, 0).volume - 0x10) / 2);
    EXPECT_EQ(s.at(3, 7).note, note_number("E4"));
    EXPECT_EQ(s.at(2, 7).note, 97) << "C4's echo is released where C4 was";
    EXPECT_EQ(s.at(3, 11).note, 97) << "and so is E4's at the rest";
    // C5 at the last row but two sounds again after the end: where the song loops.
    EXPECT_EQ(s.at(3, 16 + 1).note, note_number("C5"));
    EXPECT_EXIT(echo(s, {0}, {2, 3}, 0, 1, 3, 50), testing::ExitedWithCode(1), "one channel for each");
    EXPECT_EXIT(echo(s, {0, 1}, {2, 3}, 0, 1, 3, 50), testing::ExitedWithCode(1), "lands on a note");
}

TEST(Notation, PhrasedLinesLeanOnTheTopNoteAndPassOverShortOnesAndTheSongsLevelGoesWhereItIsFree)
{
    Song s = song(2, 2);
    Line line{0, -1, 1, 60, 0, true};
    melody(s, line, 0, "C4 . . . . . . . D4 . E4 . G4 . . . | G4 . F4 . E4! . . . D4? . . . C4 . . .");
    auto v = [&](int row) { return s.at(0, row).volume - 0x10; };
    EXPECT_EQ(v(12), 60) << "the bar's top note";
    EXPECT_EQ(v(16), 60) << "and the next bar's, however short";
    EXPECT_LT(v(0), v(12)) << "a held note";
    EXPECT_LT(v(8), v(0)) << "a passing note";
    EXPECT_EQ(v(8), v(18));
    EXPECT_EQ(v(28), v(0)) << "held to the end of the line";
    EXPECT_GT(v(20), v(28)) << "accents still count";
    EXPECT_LT(v(24), v(28)) << "and so do soft notes";

    // The global volume goes on a channel with neither note nor effect.
    global_volume(s, 0, 51);
    EXPECT_EQ(s.at(1, 0).effect, 0x10);
    EXPECT_EQ(s.at(1, 0).param, 51);
    EXPECT_EQ(s.at(0, 0).effect, 0);
    global_volume(s, 2, 80);
    EXPECT_EQ(s.at(0, 2).param, 64) << "64 is as loud as it goes";
    s.at(1, 4).note = 49;
    s.at(0, 4).note = 49;
    EXPECT_EXIT(global_volume(s, 4, 64), testing::ExitedWithCode(1), "no free effect");
}
