// The notation of the generated songs: note lines, figures over chords, voice-led
// pads and drum patterns written row by row, then cut into XM patterns.
#include "music/compose.h"

#include "music/instruments.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <utility>

namespace {

[[noreturn]] void fail(const Song &s, const std::string &what)
{
    fprintf(stderr, "song %s: %s\n", s.module.name.c_str(), what.c_str());
    exit(1);
}

std::vector<std::string> tokens(const std::string &text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string t; in >> t;)
        out.push_back(t);
    return out;
}

int pc_of(int note) { return (note - 1) % 12; }

// The lowest note of pitch class pc at or above `low`.
int place(int pc, int low) { return low + ((pc - pc_of(low)) % 12 + 12) % 12; }

int volume_byte(int v) { return 0x10 + std::clamp(v, 0, 64); }

// Strips a trailing "!" (louder) or "?" (softer) and applies it to the volume.
std::string dynamics(std::string t, int &volume)
{
    if (!t.empty() && t.back() == '!') {
        volume = std::min(64, volume * 5 / 4);
        t.pop_back();
    } else if (!t.empty() && t.back() == '?') {
        volume = volume * 3 / 5;
        t.pop_back();
    }
    return t;
}

void check_bar(const Song &s, int row)
{
    if (row % s.bar_rows != 0)
        fail(s, "bar line at row " + std::to_string(row) + " is not on a bar (" +
                    std::to_string(row / s.bar_rows) + "+" + std::to_string(row % s.bar_rows) + ")");
}

XmCell &free_cell(Song &s, int channel, int row)
{
    if (channel < 0 || channel >= s.module.channels || row < 0 || row >= s.bars * s.bar_rows)
        fail(s, "row " + std::to_string(row) + " of channel " + std::to_string(channel) + " is outside the song");
    return s.at(channel, row);
}

// Sets a note, checking that nothing else was written there.
void put_note(Song &s, int channel, int row, int note, int instrument, int volume)
{
    XmCell &c = free_cell(s, channel, row);
    // A release where a note starts is redundant: the note replaces the old one anyway.
    if (note == 97 && c.note)
        return;
    if (c.note && c.note != 97)
        fail(s, "two notes at row " + std::to_string(row) + " of channel " + std::to_string(channel));
    if (note < 1 || note > 97)
        fail(s, "note out of range at row " + std::to_string(row));
    c.note = static_cast<uint8_t>(note);
    if (note != 97) {
        c.instrument = static_cast<uint8_t>(instrument);
        c.volume = static_cast<uint8_t>(volume_byte((volume * s.mix + 50) / 100));
    }
}

void set_effect(Song &s, int channel, int row, int effect, int param)
{
    XmCell &c = free_cell(s, channel, row);
    if (c.effect || c.param)
        fail(s, "two effects at row " + std::to_string(row));
    c.effect = static_cast<uint8_t>(effect);
    c.param = static_cast<uint8_t>(param);
}

bool same(const XmCell &a, const XmCell &b)
{
    return a.note == b.note && a.instrument == b.instrument && a.volume == b.volume && a.effect == b.effect &&
           a.param == b.param;
}

// The one reader of every line, figure, pad rhythm and drum pattern: one token a
// row from `bar` on, "|" held against the bar lines and taking no row. With `bars`
// the pattern must be whole bars and repeats until they are filled; without, it
// is read once. Returns the row after the last.
int walk(Song &s, int bar, int bars, const std::string &pattern, const char *what,
         const std::function<void(int row, const std::string &token)> &visit)
{
    std::vector<std::string> all = tokens(pattern), pat;
    for (const std::string &t : all)
        if (t == "|")
            check_bar(s, bar * s.bar_rows + static_cast<int>(pat.size()));
        else
            pat.push_back(t);
    int first = bar * s.bar_rows;
    if (bars == 0) {
        for (size_t i = 0; i < pat.size(); i++)
            visit(first + static_cast<int>(i), pat[i]);
        return first + static_cast<int>(pat.size());
    }
    if (pat.empty() || static_cast<int>(pat.size()) % s.bar_rows != 0)
        fail(s, std::string(what) + " \"" + pattern + "\" is not whole bars");
    int end = (bar + bars) * s.bar_rows;
    if (end > s.bars * s.bar_rows)
        fail(s, std::string(what) + " \"" + pattern + "\" runs past the end of the song");
    for (int row = first; row < end; row++)
        visit(row, pat[static_cast<size_t>(row - first) % pat.size()]);
    return end;
}

} // namespace

Chord chord(const std::string &symbol)
{
    static const int steps[7] = {9, 11, 0, 2, 4, 5, 7};
    static const std::vector<std::pair<std::string, std::vector<int>>> qualities = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},    {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},    {"m7b5", {0, 3, 6, 10}},  {"dim", {0, 3, 6}},      {"dim7", {0, 3, 6, 9}},
        {"sus4", {0, 5, 7}},      {"sus2", {0, 2, 7}},      {"7sus4", {0, 5, 7, 10}}, {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},     {"add9", {0, 2, 4, 7}},   {"madd9", {0, 2, 3, 7}}, {"aug", {0, 4, 8}},
        {"9", {0, 2, 4, 7, 10}},  {"m9", {0, 2, 3, 7, 10}}, {"maj9", {0, 2, 4, 7, 11}}};
    auto pitch = [&](const std::string &s, size_t &i) {
        if (i >= s.size() || s[i] < 'A' || s[i] > 'G')
            return -1;
        int pc = steps[s[i++] - 'A'];
        if (i < s.size() && (s[i] == '#' || s[i] == 'b') && !(s[i] == 'b' && i + 1 < s.size() && s[i + 1] == '5'))
            pc += s[i++] == '#' ? 1 : -1;
        return (pc + 12) % 12;
    };
    Chord c;
    size_t i = 0;
    c.root = pitch(symbol, i);
    size_t slash = symbol.find('/', i);
    std::string quality = symbol.substr(i, slash == std::string::npos ? std::string::npos : slash - i);
    c.bass = c.root;
    if (slash != std::string::npos) {
        size_t j = slash + 1;
        c.bass = pitch(symbol, j);
        if (j != symbol.size())
            c.bass = -1;
    }
    bool known = false;
    for (const auto &q : qualities)
        if (q.first == quality) {
            c.tones = q.second;
            known = true;
        }
    if (c.root < 0 || c.bass < 0 || !known) {
        fprintf(stderr, "bad chord \"%s\"\n", symbol.c_str());
        exit(1);
    }
    return c;
}

Song::Song(const std::string &name, int channels, int bpm, int bar_rows_, int bars_)
    : bar_rows(bar_rows_), bars(bars_)
{
    module.name = name;
    module.channels = channels;
    module.bpm = bpm;
    module.speed = 6;
    rows.assign(static_cast<size_t>(channels), std::vector<XmCell>(static_cast<size_t>(bars * bar_rows)));
    harmony.resize(static_cast<size_t>(bars * bar_rows));
    pan.assign(static_cast<size_t>(channels), -1);
}

int Song::instrument(const XmInstrument &ins)
{
    module.instruments.push_back(ins);
    return static_cast<int>(module.instruments.size());
}

void Song::write(const std::string &path)
{
    if (bars % pattern_bars != 0 || loop_bar % pattern_bars != 0)
        fail(*this, "bars do not divide into patterns");
    int prow = pattern_bars * bar_rows;
    int channels = module.channels;
    // A struck note takes its sample's panning; the channel's own place is set anew with each.
    for (int c = 0; c < channels; c++)
        for (XmCell &cell : rows[c])
            if (pan[c] >= 0 && cell.note >= 1 && cell.note <= 96 && cell.instrument && !cell.effect && !cell.param) {
                cell.effect = 8;
                cell.param = static_cast<uint8_t>(pan[c]);
            }
    module.patterns.clear();
    module.orders.clear();
    for (int start = 0; start < bars * bar_rows; start += prow) {
        XmPattern p = make_pattern(prow, channels);
        for (int r = 0; r < prow; r++)
            for (int c = 0; c < channels; c++)
                p.at(r, c, channels) = rows[c][start + r];
        int found = -1;
        for (size_t k = 0; k < module.patterns.size() && found < 0; k++)
            if (std::equal(p.cells.begin(), p.cells.end(), module.patterns[k].cells.begin(), same))
                found = static_cast<int>(k);
        if (found < 0) {
            module.patterns.push_back(p);
            found = static_cast<int>(module.patterns.size()) - 1;
        }
        module.orders.push_back(found);
    }
    module.restart = loop_bar / pattern_bars;
    write_xm(path, module);
}

void chords(Song &s, int bar, int unit, const std::string &progression)
{
    int row = bar * s.bar_rows;
    Chord current;
    bool any = false;
    for (const std::string &t : tokens(progression)) {
        if (t == "|") {
            check_bar(s, row);
            continue;
        }
        if (t != ".") {
            current = chord(t);
            any = true;
        }
        if (!any)
            fail(s, "a progression starts with a hold");
        for (int r = 0; r < unit; r++) {
            if (row >= s.bars * s.bar_rows)
                fail(s, "progression runs past the end");
            s.harmony[row++] = current;
        }
    }
}

namespace {

// The share of a phrased line's volume each note gets, in percent, by the
// token's index in the line: the bar's highest note full, a note held a beat
// or more 88, a shorter one 74.
std::vector<int> phrasing(const Song &s, const std::vector<std::pair<int, std::string>> &line)
{
    std::vector<int> share(line.size(), 100);
    std::vector<int> notes(line.size(), 0);
    for (size_t i = 0; i < line.size(); i++) {
        int v = 0;
        std::string t = dynamics(line[i].second, v);
        if (t != "." && t != "-")
            notes[i] = note_number(t);
    }
    for (size_t i = 0; i < line.size(); i++) {
        if (!notes[i])
            continue;
        int bar = line[i].first / s.bar_rows, end = line.back().first + 1, top = 0;
        for (size_t j = line.size() - 1; j > i; j--)
            if (line[j].second != ".")
                end = line[j].first;   // the next note or release
        for (size_t j = 0; j < line.size(); j++)
            if (line[j].first / s.bar_rows == bar)
                top = std::max(top, notes[j]);
        share[i] = notes[i] == top ? 100 : (end - line[i].first) * 4 >= s.bar_rows ? 88 : 74;
    }
    return share;
}

} // namespace

int melody(Song &s, const Line &line, int bar, const std::string &notes)
{
    bool two = line.channel2 >= 0;
    int active = -1;   // channel holding the sounding note
    std::vector<std::pair<int, std::string>> all;
    int after = walk(s, bar, 0, notes, "line", [&](int row, const std::string &raw) { all.push_back({row, raw}); });
    std::vector<int> share = phrasing(s, all);
    for (size_t i = 0; i < all.size(); i++) {
        const int row = all[i].first;
        int volume = line.phrased ? (line.volume * share[i] + 50) / 100 : line.volume;
        std::string t = dynamics(all[i].second, volume);
        if (t == "-") {
            if (active >= 0)
                put_note(s, active, row, 97, 0, 0);
            active = -1;
        } else if (t != ".") {
            int ch = line.channel;
            if (two && active == line.channel)
                ch = line.channel2;
            if (two && active >= 0)
                put_note(s, active, row, 97, 0, 0);
            put_note(s, ch, row, note_number(t) + line.transpose, line.instrument, volume);
            active = ch;
        }
    }
    return after;
}

void figure(Song &s, const Line &line, int bar, int bars, int low, const std::string &pattern)
{
    walk(s, bar, bars, pattern, "figure", [&](int row, const std::string &token) {
        int volume = line.volume;
        std::string t = dynamics(token, volume);
        const Chord &c = s.harmony[row];
        int note = 0;
        if (t == ".")
            return;
        if (t == "-")
            note = 97;
        else if (t == "b" || t == "B")
            note = place(c.bass, low) + (t == "B" ? 12 : 0);
        else if (t == "a") {
            // A step into the next bar's bass: a half step below unless that rubs
            // against this chord or just repeats the note before.
            int next = row - row % s.bar_rows + s.bar_rows;
            if (next >= s.bars * s.bar_rows)
                next = s.loop_bar * s.bar_rows;   // the song goes on from its loop
            int target = place(s.harmony[next].bass, low), before = 0;
            for (int r = row - 1; r >= 0 && r >= row - s.bar_rows && !before; r--)
                before = s.at(line.channel, r).note;
            for (int step : {-1, 1, -2, 2}) {
                note = target + step;
                bool rubs = note == before;
                for (int tone : c.tones) {
                    int d = ((pc_of(note) - (c.root + tone)) % 12 + 12) % 12;
                    rubs = rubs || d == 1 || d == 11;
                }
                if (!rubs)
                    break;
            }
        } else if (t.size() == 1 && t[0] >= '0' && t[0] <= '9') {
            std::vector<int> stack;
            int root = place(c.root, low);
            for (int o = 0; o < 4; o++)
                for (int tone : c.tones)
                    stack.push_back(root + tone + 12 * o);
            std::sort(stack.begin(), stack.end());
            note = stack[t[0] - '0'];
        } else
            fail(s, "bad figure token \"" + t + "\"");
        put_note(s, line.channel, row, note == 97 ? 97 : note + line.transpose, line.instrument, volume);
    });
}

namespace {

// The voicing of chord c nearest to `held` (or to the middle of the range).
std::vector<int> voicing(const Song &s, const Chord &c, size_t voices, const std::vector<int> &held, int low, int high,
                         int row)
{
    // Which pitch classes to sound: the bass has the root, so drop it first, then
    // the fifth; double the root of a chord with fewer tones than voices.
    std::vector<int> tones = c.tones;
    for (int drop : {0, 7})
        if (tones.size() > voices && std::find(tones.begin(), tones.end(), drop) != tones.end())
            tones.erase(std::find(tones.begin(), tones.end(), drop));
    while (tones.size() > voices)
        tones.pop_back();
    while (tones.size() < voices)
        tones.push_back(0);
    std::vector<int> want;
    for (int t : tones)
        want.push_back((c.root + t) % 12);
    std::sort(want.begin(), want.end());
    std::vector<int> candidates;
    for (int n = low; n <= high; n++)
        if (std::find(want.begin(), want.end(), pc_of(n)) != want.end())
            candidates.push_back(n);
    std::vector<int> best;
    double best_cost = 1e9;
    std::vector<bool> pick(candidates.size(), false);
    std::fill(pick.begin(), pick.begin() + static_cast<long>(std::min(voices, candidates.size())), true);
    do {
        std::vector<int> v, pcs;
        for (size_t i = 0; i < candidates.size(); i++)
            if (pick[i]) {
                v.push_back(candidates[i]);
                pcs.push_back(pc_of(candidates[i]));
            }
        std::sort(pcs.begin(), pcs.end());
        if (pcs != want)
            continue;
        double cost = 0;
        for (size_t i = 0; i < voices; i++) {
            cost += held.empty() ? std::abs(v[i] - (low + high) / 2) * 0.5 : std::abs(v[i] - held[i]);
            if (i > 0 && v[i] - v[i - 1] < 3)
                cost += 4;   // seconds muddy a soft chord
        }
        if (cost < best_cost) {
            best_cost = cost;
            best = v;
        }
    } while (std::prev_permutation(pick.begin(), pick.end()));
    if (best.empty())
        fail(s, "no voicing in range at row " + std::to_string(row));
    return best;
}

bool same_chord(const Chord &a, const Chord &b) { return a.root == b.root && a.bass == b.bass && a.tones == b.tones; }

} // namespace

void pad(Song &s, const std::vector<int> &channels, int instrument, int volume, int bar, int bars, int low, int high,
         const std::string &rhythm)
{
    size_t voices = channels.size();
    std::vector<int> held;
    int first = bar * s.bar_rows, end = (bar + bars) * s.bar_rows;
    if (!rhythm.empty()) {
        walk(s, bar, bars, rhythm, "pad rhythm", [&](int row, const std::string &token) {
            int volume_here = volume;
            std::string t = dynamics(token, volume_here);
            // A chord that changes between strikes would leave the old one ringing over the new bass.
            if (t == "." && row > first && !same_chord(s.harmony[row - 1], s.harmony[row]))
                t = "-";
            if (t == "-")
                for (int ch : channels)
                    put_note(s, ch, row, 97, 0, 0);
            else if (t == "x") {
                held = voicing(s, s.harmony[row], voices, held, low, high, row);
                for (size_t i = 0; i < voices; i++)
                    put_note(s, channels[i], row, held[i], instrument, volume_here);
            } else if (t != ".")
                fail(s, "bad pad rhythm token \"" + t + "\"");
        });
    } else {
        for (int row = first; row < end; row++) {
            if (row > first && same_chord(s.harmony[row - 1], s.harmony[row]))
                continue;
            std::vector<int> best = voicing(s, s.harmony[row], voices, held, low, high, row);
            for (size_t i = 0; i < voices; i++) {
                if (!held.empty() && held[i] == best[i])
                    continue;
                if (held.empty()) {
                    put_note(s, channels[i], row, best[i], instrument, volume);
                } else {
                    // Glide instead of striking again: a held sound changes pitch without a seam.
                    XmCell &cell = free_cell(s, channels[i], row);
                    cell.note = static_cast<uint8_t>(best[i]);
                    cell.effect = 3;
                    cell.param = 0x30;
                }
            }
            held = best;
        }
    }
    if (end < s.bars * s.bar_rows)
        for (int ch : channels)
            put_note(s, ch, end, 97, 0, 0);
}

void drums(Song &s, int channel, const std::vector<Kit> &kit, int bar, int bars, const std::string &pattern)
{
    walk(s, bar, bars, pattern, "drum pattern", [&](int row, const std::string &t) {
        if (t == ".")
            return;
        bool found = false;
        for (const Kit &k : kit)
            if (t.size() == 1 && (t[0] == k.letter || t[0] == k.letter - 'a' + 'A')) {
                int v = t[0] == k.letter ? k.volume : std::min(64, k.volume * 5 / 4);
                put_note(s, channel, row, k.note, k.instrument, v);
                found = true;
            }
        if (!found)
            fail(s, "no drum \"" + t + "\"");
    });
}

void global_volume(Song &s, int row, int volume)
{
    for (int c = 0; c < s.module.channels; c++) {
        XmCell &cell = free_cell(s, c, row);
        if (!cell.note && !cell.effect && !cell.param) {
            set_effect(s, c, row, 0x10, std::clamp(volume, 0, 64));
            return;
        }
    }
    fail(s, "no free effect at row " + std::to_string(row) + " for the global volume");
}

void swing(Song &s, int channel, int long_speed, int short_speed)
{
    s.module.speed = long_speed;
    for (int row = 0; row < s.bars * s.bar_rows; row += 2)
        set_effect(s, channel, row, 0xF, row % 4 == 0 ? long_speed : short_speed);
}

void echo(Song &s, const std::vector<int> &from, const std::vector<int> &to, int bar, int bars, int rows, int percent)
{
    if (from.size() != to.size())
        fail(s, "an echo needs one channel for each it repeats");
    int end = s.bars * s.bar_rows, loop = s.loop_bar * s.bar_rows;
    for (size_t k = 0; k < from.size(); k++)
        for (int row = bar * s.bar_rows; row < (bar + bars) * s.bar_rows; row++) {
            const XmCell source = s.at(from[k], row);
            if (!source.note)
                continue;
            // What would sound after the end sounds after the loop instead, where the song goes on.
            int at = row + rows < end ? row + rows : loop + (row + rows - end);
            if (source.note == 97) {
                put_note(s, to[k], at, 97, 0, 0);
                continue;
            }
            XmCell &c = free_cell(s, to[k], at);
            if (c.note && c.note != 97)
                fail(s, "an echo lands on a note at row " + std::to_string(at) + " of channel " + std::to_string(to[k]));
            c.note = source.note;
            c.instrument = source.instrument;
            c.volume = static_cast<uint8_t>(volume_byte((source.volume - 0x10) * percent / 100));
        }
}
