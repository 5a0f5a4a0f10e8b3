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
// rising middle part over the flute (B); everything but the harp and the music
// box falls away for a moment (break); the theme returns with everything (A'').
void track_int()
{
    const int bpm = 88;
    Song s("int.xm", 9, bpm, 12, 38);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 102;
    int flute_ = s.instrument(flute(bpm, n("C4"), n("F5"), 128));
    int harp_ = s.instrument(harp(bpm, n("E3"), n("C6"), 128));
    int bass = s.instrument(cello(bpm, n("E2"), n("D#3")));
    int pad_ = s.instrument(strings(bpm, n("F3"), n("D5"), 128));
    int box = s.instrument(music_box(bpm, n("G4"), n("C6"), 128));
    int kick_ = s.instrument(kick(bpm, 0.6));
    int shaker_ = s.instrument(shaker(bpm, 128));
    s.pan = {100, 100, 180, 128, 44, 212, 168, 76, 128};
    const int A = 2, A2 = 10, B = 18, BREAK = 26, A3 = 30;

    chords(s, 0, 12, "F C7 |"
                     " F Bb F/A C F Gm7 C7 F |"
                     " F Bb Dm C F Gm7 C7 F |"
                     " Bb C Am Dm Gm C F C7 |"
                     " Dm Bb Gm7 C7 |"
                     " F Bb F/A C F Gm7 C7 F");
    chords(s, B + 5, 6, "Csus4 C");   // the melody leans on F before E: so does the chord

    const std::string theme_start = "F4 . . . A4 . . . C5 . . . | D5 . . . . . . . C5 . . . |"
                                    " A4 . . . . . G4 . F4 . . . | G4 . . . . . . . . . . . |"
                                    " F4 . . . A4 . . . C5 . . . | D5 . . . F5 . . . F5 . E5 . |";
    const std::string open_end = " D5 . . . . . C5 . Bb4 . . . | A4 . . . . . . . . . . . |";
    const std::string closed_end = " D5 . . . . . Bb4 . G4 . . . | F4 . . . . . . . . . - . |";
    Line melody_line{0, 1, flute_, 52};
    melody(s, melody_line, A, theme_start + open_end);
    melody(s, melody_line, A2, theme_start + closed_end);
    melody(s, melody_line, A3, theme_start + closed_end);

    // The middle part: the music box leads, the flute holds long notes beneath.
    Line box_line{7, -1, box, 48};
    melody(s, box_line, B,
           "F5 . . . D5 . . . Bb4 . . . | E5 . . . C5 . . . G4 . . . | A4 . . . C5 . . . E5 . . . | D5 . . . . . . . . . . . |"
           " Bb4 . . . D5 . . . G5 . . . | F5 . . . . . E5 . D5 . . . | C5 . . . . . . . A4 . . . | G4 . . . . . . . . . . . |");
    Line low_flute{0, 1, flute_, 40};
    melody(s, low_flute, B,
           "D4 . . . . . . . . . . . | E4 . . . . . . . . . . . | C4 . . . . . . . . . . . | F4 . . . . . . . . . . . |"
           " D4 . . . . . . . . . . . | G4 . . . . . . . . . . . | A4 . . . . . . . F4 . . . | E4 . . . . . . . . . - . |");
    // The break: the music box alone recalls the theme's opening, slower.
    melody(s, box_line, BREAK,
           "A4 . . . C5 . . . F5 . . . | F5 . . . . . E5 . D5 . . . | D5 . . . Bb4 . . . G4 . . . | C5 . . . . . . . . . . . |");

    // The music box answers where the theme holds still.
    const std::string answers = ". . . . . . . . . . . . | . . . . F5 . . . . . . . | . . . . . . . . . . . . | . . . . C5 . D5 . E5 . . . |"
                                " - . . . . . . . . . . . | . . . . . . . . . . . . | . . . . . . . . . . . . | . . . . A5 . G5 . F5 . . . |";
    Line answer_line{7, -1, box, 40};
    melody(s, answer_line, A2, answers);
    melody(s, answer_line, A3, answers);

    // The harp rocks in eighths, climbs higher the second time, thins out in B
    // and the break, and ends every eight bars with a run up.
    Line harp_line{2, -1, harp_, 30};
    const std::string rock = "0 . 2 . 3 . 4 . 3 . 2 .";
    const std::string run = "0 . 2 . 3 . 4 . 5 . 6 .";
    figure(s, harp_line, 0, 2, n("E3"), rock);
    figure(s, harp_line, A, 8, n("E3"), rock + " | " + rock + " | " + rock + " | " + rock + " | " + rock + " | " + rock +
                                            " | " + rock + " | " + run);
    figure(s, harp_line, A2, 8, n("E3"), "0 . 2 . 4 . 5 . 4 . 2 . | " + rock + " | 0 . 2 . 4 . 5 . 4 . 2 . | " + run);
    figure(s, harp_line, B, 8, n("E3"), "0 . . . 2 . . . 3 . . . | 0 . . . 2 . . . 3 . 4 .");
    figure(s, harp_line, BREAK, 4, n("E3"), "0 . . . . . 2 . . . . . | 0 . . . . . 2 . . . . . | 0 . . . 2 . . . 3 . . . | 0 . 2 . 3 . 4 . 5 . 6 .");
    figure(s, harp_line, A3, 8, n("E3"), "0 . 2 . 4 . 5 . 4 . 2 . | " + rock + " | 0 . 2 . 4 . 5 . 4 . 2 . | " + run);

    // The bass holds a bar in A, moves to the fifth in A', walks in B, rests in
    // the break, and steps into each new phrase.
    Line bass_line{3, -1, bass, 24};
    figure(s, bass_line, 0, 2, n("E2"), "b . . . . . . . . . . .");
    figure(s, bass_line, A, 8, n("E2"), "b . . . . . . . . . . . | b . . . . . . . . . . . | b . . . . . . . . . . . |"
                                        " b . . . . . . . a . . .");
    figure(s, bass_line, A2, 8, n("E2"), "b . . . . . . . 2 . . . | b . . . . . . . 2 . . . | b . . . . . . . 2 . . . |"
                                         " b . . . 1 . . . a . . .");
    figure(s, bass_line, B, 8, n("E2"), "b . . . 1 . . . 2 . . . | b . . . 2 . . . a . . .");
    figure(s, bass_line, BREAK, 4, n("E2"), "b? . . . . . . . . . . . | - . . . . . . . . . . . | b? . . . . . . . . . . . |"
                                            " b . . . . . . . a . . .");
    figure(s, bass_line, A3, 8, n("E2"), "b . . . . . . . 2 . . . | b . . . . . . . 2 . . . | b . . . . . . . 2 . . . |"
                                         " b . . . 1 . . . a . . .");

    pad(s, {4, 5}, pad_, 14, 0, BREAK, n("F3"), n("D5"));
    pad(s, {4, 5}, pad_, 10, BREAK, 4, n("F3"), n("D5"));
    pad(s, {4, 5}, pad_, 14, A3, 8, n("F3"), n("D5"));

    std::vector<Kit> shake = {{'s', shaker_, 24}};
    std::vector<Kit> thump = {{'k', kick_, 38}};
    drums(s, 6, shake, A, 8, ". . . . s . . . s . . . | . . . . s . . . s . . . | . . . . s . . . s . . . | . . . . s . . . s . s . |"
                             " . . . . s . . . s . . . | . . . . s . . . s . . . | . . . . s . . . s . . . | s . s . s . s . s . s s");
    drums(s, 6, shake, A2, 8, ". . . . s . . . s . s . | . . . . s . . . s . s . | . . . . s . . . s . s . | s . . . s . . . s s s s");
    drums(s, 8, thump, A2, 8, "k . . . . . . . . . . . | k . . . . . . . . . . . | k . . . . . . . . . . . | k . . . . . . . k . . .");
    drums(s, 6, shake, B, 8, ". . . . . . . . s . . . | . . . . . . . . s . . . | . . . . . . . . s . . . | . . . . s . . . s . s .");
    drums(s, 8, thump, B, 8, "k . . . . . . . . . . .");
    drums(s, 6, shake, BREAK + 3, 1, ". . . . . . s . s s s s");
    drums(s, 6, shake, A3, 8, ". . . . s . . s s . s . | . . . . s . . s s . s . | . . . . s . . s s . s . | s . s . s . s . s s s s");
    drums(s, 8, thump, A3, 8, "k . . . . . . . . . . . | k . . . . . . . k . . . | k . . . . . . . . . . . | k . . . . . . . k . k .");

    s.write(out + "/xm/int.xm");
}

// G major, 4/4 at 150: a cheeky chase built on the children's teasing call
// (sol-mi-la-sol-mi). Bass and drums sneak in; the clarinet teases and answers
// itself (A); again with an oboe in thirds (A'), turning to E minor; a
// scampering middle part with claps (B); the tease with a bell an octave up
// (A''); a tiptoe break that creeps back to A.
void track_0()
{
    const int bpm = 150;
    Song s("0.xm", 9, bpm, 16, 38);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 91;
    int lead = s.instrument(clarinet(bpm, n("F#4"), n("A5"), 128));
    int second = s.instrument(oboe(bpm, n("D4"), n("F#5"), 128));
    int bell = s.instrument(music_box(bpm, n("G5"), n("A6"), 128));
    int bass = s.instrument(plucked_bass(bpm, n("B1"), n("G#3")));
    int stab = s.instrument(organ(bpm, n("G3"), n("A4"), 128));
    int kick_ = s.instrument(kick(bpm, 1.0));
    int snare_ = s.instrument(snare(bpm, 1.0));
    int hat_ = s.instrument(hat(bpm, 0.03, 128));
    int open_hat = s.instrument(hat(bpm, 0.16, 128));
    int block = s.instrument(woodblock(bpm, 128));
    int clap_ = s.instrument(clap(bpm, 128));
    int tom_ = s.instrument(tom(bpm));
    s.pan = {104, 176, 128, 52, 204, 128, 144, 188, 72};
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
    Line lead_line{0, -1, lead, 44};
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

    // The second time round an oboe runs along in thirds and sixths.
    Line second_line{1, -1, second, 34};
    melody(s, second_line, A2,
           "B4 . . . G4 . G4 . B4 . . . G4 . . . | C5 . . . A4 . C5 . E5 . . . C5 . . . |"
           " B4 . . . G4 . G4 . B4 . . . G4 . D4 . | F#4 . F#4 . F#4 . A4 . A4 . . . F#4 . A4 . |"
           " B4 . . . G4 . E5 . B4 . . . G4 . . . | C5 . . . A4 . C5 . E5 . . . C5 . A4 . |"
           " F#4 . A4 . D5 . . . C5 . A4 . F#4 . D4 . | F#4 . B4 . D#5 . F#5 . . . . . - . . . |");
    // In the middle part it answers the scampering with long notes.
    melody(s, second_line, B,
           ". . . . . . . . . . . . B4 . . . | . . . . . . . . . . . . G4 . . . |"
           " . . . . . . . . . . . . C5 . . . | . . . . . . . . . . . . G4 . . . |"
           " . . . . . . . . . . . . A4 . . . | . . . . . . . . . . . . . . - . |"
           " . . . . . . . . . . . . . . . . | . . . . . . . . . . . . . . . . |");
    // The last time a bell doubles the tease an octave up.
    Line bell_line{1, -1, bell, 26, 12};
    melody(s, bell_line, A3, tease + home);

    // The bass bounces on the beat in A, runs up into each phrase's last bar,
    // skips in B and creeps by half steps in the break.
    Line bass_line{2, -1, bass, 42};
    const std::string bounce = "b . . . B . . . b . . . B . . .";
    const std::string walk = "b . . . B . . . b . . . 2 . a .";
    figure(s, bass_line, 0, 2, n("D2"), bounce);
    figure(s, bass_line, A, 8, n("D2"), bounce + " | " + bounce + " | " + bounce + " | b . . . 1 . . . 2 . . . B . a .");
    figure(s, bass_line, A2, 8, n("D2"), walk + " | " + walk + " | " + walk + " | b . 1 . 2 . B . b . 1 . 2 . a .");
    figure(s, bass_line, B, 8, n("D2"), "b . . b . . b . 2 . . . B . a .");
    figure(s, bass_line, A3, 8, n("D2"), walk + " | " + walk + " | " + walk + " | b . 1 . 2 . B . b . 1 . 2 . a .");
    figure(s, bass_line, BREAK, 3, n("C2"), "b . . . b . . . b . . . b . . .");
    figure(s, bass_line, BREAK + 3, 1, n("C2"), "b . . . b . . . b . . . a . . .");

    pad(s, {3, 4}, stab, 26, 0, A, n("G3"), n("A4"), ". . x . . . . . . . x . . . . .");
    pad(s, {3, 4}, stab, 26, A, B - A, n("G3"), n("A4"), ". . x . . . x . . . x . . . x .");
    pad(s, {3, 4}, stab, 26, B, 8, n("G3"), n("A4"), ". . x . . x . . . . x . . x . .");
    pad(s, {3, 4}, stab, 26, A3, 8, n("G3"), n("A4"), ". . x . . . x . . . x . . . x .");
    pad(s, {3, 4}, stab, 26, BREAK, 4, n("G3"), n("A4"), "x . . . . . . . x . . . . . . .");

    // Kick, snare, hats and the small percussion each on a channel of their own,
    // so every hit rings out; a short fill ends each four bars, a longer one each eight.
    std::vector<Kit> kicks = {{'k', kick_, 46}};
    std::vector<Kit> snares = {{'s', snare_, 36}};
    const std::string four_kicks = "k . . . . . . . k . k . . . . .";
    drums(s, 5, kicks, 0, A, "k . . . . . . . k . . . . . . .");
    for (int start : {A, A2, A3}) {
        drums(s, 5, kicks, start, 8, four_kicks + " | " + four_kicks + " | " + four_kicks + " | " + four_kicks + " | " +
                                     four_kicks + " | " + four_kicks + " | " + four_kicks + " | k . . . . . . . . . . . . . . .");
        drums(s, 6, snares, start, 8, ". . . . s . . . . . . . s . . . | . . . . s . . . . . . . s . . . |"
                                      " . . . . s . . . . . . . s . . . | . . . . s . . . . . . . s . s s |"
                                      " . . . . s . . . . . . . s . . . | . . . . s . . . . . . . s . . . |"
                                      " . . . . s . . . . . . . s . . . | . . . . s . . . s . s . s s S S");
    }
    drums(s, 5, kicks, B, 8, "k . . . . . . k . . k . . . . .");
    drums(s, 6, snares, B, 8, ". . . . s . . . . . . . s . . . | . . . . s . . . . . . . s . . s");
    drums(s, 5, kicks, BREAK, 4, "k . . . . . . . k . . . . . . .");
    drums(s, 6, snares, BREAK + 2, 2, ". . . . s . . . . . . . s . . . | . . . . s . . . . . . . s . s s");

    std::vector<Kit> hats = {{'h', hat_, 20}, {'o', open_hat, 18}};
    drums(s, 7, hats, 0, B, "h . h . h . h . h . h . h . o .");
    std::vector<Kit> busy_hats = {{'h', hat_, 15}, {'o', open_hat, 16}};
    drums(s, 7, busy_hats, B, 8, "h . h h h . h h h . h h h . o .");
    drums(s, 7, hats, A3, 8, "h . h h h . h . h . h h h . o .");
    drums(s, 7, hats, BREAK, 4, ". . h . . . h . . . h . . . o .");

    std::vector<Kit> extra = {{'w', block, 24, n("C4")}, {'v', block, 20, n("G3")},
                              {'c', clap_, 26}, {'t', tom_, 34, n("G4")}, {'l', tom_, 34, n("C4")}};
    drums(s, 8, extra, 0, A, ". . . . . . w . . . v . . . w .");
    drums(s, 8, extra, A2 + 6, 2, ". . . . . . w . . . v . . . w . | . . . . . . . . t . t . l . l .");
    drums(s, 8, extra, B, 8, ". . . . c . . . . . . . c . . . | . . . . c . . . . . . . c . . . |"
                             " . . . . c . . . . . . . c . . . | . . . . c . . . . . w . v . w . |"
                             " . . . . c . . . . . . . c . . . | . . . . c . . . . . . . c . . . |"
                             " . . . . c . . . . . . . c . . . | . . . . c . . . t . t . l . l .");
    drums(s, 8, extra, A3, 8, ". . . . c . . . . . . . c . . .");
    drums(s, 8, extra, BREAK, 4, ". . . . . . w . . . v . . . w .");

    s.write(out + "/xm/0.xm");
}

// A minor, swung 4/4 at 100: thinking music. A wood block ticks like a clock;
// the vibraphone muses in a falling sequence over a circle of fifths while the
// bass moves in half notes (A); the bass starts walking and a brighter idea
// comes (B); the drums stop and only the clock, a few bass notes and a
// questioning vibraphone are left (break); the musing returns over walking bass (A').
void track_1()
{
    const int bpm = 100;
    Song s("1.xm", 9, bpm, 16, 30);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 97;
    int vib = s.instrument(vibes(bpm, n("F4"), n("A5"), 128));
    int bass = s.instrument(pizzicato_bass(bpm, n("C2"), n("C4")));
    int piano = s.instrument(electric_piano(bpm, n("G3"), n("A4"), 128));
    int block = s.instrument(woodblock(bpm, 172));
    int kick_ = s.instrument(kick(bpm, 0.5));
    int brush_ = s.instrument(brush(bpm, 128));
    int ride_ = s.instrument(ride(bpm, 128));
    // The clock's channel carries the swing in its effect column, so it keeps its sample's place.
    s.pan = {92, 92, 128, 60, 196, -1, 128, 150, 200};
    const int A = 2, B = 10, BREAK = 18, A2 = 22;

    chords(s, 0, 16, "Am7 E7 |"
                     " Am7 Dm7 G7 Cmaj7 Fmaj7 Bm7b5 E7 Am7 |"
                     " Dm7 G7 Cmaj7 Fmaj7 Dm7 E7 Am7 E7 |"
                     " Fmaj7 Em7 Dm7 E7 |"
                     " Am7 Dm7 G7 Cmaj7 Fmaj7 Bm7b5 E7 Am7");

    const std::string musing = "E5 . . . E5 . D5 . C5 . . . A4 . . . | . . . . C5 . D5 . F5 . . . E5 . . . |"
                               " D5 . . . D5 . C5 . B4 . . . G4 . . . | . . . . B4 . C5 . E5 . . . D5 . . . |"
                               " C5 . . . C5 . B4 . A4 . . . F4 . . . | . . . . A4 . B4 . D5 . . . F5 . . . |"
                               " E5 . . . D5 . C5 . B4 . . . G#4 . . . |";
    Line vib_line{0, 1, vib, 44};
    melody(s, vib_line, A, musing + " A4 . . . . . . . . . . . - . . . |");
    melody(s, vib_line, B,
           "A5 . . . . . . . G5 . F5 . E5 . . . | D5 . . . . . . . . . . . B4 . D5 . |"
           " G5 . . . . . . . F5 . E5 . D5 . . . | C5 . . . . . . . . . A4 . C5 . E5 . |"
           " F5 . . . F5 . E5 . D5 . . . C5 . . . | B4 . . . . . . . G#4 . B4 . D5 . . . |"
           " C5 . . . B4 . A4 . E5 . . . . . . . | D5 . . . . . . . B4 . . . G#4 . . . |");
    melody(s, vib_line, BREAK,
           "A5 . . . . . . . E5 . . . . . . . | G5 . . . . . . . D5 . . . . . . . |"
           " F5 . . . E5 . . . D5 . . . C5 . . . | B4 . . . . . . . G#4 . . . . . . . |");
    melody(s, vib_line, A2, musing + " A4 . C5 . E5 . A5 . . . . . . . . . |");

    Line bass_line{2, -1, bass, 50};
    const std::string walking = "b . . . 2 . . . 1 . . . a . . . | b . . . 1 . . . 2 . . . a . . .";
    figure(s, bass_line, 0, 2, n("C2"), "b . . . . . . . 2 . . . . . . .");
    figure(s, bass_line, A, 8, n("C2"), "b . . . . . . . 2 . . . . . . . | b . . . . . . . 2 . . . . . . . |"
                                        " b . . . . . . . 2 . . . . . . . | b . . . . . . . 1 . . . a . . .");
    figure(s, bass_line, B, 8, n("C2"), walking);
    figure(s, bass_line, BREAK, 4, n("C2"), "b? . . . . . . . . . . . . . . . | . . . . . . . . . . . . . . . . |"
                                            " b? . . . . . . . . . . . . . . . | b . . . 1 . . . 2 . . . a . . .");
    figure(s, bass_line, A2, 8, n("C2"), walking);

    const std::string comp = "x . . . . . x . . . . . . . . . | . . . . . . x . . . . . x . . .";
    pad(s, {3, 4}, piano, 26, 0, BREAK, n("G3"), n("A4"), comp);
    pad(s, {3, 4}, piano, 18, BREAK, 4, n("G3"), n("A4"), "x . . . . . . . . . . . . . . .");
    pad(s, {3, 4}, piano, 26, A2, 8, n("G3"), n("A4"), comp);

    std::vector<Kit> clock = {{'t', block, 30, n("F4")}, {'o', block, 27, n("C4")}};
    drums(s, 5, clock, 0, B, "t . . . o . . . t . . . o . . .");
    drums(s, 5, clock, B, 8, "t . . . . . . . o . . . . . . .");
    drums(s, 5, clock, BREAK, 4, "t . . . o . . . t . . . o . . .");
    drums(s, 5, clock, A2, 8, "t . . . o . . . t . . . o . . .");
    swing(s, 5, 8, 4);

    std::vector<Kit> kicks = {{'k', kick_, 30}};
    std::vector<Kit> brushes = {{'b', brush_, 30}};
    std::vector<Kit> cymbal = {{'r', ride_, 20}};
    const std::string ride_beat = "r . . . r . r . r . . . r . r .";
    drums(s, 7, brushes, 0, A, ". . . . b . . . . . . . b . . .");
    for (int start : {A, A2}) {
        drums(s, 6, kicks, start, 8, "k . . . . . . . k . . . . . . .");
        drums(s, 7, brushes, start, 8, ". . . . b . . . . . . . b . . . | . . . . b . . . . . . . b . . . |"
                                       " . . . . b . . . . . . . b . . . | . . . . b . . . . . b . b . b b");
        drums(s, 8, cymbal, start, 8, ride_beat);
    }
    drums(s, 6, kicks, B, 8, "k . . . . . . k . . k . . . . . | k . . . . . . . k . . . . . k .");
    drums(s, 7, brushes, B, 8, ". . . . b . . . . . . . b . . . | . . . . b . . . . . . . b . . . |"
                               " . . . . b . . . . . . . b . . . | . . . . b . . . b . b . b b b b");
    drums(s, 8, cymbal, B, 8, "r . . . r . r . r . . . r . r . | r . . . r . r . r . r . r . r .");
    // The break keeps only a brush on the bar, then calls the band back.
    drums(s, 7, brushes, BREAK, 3, "b . . . . . . . . . . . . . . .");
    drums(s, 7, brushes, BREAK + 3, 1, "b . . . b . . . b . b . b b b b");
    drums(s, 6, kicks, BREAK + 3, 1, ". . . . . . . . . . . . k . . .");

    s.write(out + "/xm/1.xm");
}

// D mixolydian, 4/4 at 120: a steady push. Kick and bass start the engine and
// the rest joins (intro); a brass tune that keeps leaning forward over a
// four-on-the-floor (A); a broader part in B minor in half time (B); the tune
// again, busier (A'); a breather without the kick that builds back up (bridge).
void track_2()
{
    const int bpm = 120;
    Song s("2.xm", 9, bpm, 16, 32);
    s.pattern_bars = 4;
    s.loop_bar = 4;
    int horn = s.instrument(brass(bpm, n("F#4"), n("A5"), 128));
    int bass = s.instrument(picked_bass(bpm, n("B1"), n("C4")));
    int pad_ = s.instrument(strings(bpm, n("A3"), n("A4"), 128));
    int hat_ = s.instrument(hat(bpm, 0.035, 128));
    int open_hat = s.instrument(hat(bpm, 0.16, 128));
    int crash_ = s.instrument(crash(bpm, 128));
    int kick_ = s.instrument(kick(bpm, 1.2));
    int snare_ = s.instrument(snare(bpm, 1.2));
    int tom_ = s.instrument(tom(bpm));
    int shaker_ = s.instrument(shaker(bpm, 128));
    s.pan = {108, 108, 128, 44, 212, 188, 128, 140, 68};
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
    Line horn_line{0, 1, horn, 58};
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

    // Eighths that drive, octaves in the broad part, long notes in the breather;
    // each phrase's last bar climbs into the next.
    Line bass_line{2, -1, bass, 46};
    const std::string eighths = "b . b . b . b . b . b . b . b .";
    const std::string climb = "b . b . b . b . b . 1 . 2 . a .";
    figure(s, bass_line, 0, 2, n("B1"), "b . . . . . . . b . . . . . . .");
    figure(s, bass_line, 2, 2, n("B1"), eighths + " | " + climb);
    figure(s, bass_line, A, 8, n("B1"), eighths + " | " + eighths + " | " + eighths + " | " + climb);
    figure(s, bass_line, B, 8, n("B1"), "b . . . B . . . b . . B . . b . | b . . . B . . . b . . B . a . .");
    figure(s, bass_line, A2, 8, n("B1"), "b . b . b . b b b . b . b . b b | " + eighths + " | b . b . b . b b b . b . b . b b | " + climb);
    figure(s, bass_line, BRIDGE, 2, n("B1"), "b . . . . . . . . . . . b . . .");
    figure(s, bass_line, BRIDGE + 2, 2, n("B1"), eighths + " | " + climb);

    pad(s, {3, 4}, pad_, 26, 2, 26, n("A3"), n("A4"));
    pad(s, {3, 4}, pad_, 24, BRIDGE, 4, n("A3"), n("A4"));

    std::vector<Kit> kicks = {{'k', kick_, 34}};
    const std::string floor = "k . . . k . . . k . . . k . . .";
    drums(s, 6, kicks, 0, 4, floor);
    drums(s, 6, kicks, A, 8, floor);
    drums(s, 6, kicks, B, 8, "k . . . . . k . . . k . . . . . | k . . . . . k . . . k . . . k .");
    drums(s, 6, kicks, A2, 8, floor + " | " + floor + " | " + floor + " | k . . . k . . . k . . k k . . .");
    drums(s, 6, kicks, BRIDGE + 2, 2, floor);

    std::vector<Kit> snares = {{'s', snare_, 34}, {'t', tom_, 36, n("G4")}, {'m', tom_, 36, n("D4")}, {'l', tom_, 36, n("A3")}};
    const std::string back = ". . . . s . . . . . . . s . . .";
    const std::string small_fill = ". . . . s . . . . . . . s . s s";
    const std::string big_fill = ". . . . s . . . t . t . m . l .";
    drums(s, 7, snares, 2, 2, back + " | " + small_fill);
    for (int start : {A, A2})
        drums(s, 7, snares, start, 8, back + " | " + back + " | " + back + " | " + small_fill + " | " + back + " | " +
                                      back + " | " + back + " | " + big_fill);
    drums(s, 7, snares, B, 8, ". . . . . . . . s . . . . . . . | . . . . . . . . s . . . . . . . |"
                              " . . . . . . . . s . . . . . . . | . . . . . . . . s . . . s . s s");
    drums(s, 7, snares, BRIDGE, 3, ". . . . . . . . s . . . . . . .");
    drums(s, 7, snares, BRIDGE + 3, 1, "s . s . s . s . s s s s S S S S");

    std::vector<Kit> metal = {{'h', hat_, 22}, {'o', open_hat, 18}};
    drums(s, 5, metal, 2, 2, "h . h . h . h . h . h . h . h .");
    drums(s, 5, metal, A, 8, "h . h . h . h . h . h . h . h .");
    drums(s, 5, metal, B, 8, ". . o . . . o . . . o . . . o .");
    drums(s, 5, metal, A2, 8, "h . h h h . h h h . h h h . h h");
    drums(s, 5, metal, BRIDGE, 4, "h . . . h . . . h . . . h . . .");

    std::vector<Kit> extra = {{'c', crash_, 26}, {'s', shaker_, 18}};
    for (int start : {A, B, A2, BRIDGE + 2})
        drums(s, 8, extra, start, 1, "c . . . . . . . . . . . . . . .");
    drums(s, 8, extra, A2 + 1, 7, ". . s . . . s . . . s . . . s .");

    s.write(out + "/xm/2.xm");
}
