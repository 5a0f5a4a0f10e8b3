// The four songs: the gentle theme of the menu and cutscenes, a playful chase
// for level one, a thinking tune for level two and a steady push for level three.
#include "assets.h"
#include "music.h"

namespace {

// Notes as a player reads them: C4 is middle C.
int n(const char *name) { return note_number(name); }

} // namespace

// F major, 3/4 at 88: a lullaby. Harp and strings open; the flute sings the
// theme (A), again with a music box answering (A'); the music box takes a
// rising middle part over the flute (B); the theme returns with everything (A'').
void track_int()
{
    const int bpm = 88;
    Song s("int.xm", 8, bpm, 12, 34);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 80;   // the gentlest of the four
    int flute_ = s.instrument(flute(bpm, n("C4"), n("F5"), 112));
    int harp_ = s.instrument(harp(bpm, n("E3"), n("C6"), 150));
    int bass = s.instrument(round_bass(bpm, n("E2"), n("D#3")));
    int pad_ = s.instrument(strings(bpm, n("F3"), n("D5"), 128));
    int box = s.instrument(music_box(bpm, n("G4"), n("C6"), 164));
    int kick_ = s.instrument(kick(bpm, 0.6));
    int shaker_ = s.instrument(shaker(bpm, 150));
    const int A = 2, A2 = 10, B = 18, A3 = 26;

    chords(s, 0, 12, "F C7 |"
                     " F Bb F/A C F Gm7 C7 F |"
                     " F Bb Dm C F Gm7 C7 F |"
                     " Bb C Am Dm Gm C F C7 |"
                     " F Bb F/A C F Gm7 C7 F");
    chords(s, B + 5, 6, "Csus4 C");   // the melody leans on F before E: so does the chord

    const std::string theme_start = "F4 . . . A4 . . . C5 . . . | D5 . . . . . . . C5 . . . |"
                                    " A4 . . . . . G4 . F4 . . . | G4 . . . . . . . . . . . |"
                                    " F4 . . . A4 . . . C5 . . . | D5 . . . F5 . . . F5 . E5 . |";
    const std::string open_end = " D5 . . . . . C5 . Bb4 . . . | A4 . . . . . . . . . . . |";
    const std::string closed_end = " D5 . . . . . Bb4 . G4 . . . | F4 . . . . . . . . . - . |";
    Line melody_line{0, 1, flute_, 44};
    melody(s, melody_line, A, theme_start + open_end);
    melody(s, melody_line, A2, theme_start + closed_end);
    melody(s, melody_line, A3, theme_start + closed_end);

    // The middle part: the music box leads, the flute holds long notes beneath.
    Line box_line{7, -1, box, 40};
    melody(s, box_line, B,
           "F5 . . . D5 . . . Bb4 . . . | E5 . . . C5 . . . G4 . . . | A4 . . . C5 . . . E5 . . . | D5 . . . . . . . . . . . |"
           " Bb4 . . . D5 . . . G5 . . . | F5 . . . . . E5 . D5 . . . | C5 . . . . . . . A4 . . . | G4 . . . . . . . . . . . |");
    Line low_flute{0, 1, flute_, 34};
    melody(s, low_flute, B,
           "D4 . . . . . . . . . . . | E4 . . . . . . . . . . . | C4 . . . . . . . . . . . | F4 . . . . . . . . . . . |"
           " D4 . . . . . . . . . . . | G4 . . . . . . . . . . . | A4 . . . . . . . F4 . . . | E4 . . . . . . . . . - . |");

    // The music box answers where the theme holds still.
    const std::string answers = ". . . . . . . . . . . . | . . . . F5 . . . . . . . | . . . . . . . . . . . . | . . . . C5 . D5 . E5 . . . |"
                                " - . . . . . . . . . . . | . . . . . . . . . . . . | . . . . . . . . . . . . | . . . . A5 . G5 . F5 . . . |";
    Line answer_line{7, -1, box, 32};
    melody(s, answer_line, A2, answers);
    melody(s, answer_line, A3, answers);

    Line harp_line{2, -1, harp_, 30};
    figure(s, harp_line, 0, B, n("E3"), "0 . 2 . 3 . 4 . 3 . 2 .");
    figure(s, harp_line, B, 8, n("E3"), "0 . . . 2 . . . 3 . . .");
    figure(s, harp_line, A3, 8, n("E3"), "0 . 2 . 3 . 4 . 3 . 2 .");

    Line bass_line{3, -1, bass, 36};
    figure(s, bass_line, 0, A2, n("E2"), "b . . . . . . . . . . .");
    figure(s, bass_line, A2, 8, n("E2"), "b . . . . . . . 2 . . .");
    figure(s, bass_line, B, 8, n("E2"), "b . . . . . . . . . . .");
    figure(s, bass_line, A3, 8, n("E2"), "b . . . . . . . 2 . . .");

    pad(s, {4, 5}, pad_, 22, 0, 34, n("F3"), n("D5"));

    std::vector<Kit> kit = {{'k', kick_, 38}, {'s', shaker_, 24}};
    drums(s, 6, kit, A, 8, ". . . . s . . . s . . .");
    drums(s, 6, kit, A2, 8, "k . . . s . . . s . s .");
    drums(s, 6, kit, B, 8, "k . . . . . . . s . . .");
    drums(s, 6, kit, A3, 8, "k . . . s . . s s . s .");

    s.write(out + "/xm/int.xm");
}

// G major, 4/4 at 150: a cheeky chase built on the children's teasing call
// (sol-mi-la-sol-mi). Bass and drums sneak in; the tease and its answers (A);
// again in thirds (A'), turning to E minor; a scampering middle part (B); the
// tease with a bell an octave up (A''); a tiptoe break that creeps back to A.
void track_0()
{
    const int bpm = 150;
    Song s("0.xm", 8, bpm, 16, 38);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    int lead = s.instrument(square_lead(bpm, n("F#4"), n("A5"), 108));
    int second = s.instrument(square_lead(bpm, n("D4"), n("F#5"), 156));
    int bell = s.instrument(music_box(bpm, n("G5"), n("A6"), 140));
    int bass = s.instrument(bouncy_bass(bpm, n("B1"), n("G#3")));
    int stab = s.instrument(organ_stab(bpm, n("G3"), n("A4"), 128));
    int kick_ = s.instrument(kick(bpm, 1.0));
    int snare_ = s.instrument(snare(bpm, 1.0));
    int hat_ = s.instrument(hat(bpm, 0.03, 164));
    int open_hat = s.instrument(hat(bpm, 0.16, 164));
    int block = s.instrument(woodblock(bpm, 92));
    int clap_ = s.instrument(clap(bpm, 128));
    int tom_ = s.instrument(tom(bpm));
    const int A = 2, A2 = 10, B = 18, A3 = 26, BREAK = 34;

    chords(s, 0, 16, "G D7 |"
                     " G C G D Em C D7 G |"
                     " G C G D Em C D7 B7 |"
                     " Em Em C C Am Am D D7 |"
                     " G C G D Em C D7 G |"
                     " C C#dim7 G/D D");

    const std::string tease = "D5 . . . B4 . E5 . D5 . . . B4 . . . | E5 . . . C5 . A5 . G5 . . . E5 . . . |"
                              " D5 . . . B4 . E5 . D5 . . . B4 . G4 . | A4 . B4 . C5 . C#5 . D5 . . . D5 . D5 . |"
                              " G5 . . . E5 . A5 . G5 . . . E5 . . . | E5 . . . C5 . E5 . G5 . . . E5 . C5 . |"
                              " A4 . C5 . F#5 . . . E5 . C5 . A4 . F#4 . |";
    const std::string home = " G4 . B4 . D5 . G5 . . . . . - . . . |";
    const std::string turn = " B4 . D#5 . F#5 . A5 . . . . . - . . . |";
    Line lead_line{0, -1, lead, 50};
    melody(s, lead_line, A, tease + home);
    melody(s, lead_line, A2, tease + turn);
    melody(s, lead_line, A3, tease + home);
    melody(s, lead_line, B,
           "E5 D5 B4 . E5 D5 B4 . E5 D5 B4 . G4 . . . | E5 D5 B4 . E5 D5 B4 . F#5 . G5 . F#5 . D5 . |"
           " E5 D5 C5 . E5 D5 C5 . E5 D5 C5 . G4 . . . | E5 D5 C5 . E5 D5 C5 . G5 . A5 . G5 . E5 . |"
           " C5 B4 A4 . C5 B4 A4 . C5 B4 A4 . E4 . . . | A4 . C5 . E5 . A5 . G5 . E5 . C5 . A4 . |"
           " F#5 . . . D5 . . . A4 . . . D5 . . . | C5 . . . A4 . . . F#4 . A4 . C5 . . . |");
    melody(s, lead_line, BREAK,
           ". . . . . . . . . . . . . . . . | . . . . . . . . . . . . . . . . |"
           " D5 . B4 . D5 . B4 . D5 . B4 . G4 . A4 . | A4 . . . A4 . B4 . C5 . . . C#5 . . . |");

    // The second time round a second voice runs along in thirds and sixths.
    Line second_line{1, -1, second, 30};
    melody(s, second_line, A2,
           "B4 . . . G4 . G4 . B4 . . . G4 . . . | C5 . . . A4 . C5 . E5 . . . C5 . . . |"
           " B4 . . . G4 . G4 . B4 . . . G4 . D4 . | F#4 . F#4 . F#4 . A4 . A4 . . . F#4 . A4 . |"
           " B4 . . . G4 . E5 . B4 . . . G4 . . . | C5 . . . A4 . C5 . E5 . . . C5 . A4 . |"
           " F#4 . A4 . D5 . . . C5 . A4 . F#4 . D4 . | F#4 . B4 . D#5 . F#5 . . . . . - . . . |");
    // The last time a bell doubles the tease an octave up.
    Line bell_line{1, -1, bell, 26, 12};
    melody(s, bell_line, A3, tease + home);

    Line bass_line{2, -1, bass, 42};
    figure(s, bass_line, 0, A2, n("D2"), "b . . . B . . . b . . . B . . .");
    figure(s, bass_line, A2, 8, n("D2"), "b . . . B . . . b . . . 2 . a .");
    figure(s, bass_line, B, 8, n("D2"), "b . . b . . b . 2 . . . B . a .");
    figure(s, bass_line, A3, 8, n("D2"), "b . . . B . . . b . . . 2 . a .");
    // The break creeps up by half steps, C to D, before the tease comes back.
    figure(s, bass_line, BREAK, 3, n("C2"), "b . . . b . . . b . . . b . . .");
    figure(s, bass_line, BREAK + 3, 1, n("C2"), "b . . . b . . . b . . . a . . .");

    pad(s, {3, 4}, stab, 26, 0, A, n("G3"), n("A4"), ". . x . . . . . . . x . . . . .");
    pad(s, {3, 4}, stab, 26, A, B - A, n("G3"), n("A4"), ". . x . . . x . . . x . . . x .");
    pad(s, {3, 4}, stab, 26, B, 8, n("G3"), n("A4"), ". . x . . x . . . . x . . x . .");
    pad(s, {3, 4}, stab, 26, A3, 8, n("G3"), n("A4"), ". . x . . . x . . . x . . . x .");
    pad(s, {3, 4}, stab, 26, BREAK, 4, n("G3"), n("A4"), "x . . . . . . . x . . . . . . .");

    std::vector<Kit> kit = {{'k', kick_, 46}, {'s', snare_, 36}};
    drums(s, 5, kit, 0, A, "k . . . . . . . k . . . . . . .");
    for (int start : {A, A2, A3}) {
        drums(s, 5, kit, start, 7, "k . . . s . . . k . k . s . . .");
        drums(s, 5, kit, start + 7, 1, "k . . . s . . . s . s . s s S S");
    }
    drums(s, 5, kit, B, 8, "k . . . s . . k . . k . s . . .");
    drums(s, 5, kit, BREAK, 2, "k . . . . . . . k . . . . . . .");
    drums(s, 5, kit, BREAK + 2, 2, "k . . . s . . . k . . . s . s s");

    std::vector<Kit> hats = {{'h', hat_, 20}, {'o', open_hat, 18}};
    drums(s, 6, hats, 0, B, "h . h . h . h . h . h . h . o .");
    std::vector<Kit> busy_hats = {{'h', hat_, 15}, {'o', open_hat, 16}};
    drums(s, 6, busy_hats, B, 8, "h . h h h . h h h . h h h . o .");
    drums(s, 6, hats, A3, 8, "h . h . h . h . h . h . h . o .");
    drums(s, 6, hats, BREAK, 4, ". . h . . . h . . . h . . . o .");

    std::vector<Kit> extra = {{'w', block, 24, n("C4")}, {'v', block, 20, n("G3")},
                              {'c', clap_, 26}, {'t', tom_, 34, n("G4")}, {'l', tom_, 34, n("C4")}};
    drums(s, 7, extra, 0, A, ". . . . . . w . . . v . . . w .");
    drums(s, 7, extra, B, 7, ". . . . c . . . . . . . c . . .");
    drums(s, 7, extra, B + 7, 1, ". . . . c . . . t . t . l . l .");
    drums(s, 7, extra, A3, 8, ". . . . c . . . . . . . c . . .");
    drums(s, 7, extra, BREAK, 4, ". . . . . . w . . . v . . . w .");

    s.write(out + "/xm/0.xm");
}

// A minor, swung 4/4 at 100: thinking music. A wood block ticks like a clock
// over walking bass and brushes; the vibraphone muses in a falling sequence
// over a circle of fifths (A), finds a brighter idea (B), and muses again (A').
void track_1()
{
    const int bpm = 100;
    Song s("1.xm", 8, bpm, 16, 26);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    int vib = s.instrument(vibes(bpm, n("F4"), n("A5"), 112));
    int bass = s.instrument(pizzicato_bass(bpm, n("C2"), n("C4")));
    int piano = s.instrument(electric_piano(bpm, n("G3"), n("A4"), 156));
    int block = s.instrument(woodblock(bpm, 150));
    int kick_ = s.instrument(kick(bpm, 0.5));
    int brush_ = s.instrument(brush(bpm, 110));
    int ride_ = s.instrument(ride(bpm, 172));
    const int A = 2, B = 10, A2 = 18;

    chords(s, 0, 16, "Am7 E7 |"
                     " Am7 Dm7 G7 Cmaj7 Fmaj7 Bm7b5 E7 Am7 |"
                     " Dm7 G7 Cmaj7 Fmaj7 Dm7 E7 Am7 E7 |"
                     " Am7 Dm7 G7 Cmaj7 Fmaj7 Bm7b5 E7 Am7");

    const std::string musing = "E5 . . . E5 . D5 . C5 . . . A4 . . . | . . . . C5 . D5 . F5 . . . E5 . . . |"
                               " D5 . . . D5 . C5 . B4 . . . G4 . . . | . . . . B4 . C5 . E5 . . . D5 . . . |"
                               " C5 . . . C5 . B4 . A4 . . . F4 . . . | . . . . A4 . B4 . D5 . . . F5 . . . |"
                               " E5 . . . D5 . C5 . B4 . . . G#4 . . . |";
    Line vib_line{0, 1, vib, 50};
    melody(s, vib_line, A, musing + " A4 . . . . . . . . . . . - . . . |");
    melody(s, vib_line, B,
           "A5 . . . . . . . G5 . F5 . E5 . . . | D5 . . . . . . . . . . . B4 . D5 . |"
           " G5 . . . . . . . F5 . E5 . D5 . . . | C5 . . . . . . . . . A4 . C5 . E5 . |"
           " F5 . . . F5 . E5 . D5 . . . C5 . . . | B4 . . . . . . . G#4 . B4 . D5 . . . |"
           " C5 . . . B4 . A4 . E5 . . . . . . . | D5 . . . . . . . B4 . . . G#4 . . . |");
    melody(s, vib_line, A2, musing + " A4 . C5 . E5 . A5 . . . . . . . . . |");

    Line bass_line{2, -1, bass, 40};
    figure(s, bass_line, 0, 26, n("C2"), "b . . . 2 . . . 1 . . . a . . . | b . . . 1 . . . 2 . . . a . . .");

    pad(s, {3, 4}, piano, 22, 0, 26, n("G3"), n("A4"),
        "x . . . . . x . . . . . . . . . | . . . . . . x . . . . . x . . .");

    std::vector<Kit> clock = {{'t', block, 30, n("F4")}, {'o', block, 27, n("C4")}};
    drums(s, 5, clock, 0, B, "t . . . o . . . t . . . o . . .");
    drums(s, 5, clock, B, 8, "t . . . . . . . o . . . . . . .");
    drums(s, 5, clock, A2, 8, "t . . . o . . . t . . . o . . .");
    swing(s, 5, 8, 4);

    std::vector<Kit> kit = {{'k', kick_, 34}, {'b', brush_, 30}};
    drums(s, 6, kit, 0, A, ". . . . b . . . . . . . b . . .");
    drums(s, 6, kit, A, 24, "k . . . b . . . k . . . b . . b");

    std::vector<Kit> cymbal = {{'r', ride_, 20}};
    drums(s, 7, cymbal, A, 24, "r . . . r . r . r . . . r . r .");

    s.write(out + "/xm/1.xm");
}

// D mixolydian, 4/4 at 120: a steady push. Kick and bass start the engine and
// the rest joins (intro); a brass tune that keeps leaning forward (A); a
// broader part in B minor (B); the tune again (A'); a breather that builds back.
void track_2()
{
    const int bpm = 120;
    Song s("2.xm", 8, bpm, 16, 32);
    s.pattern_bars = 4;
    s.loop_bar = 4;
    int horn = s.instrument(brass(bpm, n("F#4"), n("A5"), 116));
    int bass = s.instrument(drive_bass(bpm, n("B1"), n("C4")));
    int pad_ = s.instrument(strings(bpm, n("A3"), n("A4"), 148));
    int hat_ = s.instrument(hat(bpm, 0.035, 170));
    int crash_ = s.instrument(crash(bpm, 96));
    int kick_ = s.instrument(kick(bpm, 1.2));
    int snare_ = s.instrument(snare(bpm, 1.2));
    int tom_ = s.instrument(tom(bpm));
    const int A = 4, B = 12, A2 = 20, BRIDGE = 28;

    chords(s, 0, 16, "D C G D |"
                     " D C G D D C G A |"
                     " Bm G D A Bm G Em7 A7 |"
                     " D C G D D C");
    chords(s, 26, 8, "G A");
    chords(s, 27, 16, "D | G A Bm A");

    const std::string tune = "D5 . . . . . A4 . D5 . . . E5 . F#5 . | G5 . . . . . E5 . C5 . . . . . . . |"
                             " D5 . . . . . B4 . G4 . . . A4 . B4 . | A4 . . . . . . . . . . . - . . . |"
                             " D5 . . . . . A4 . D5 . . . E5 . F#5 . | G5 . . . . . A5 . G5 . . . E5 . . . |";
    Line horn_line{0, 1, horn, 48};
    melody(s, horn_line, A, tune + " D5 . . . . . E5 . D5 . . . B4 . . . | C#5 . . . . . . . E5 . . . A4 . . . |");
    melody(s, horn_line, B,
           "F#5 . . . . . . . . . . . D5 . E5 . | D5 . . . . . . . B4 . . . . . . . |"
           " A4 . . . . . . . D5 . . . F#5 . . . | E5 . . . . . . . . . . . C#5 . E5 . |"
           " F#5 . . . . . . . . . . . D5 . F#5 . | G5 . . . . . . . B4 . . . D5 . . . |"
           " E5 . . . . . . . D5 . . . B4 . . . | C#5 . . . . . . . E5 . . . G5 . . . |");
    melody(s, horn_line, A2, tune + " D5 . . . . . B4 . C#5 . . . E5 . . . | D5 . . . . . . . . . . . - . . . |");
    melody(s, horn_line, BRIDGE,
           ". . . . . . . . . . . . . . . . | . . . . . . . . . . . . . . . . |"
           " F#4 . . . A4 . . . B4 . . . D5 . . . | E5 . . . . . . . C#5 . . . A4 . . . |");

    Line bass_line{2, -1, bass, 46};
    figure(s, bass_line, 0, B, n("B1"), "b . b . b . b . b . b . b . b .");
    figure(s, bass_line, B, 8, n("B1"), "b . b . B . b . b . b . B . b .");
    figure(s, bass_line, A2, 8, n("B1"), "b . b . b . b . b . b . b . b .");
    figure(s, bass_line, BRIDGE, 3, n("B1"), "b . . . . . . . b . . . . . . .");
    figure(s, bass_line, BRIDGE + 3, 1, n("B1"), "b . b . b . b . b . b . b . b .");

    pad(s, {3, 4}, pad_, 17, 2, 30, n("A3"), n("A4"));

    std::vector<Kit> kit = {{'k', kick_, 48}};
    drums(s, 6, kit, 0, 32, "k . . . k . . . k . . . k . . .");

    std::vector<Kit> snares = {{'s', snare_, 40}, {'t', tom_, 36, n("G4")}, {'l', tom_, 36, n("C4")}};
    drums(s, 7, snares, 2, 2, ". . . . s . . . . . . . s . . .");
    for (int start : {A, B, A2}) {
        drums(s, 7, snares, start, 7, ". . . . s . . . . . . . s . . .");
        drums(s, 7, snares, start + 7, 1, ". . . . s . . . s . s . s s S S");
    }
    drums(s, 7, snares, BRIDGE, 3, ". . . . s . . . . . . . s . . .");
    drums(s, 7, snares, BRIDGE + 3, 1, "t . t . t . t . l . l . l . s s");

    std::vector<Kit> metal = {{'h', hat_, 22}, {'c', crash_, 26}};
    drums(s, 5, metal, 2, 2, "h . h . h . h . h . h . h . h .");
    for (int start : {A, B, A2, BRIDGE}) {
        drums(s, 5, metal, start, 1, "c . h . h . h . h . h . h . h .");
        drums(s, 5, metal, start + 1, start == BRIDGE ? 3 : 7, "h . h . h . h . h . h . h . h .");
    }

    s.write(out + "/xm/2.xm");
}
