// The four songs: the gentle theme of the menu and cutscenes, a playful chase
// for level one, a thinking tune for level two and a steady push for level three.
#include "music/songs.h"

#include "common/output.h"
#include "music/bank.h"
#include "music/compose.h"
#include "music/instruments.h"

namespace {

// Notes as a player reads them: C4 is middle C.
int n(const char *name) { return note_number(name); }

// One kit piece at three levels: its letter in upper case accented, in lower
// case as given, and `soft` at `percent` of that (off-beats, ghost notes, pickups).
std::vector<Kit> levels(char letter, char soft, int instrument, int volume, int percent, int note = 49)
{
    return {{letter, instrument, volume, note}, {soft, instrument, volume * percent / 100, note}};
}

// The last full statement of the tune lifts: the rest of the song plays about
// 2 dB under it. A song that loops straight back from it eases down over its
// last two bars a beat at a time, so that the loop does not drop.
void lift(Song &s, int bar, int bars, bool ease_out)
{
    const int body = 51, beat = 4;
    global_volume(s, 0, body);
    global_volume(s, s.loop_bar * s.bar_rows, body);
    global_volume(s, bar * s.bar_rows, 64);
    int end = (bar + bars) * s.bar_rows;
    if (!ease_out) {
        global_volume(s, end, body);
        return;
    }
    int steps = 2 * s.bar_rows / beat;
    for (int k = 0; k < steps; k++)
        global_volume(s, end - 2 * s.bar_rows + k * beat, 64 - (64 - body) * (k + 1) / (steps + 1));
}

std::vector<Kit> operator+(std::vector<Kit> a, const std::vector<Kit> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

// F major, 3/4 at 88: a lullaby, and what the title and every cutscene start
// from the top, so its first half minute carries the tune. Harp and strings
// open; the flute sings the theme (A) with its echo on the other side; the
// music box takes a rising middle part over the flute (B); the theme again
// with the music box answering (A'); everything but the harp and the music box
// falls away for a moment (break); the theme returns with everything (A'').
void track_int()
{
    const int bpm = 88;
    Song s("int.xm", 12, bpm, 12, 38);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 100;
    int flute_ = s.instrument(flute(bpm, n("C4"), n("F5"), 128));
    int harp_ = s.instrument(harp(bpm, n("E3"), n("C6"), 128));
    int bass = s.instrument(cello(bpm, n("E2"), n("D#3")));
    int pad_ = s.instrument(strings(bpm, n("F3"), n("D5"), 128));
    int box = s.instrument(music_box(bpm, n("G4"), n("C6"), 128));
    int kick_ = s.instrument(kick(bpm, 0.6));
    int shaker_ = s.instrument(shaker(bpm, 128));
    // Flute left of the middle and its echo right; the strings spread across.
    s.pan = {100, 100, 180, 128, 44, 212, 168, 76, 128, 140, 184, 184};
    const int A = 2, B = 10, A2 = 18, BREAK = 26, A3 = 30;

    chords(s, 0, 12, "F C7 |"
                     " F Bb F/A C F Gm7 C7 F |"
                     " Bb C Am Dm Gm C F C7 |"
                     " F Bb Dm C F Gm7 C7 F |"
                     " Dm Bb Gm7 C7 |"
                     " F Bb F/A C F Gm7 C7 F");
    chords(s, B + 5, 6, "Csus4 C");   // the melody leans on F before E: so does the chord

    const std::string theme_start = "F4 . . . A4 . . . C5 . . . | D5 . . . . . . . C5 . . . |"
                                    " A4 . . . . . G4 . F4 . . . | G4 . . . . . . . . . . . |"
                                    " F4 . . . A4 . . . C5 . . . | D5 . . . F5 . . . F5 . E5 . |";
    const std::string open_end = " D5 . . . . . C5 . Bb4 . . . | A4 . . . . . . . . . - . |";
    const std::string closed_end = " D5 . . . . . Bb4 . G4 . . . | F4 . . . . . . . . . - . |";
    Line melody_line{0, 1, flute_, 58, 0, true};
    melody(s, melody_line, A, theme_start + open_end);
    melody(s, melody_line, A2, theme_start + closed_end);
    melody(s, melody_line, A3, theme_start + closed_end);

    // The middle part: the music box leads, the flute holds long notes beneath.
    Line box_line{7, -1, box, 54, 0, true};
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
    Line answer_line{7, -1, box, 45, 0, true};
    melody(s, answer_line, A2, answers);
    melody(s, answer_line, A3, answers);

    // Whatever leads is heard again half a bar later, softly, from the other side.
    for (int start : {A, A2, A3})
        echo(s, {0, 1}, {10, 11}, start, 8, 6, 42);
    echo(s, {7}, {10}, B, 8, 6, 42);
    echo(s, {7}, {10}, BREAK, 4, 6, 42);

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

    // The bass holds a bar in A, walks in B, moves to the fifth in A', rests in
    // the break, and steps into each new phrase.
    Line bass_line{3, -1, bass, 24};
    figure(s, bass_line, 0, 2, n("E2"), "b . . . . . . . . . . .");
    figure(s, bass_line, A, 8, n("E2"), "b . . . . . . . . . . . | b . . . . . . . . . . . | b . . . . . . . . . . . |"
                                        " b . . . . . . . a . . .");
    figure(s, bass_line, B, 8, n("E2"), "b . . . 1 . . . 2 . . . | b . . . 2 . . . a . . .");
    figure(s, bass_line, A2, 8, n("E2"), "b . . . . . . . 2 . . . | b . . . . . . . 2 . . . | b . . . . . . . 2 . . . |"
                                         " b . . . 1 . . . a . . .");
    figure(s, bass_line, BREAK, 4, n("E2"), "b? . . . . . . . . . . . | - . . . . . . . . . . . | b? . . . . . . . . . . . |"
                                            " b . . . . . . . a . . .");
    figure(s, bass_line, A3, 8, n("E2"), "b . . . . . . . 2 . . . | b . . . . . . . 2 . . . | b . . . . . . . 2 . . . |"
                                         " b . . . 1 . . . a . . .");

    // Three strings: the chord's colour without its root, which the cello has.
    pad(s, {4, 5, 9}, pad_, 12, 0, BREAK, n("F3"), n("D5"));
    pad(s, {4, 5, 9}, pad_, 9, BREAK, 4, n("F3"), n("D5"));
    pad(s, {4, 5, 9}, pad_, 12, A3, 8, n("F3"), n("D5"));

    // The shaker leans on the second beat and brushes the third; the kick
    // marks each bar, with a softer push into the next phrase.
    std::vector<Kit> shake = levels('s', 'q', shaker_, 24, 65);
    std::vector<Kit> thump = levels('k', 'p', kick_, 38, 60);
    drums(s, 6, shake, A, 8, ". . . . S . . . q . . . | . . . . s . . . q . . . | . . . . s . . . q . . . | . . . . s . . . q . s . |"
                             " . . . . S . . . q . . . | . . . . s . . . q . . . | . . . . s . . . q . . . | q . q . s . s . S . s S");
    drums(s, 6, shake, B, 8, ". . . . . . . . s . . . | . . . . . . . . q . . . | . . . . . . . . s . . . | . . . . q . . . s . S .");
    drums(s, 8, thump, B, 8, "K . . . . . . . . . . . | k . . . . . . . . . . . | k . . . . . . . . . . . | k . . . . . . . p . . .");
    drums(s, 6, shake, A2, 8, ". . . . S . . . q . s . | . . . . s . . . q . s . | . . . . s . . . q . s . | s . . . s . . . q s s S");
    drums(s, 8, thump, A2, 8, "K . . . . . . . . . . . | k . . . . . . . . . . . | k . . . . . . . . . . . | k . . . . . . . p . . .");
    drums(s, 6, shake, BREAK + 3, 1, ". . . . . . q . q s s S");
    drums(s, 6, shake, A3, 8, ". . . . S . . q s . q . | . . . . s . . q s . q . | . . . . s . . q s . q . | q . q . s . s . s s S S");
    drums(s, 8, thump, A3, 8, "K . . . . . . . . . . . | k . . . . . . . p . . . | k . . . . . . . . . . . | k . . . . . . . p . k .");

    lift(s, A3, 8, true);

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
    Song s("0.xm", 10, bpm, 16, 38);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 88;
    int lead = s.instrument(clarinet(bpm, n("F#4"), n("A5"), 128));
    int second = s.instrument(oboe(bpm, n("D4"), n("F#5"), 128));
    int bell = s.instrument(music_box(bpm, n("G5"), n("A6"), 128));
    int bass = s.instrument(plucked_bass(bpm, n("B1"), n("G#3")));
    int stab = s.instrument(organ(bpm, n("F#3"), n("B4"), 128));
    int kick_ = s.instrument(kick(bpm, 1.0));
    int snare_ = s.instrument(snare(bpm, 1.0));
    int hat_ = s.instrument(hat(bpm, 0.03, 128));
    int open_hat = s.instrument(hat(bpm, 0.16, 128));
    int block = s.instrument(woodblock(bpm, 128));
    int clap_ = s.instrument(clap(bpm, 128));
    int tom_ = s.instrument(tom(bpm));
    s.pan = {104, 176, 128, 52, 204, 128, 144, 188, 72, 128};
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
    Line lead_line{0, -1, lead, 50, 0, true};
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
    Line second_line{1, -1, second, 38, 0, true};
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
    Line bell_line{1, -1, bell, 29, 12, true};
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

    // Off-beat stabs of three notes, the first of each bar a little harder.
    const std::vector<int> stabs = {3, 4, 9};
    pad(s, stabs, stab, 21, 0, A, n("F#3"), n("B4"), ". . x! . . . . . . . x . . . . .");
    pad(s, stabs, stab, 21, A, B - A, n("F#3"), n("B4"), ". . x! . . . x . . . x . . . x .");
    pad(s, stabs, stab, 21, B, 8, n("F#3"), n("B4"), ". . x! . . x . . . . x . . x . .");
    pad(s, stabs, stab, 21, A3, 8, n("F#3"), n("B4"), ". . x! . . . x . . . x . . . x .");
    pad(s, stabs, stab, 21, BREAK, 4, n("F#3"), n("B4"), "x . . . . . . . x? . . . . . . .");

    // Kick, snare, hats and the small percussion each on a channel of their own,
    // so every hit rings out; a short fill ends each four bars, a longer one each
    // eight. Downbeats lean, pickups and off-beat hats are lighter, and ghost
    // notes on the snare keep the chase on its toes.
    std::vector<Kit> kicks = levels('k', 'p', kick_, 44, 65);
    std::vector<Kit> snares = levels('s', 'g', snare_, 36, 40);
    const std::string four_kicks = "K . . . . . . . k . p . . . . .";
    drums(s, 5, kicks, 0, A, "K . . . . . . . k . . . . . . p");
    for (int start : {A, A2, A3}) {
        drums(s, 5, kicks, start, 8, four_kicks + " | " + four_kicks + " | " + four_kicks + " | " + four_kicks + " | " +
                                     four_kicks + " | " + four_kicks + " | " + four_kicks + " | K . . . . . . . . . . . . . . .");
        drums(s, 6, snares, start, 8, ". . . . s . . g . . . . s . . . | . . . . s . . . . g . . s . . g |"
                                      " . . . . s . . g . . . . s . . . | . . . . s . . . . g . . s . s s |"
                                      " . . . . s . . g . . . . s . . . | . . . . s . . . . g . . s . . g |"
                                      " . . . . s . . g . . . . s . . . | . . . . s . . . g . g . s s S S");
    }
    drums(s, 5, kicks, B, 8, "K . . . . . . p . . k . . . . .");
    drums(s, 6, snares, B, 8, ". . . . s . . . . . g . s . . . | . . . . s . . g . . . . s . . S");
    drums(s, 5, kicks, BREAK, 4, "k . . . . . . . p . . . . . . .");
    drums(s, 6, snares, BREAK + 2, 2, ". . . . s . . . . . . . s . . g | . . . . s . . . . . g . s . s S");

    // The open hat leans into every other bar and tiptoes in the break.
    std::vector<Kit> hats = levels('h', 'x', hat_, 20, 70) + levels('o', 'q', open_hat, 18, 65);
    drums(s, 7, hats, 0, B, "H . x . h . x . h . x . h . o . | H . x . h . x . h . x . h . O .");
    std::vector<Kit> busy_hats = levels('h', 'x', hat_, 16, 70) + levels('o', 'q', open_hat, 16, 65);
    drums(s, 7, busy_hats, B, 8, "H . x x h . x x h . x x h . o . | H . x x h . x x h . x q h . O .");
    drums(s, 7, hats, A3, 8, "H . x x h . x . h . x x h . o . | H . x x h . x . h . x x h . O .");
    drums(s, 7, hats, BREAK, 4, ". . x . . . h . . . x . . . q .");

    std::vector<Kit> extra = std::vector<Kit>{{'w', block, 24, n("C4")}, {'v', block, 20, n("G3")}} +
                             levels('c', 'q', clap_, 26, 55) + levels('t', 'u', tom_, 32, 70, n("G4")) +
                             levels('l', 'm', tom_, 32, 70, n("C4"));
    drums(s, 8, extra, 0, A, ". . . . . . w . . . v . . . w .");
    drums(s, 8, extra, A2 + 6, 2, ". . . . . . w . . . v . . . w . | . . . . . . . . u . t . m . L .");
    drums(s, 8, extra, B, 8, ". . . . C . . . . . . . c . . . | . . . . c . . . . . . q c . . . |"
                             " . . . . C . . . . . . . c . . . | . . . . c . . . . . w . v . w . |"
                             " . . . . C . . . . . . . c . . . | . . . . c . . . . . . q c . . . |"
                             " . . . . C . . . . . . . c . . . | . . . . c . . . u . t . m . L .");
    drums(s, 8, extra, A3, 8, ". . . . c . . . . . . q c . . .");
    drums(s, 8, extra, BREAK, 4, ". . . . . . w . . . v . . . w .");

    lift(s, A3, 8, false);

    s.write(out + "/xm/0.xm");
}

// A minor, swung 4/4 at 100: thinking music. A wood block ticks like a clock;
// the vibraphone muses in a falling sequence over a circle of fifths while the
// bass moves in half notes (A); the bass starts walking and a brighter idea
// comes (B); the drums stop and only the clock, a few bass notes and a
// questioning vibraphone are left (break); the musing returns over walking bass (A').
// The vibraphone's echo answers from the other side a dotted quarter later.
void track_1()
{
    const int bpm = 100;
    Song s("1.xm", 12, bpm, 16, 30);
    s.pattern_bars = 2;
    s.loop_bar = 2;
    s.mix = 109;
    int vib = s.instrument(vibes(bpm, n("F4"), n("A5"), 128));
    int bass = s.instrument(pizzicato_bass(bpm, n("C2"), n("C4")));
    // The piano comps low, under G4, leaving the wrong-answer effect its own room above.
    int piano = s.instrument(electric_piano(bpm, n("D3"), n("G4"), 128));
    int block = s.instrument(woodblock(bpm, 172));
    int kick_ = s.instrument(kick(bpm, 0.5));
    int brush_ = s.instrument(brush(bpm, 128));
    int ride_ = s.instrument(ride(bpm, 128));
    // The clock's channel carries the swing in its effect column, so it keeps its sample's place.
    s.pan = {106, 106, 128, 60, 196, -1, 128, 150, 200, 128, 172, 172};
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
    Line vib_line{0, 1, vib, 45, 0, true};
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
    // Six rows is an even count, so the echo keeps the swing's long-short pairs.
    echo(s, {0, 1}, {10, 11}, A, s.bars - A, 6, 45);

    Line bass_line{2, -1, bass, 58};
    const std::string walking = "b . . . 2 . . . 1 . . . a . . . | b . . . 1 . . . 2 . . . a . . .";
    figure(s, bass_line, 0, 2, n("C2"), "b . . . . . . . 2 . . . . . . .");
    figure(s, bass_line, A, 8, n("C2"), "b . . . . . . . 2 . . . . . . . | b . . . . . . . 2 . . . . . . . |"
                                        " b . . . . . . . 2 . . . . . . . | b . . . . . . . 1 . . . a . . .");
    figure(s, bass_line, B, 8, n("C2"), walking);
    figure(s, bass_line, BREAK, 4, n("C2"), "b? . . . . . . . . . . . . . . . | . . . . . . . . . . . . . . . . |"
                                            " b? . . . . . . . . . . . . . . . | b . . . 1 . . . 2 . . . a . . .");
    figure(s, bass_line, A2, 8, n("C2"), walking);

    // Three-note shells, third, fifth and seventh over the bass's root, played off
    // the downbeat, which the bass and the kick already mark.
    const std::vector<int> keys = {3, 4, 9};
    const std::string comp = ". . x . . . . . . . x? . . . . . | . . . . . . x . . . . . x? . . .";
    pad(s, keys, piano, 29, 0, BREAK, n("D3"), n("G4"), comp);
    pad(s, keys, piano, 18, BREAK, 4, n("D3"), n("G4"), "x . . . . . . . . . . . . . . .");
    pad(s, keys, piano, 29, A2, 8, n("D3"), n("G4"), comp);

    // The clock: tick on the bar and the half bar, tock between, a faint tick
    // before the bar comes round.
    std::vector<Kit> clock = levels('t', 'i', block, 22, 60, n("F4")) + std::vector<Kit>{{'o', block, 20, n("C4")}};
    drums(s, 5, clock, 0, B, "T . . . o . . . t . . . o . . i");
    drums(s, 5, clock, B, 8, "T . . . . . . . o . . . . . . i");
    drums(s, 5, clock, BREAK, 4, "T . . . o . . . t . . . o . . i");
    drums(s, 5, clock, A2, 8, "T . . . o . . . t . . . o . . i");
    swing(s, 5, 8, 4);

    // The ride's skip notes and the brushes' ghost swishes are lighter than the beat.
    std::vector<Kit> kicks = levels('k', 'p', kick_, 26, 60);
    std::vector<Kit> brushes = levels('b', 'g', brush_, 30, 45);
    std::vector<Kit> cymbal = levels('r', 'x', ride_, 20, 70);
    const std::string ride_beat = "R . . . r . x . r . . . r . x .";
    drums(s, 7, brushes, 0, A, ". . . . b . . . . . g . b . . .");
    for (int start : {A, A2}) {
        drums(s, 6, kicks, start, 8, "K . . . . . . . k . . . . . . . | K . . . . . . . k . . . . . p .");
        drums(s, 7, brushes, start, 8, ". . . . b . . g . . . . b . . . | . . . . b . . . . . g . b . . g |"
                                       " . . . . b . . g . . . . b . . . | . . . . b . . . . . b . b . B B");
        drums(s, 8, cymbal, start, 8, ride_beat);
    }
    drums(s, 6, kicks, B, 8, "K . . . . . . p . . k . . . . . | k . . . . . . . k . . . . . p .");
    drums(s, 7, brushes, B, 8, ". . . . b . . g . . . . b . . . | . . . . b . . . . . g . b . . g |"
                               " . . . . b . . g . . . . b . . . | . . . . b . . . b . b . B b B B");
    drums(s, 8, cymbal, B, 8, "R . . . r . x . r . . . r . x . | r . . . r . x . r . x . r . x .");
    // The break keeps only a brush on the bar, then calls the band back.
    drums(s, 7, brushes, BREAK, 3, "b . . . . . . . . . . . . . . .");
    drums(s, 7, brushes, BREAK + 3, 1, "g . . . b . . . b . g . b b B B");
    drums(s, 6, kicks, BREAK + 3, 1, ". . . . . . . . . . . . k . . .");

    lift(s, A2, 8, true);

    s.write(out + "/xm/1.xm");
}

// D mixolydian, 4/4 at 120: a steady push. The level lasts under nine
// seconds, so the engine runs for one bar and the brass steps in with a
// pickup after a second (intro); a tune that keeps leaning forward over a
// four-on-the-floor (A); a broader part in B minor in half time (B); the tune
// again, busier (A'); a breather without the kick that builds back up (bridge).
void track_2()
{
    const int bpm = 120;
    Song s("2.xm", 10, bpm, 16, 29);
    s.pattern_bars = 1;
    s.loop_bar = 1;
    s.mix = 109;
    int horn = s.instrument(brass(bpm, n("F#4"), n("A5"), 128));
    int bass = s.instrument(picked_bass(bpm, n("B1"), n("C4")));
    int pad_ = s.instrument(strings(bpm, n("G3"), n("C5"), 128));
    int hat_ = s.instrument(hat(bpm, 0.035, 128));
    int open_hat = s.instrument(hat(bpm, 0.16, 128));
    int crash_ = s.instrument(crash(bpm, 128));
    int kick_ = s.instrument(kick(bpm, 1.2));
    int snare_ = s.instrument(snare(bpm, 1.2));
    int tom_ = s.instrument(tom(bpm));
    int shaker_ = s.instrument(shaker(bpm, 128));
    s.pan = {108, 108, 128, 44, 212, 188, 128, 140, 68, 150};
    const int A = 1, B = 9, A2 = 17, BRIDGE = 25;

    chords(s, 0, 8, "D A |");
    chords(s, A, 16, "D C G D D C G A |"
                     " Bm G D A Bm G Em7 A7 |"
                     " D C G D D C");
    chords(s, A2 + 6, 8, "G A");
    chords(s, A2 + 7, 16, "D | G A Bm A");

    const std::string tune = "D5 . . . . . A4 . D5 . . . E5 . F#5 . | G5 . . . . . E5 . C5 . . . . . . . |"
                             " D5 . . . . . B4 . G4 . . . A4 . B4 . | A4 . . . . . . . . . . . - . . . |"
                             " D5 . . . . . A4 . D5 . . . E5 . F#5 . | G5 . . . . . A5 . G5 . . . E5 . . . |";
    Line horn_line{0, 1, horn, 58, 0, true};
    melody(s, horn_line, 0, ". . . . . . . . A4 . B4 . C#5 . . . | " + tune + " D5 . . . . . E5 . D5 . . . B4 . . . | C#5 . . . . . . . E5 . . . A4 . . . |");
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
    figure(s, bass_line, 0, 1, n("B1"), "b . b . b . b . b . b . b . a .");
    figure(s, bass_line, A, 8, n("B1"), eighths + " | " + eighths + " | " + eighths + " | " + climb);
    figure(s, bass_line, B, 8, n("B1"), "b . . . B . . . b . . B . . b . | b . . . B . . . b . . B . a . .");
    figure(s, bass_line, A2, 8, n("B1"), "b . b . b . b b b . b . b . b b | " + eighths + " | b . b . b . b b b . b . b . b b | " + climb);
    figure(s, bass_line, BRIDGE, 2, n("B1"), "b . . . . . . . . . . . b . . .");
    figure(s, bass_line, BRIDGE + 2, 2, n("B1"), eighths + " | " + climb);

    const std::vector<int> section = {3, 4, 9};
    pad(s, section, pad_, 21, 0, BRIDGE, n("G3"), n("C5"));
    pad(s, section, pad_, 19, BRIDGE, 4, n("G3"), n("C5"));

    // The engine: a heavier first beat, and every other bar a light push into the next.
    std::vector<Kit> kicks = levels('k', 'p', kick_, 34, 60);
    const std::string floor = "K . . . k . . . k . . . k . . . | K . . . k . . . k . . p k . . .";
    drums(s, 6, kicks, 0, 1, "K . . . k . . . k . . . k . . .");
    drums(s, 6, kicks, A, 8, floor);
    drums(s, 6, kicks, B, 8, "K . . . . . k . . . k . . . . . | k . . . . . k . . . k . . . p .");
    drums(s, 6, kicks, A2, 8, floor + " | " + floor + " | K . . . k . . . k . . . k . . . | k . . . k . . . k . . p k . . .");
    drums(s, 6, kicks, BRIDGE + 2, 2, floor);

    std::vector<Kit> snares = levels('s', 'g', snare_, 34, 40) + std::vector<Kit>{{'t', tom_, 36, n("G4")}, {'m', tom_, 36, n("D4")}, {'l', tom_, 36, n("A3")}};
    const std::string back = ". . . . s . . . . . g . s . . .";
    const std::string small_fill = ". . . . s . . g . . . . s . s S";
    const std::string big_fill = ". . . . s . . g t . t . m . L .";
    drums(s, 7, snares, 0, 1, small_fill);
    for (int start : {A, A2})
        drums(s, 7, snares, start, 8, back + " | " + back + " | " + back + " | " + small_fill + " | " + back + " | " +
                                      back + " | " + back + " | " + big_fill);
    drums(s, 7, snares, B, 8, ". . . . . . . . s . . . . . . . | . . . . . . . . s . . . . . g . |"
                              " . . . . . . . . s . . . . . . . | . . . . . . . . s . . g s . s S");
    drums(s, 7, snares, BRIDGE, 3, ". . . . . . . . s . . . . . . .");
    // The build: from ghost notes up to full strokes.
    drums(s, 7, snares, BRIDGE + 3, 1, "g . g . g . s . s s s s S S S S");

    std::vector<Kit> metal = levels('h', 'x', hat_, 22, 70) + levels('o', 'q', open_hat, 18, 70);
    drums(s, 5, metal, 0, 1, "H . x . h . x . h . x . h . x .");
    drums(s, 5, metal, A, 8, "H . x . h . x . h . x . h . x .");
    drums(s, 5, metal, B, 8, "x . O . x . o . x . o . x . q .");
    drums(s, 5, metal, A2, 8, "H . x x h . x x h . x x h . x x");
    drums(s, 5, metal, BRIDGE, 4, "h . . . x . . . h . . . x . . .");

    // A crash opens each part, harder on the tune; the shaker's second stroke is lighter.
    std::vector<Kit> extra = {{'c', crash_, 24}, {'s', shaker_, 18}, {'q', shaker_, 12}};
    for (int start : {A, A2})
        drums(s, 8, extra, start, 1, "C . . . . . . . . . . . . . . .");
    for (int start : {B, BRIDGE + 2})
        drums(s, 8, extra, start, 1, "c . . . . . . . . . . . . . . .");
    drums(s, 8, extra, A2 + 1, 7, ". . s . . q s . . . S . . q s .");

    lift(s, A2, 8, false);

    s.write(out + "/xm/2.xm");
}
