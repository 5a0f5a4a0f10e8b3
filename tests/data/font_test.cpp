// The game's font: every printable character, drawn mono in the colours asked
// for, and small enough for the places the game writes in.
#include "support/harness.h"

#include <map>
#include <set>

namespace {

class Font : public Headless {
protected:
    void SetUp() override
    {
        Headless::SetUp();
        load_game_data();
        ASSERT_NE(f, nullptr);
    }
};

// A character drawn alone, as rows of '#' and '.'.
std::string glyph(int code)
{
    char s[2] = {static_cast<char>(code), 0};
    int w = text_length(f, s), h = text_height(f);
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, makecol(0, 0, 0));
    textout_ex(b, f, s, 0, 0, makecol(255, 255, 255), makecol(0, 0, 0));
    std::string rows;
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++)
            rows += getpixel(b, x, y) == makecol(255, 255, 255) ? '#' : '.';
        rows += '\n';
    }
    destroy_bitmap(b);
    return rows;
}

} // namespace

TEST_F(Font, CoversEveryPrintableCharacterEachDistinctWithAGapAfterIt)
{
    int h = text_height(f);
    EXPECT_GE(h, 12);
    EXPECT_LE(h, 16);
    std::set<std::string> seen;
    for (int code = 32; code <= 126; code++) {
        char s[2] = {static_cast<char>(code), 0};
        int w = text_length(f, s);
        ASSERT_GE(w, 3) << "character " << code;   // some ink between the two blank columns
        std::string g = glyph(code);
        bool inked = g.find('#') != std::string::npos;
        EXPECT_EQ(inked, code != ' ') << "character '" << s << "'\n" << g;
        // Allegro puts characters side by side: the first and last columns are the gap.
        for (int y = 0; y < h; y++) {
            EXPECT_EQ(g[static_cast<size_t>(y * (w + 1))], '.') << "character '" << s << "' touches the one before\n" << g;
            EXPECT_EQ(g[static_cast<size_t>(y * (w + 1) + w - 1)], '.') << "character '" << s << "' touches the next\n" << g;
        }
        EXPECT_TRUE(seen.insert(g).second) << "character '" << s << "' looks like an earlier one\n" << g;
    }
}

namespace {

int width_of(const char *s)
{
    return text_length(f, s);
}

// The first row of a character that has ink in it.
int top_row(int code)
{
    std::string g = glyph(code);
    size_t first = g.find('#');
    return first == std::string::npos ? -1 : static_cast<int>(first / (g.find('\n') + 1));
}

} // namespace

TEST_F(Font, WidthsFollowTheLettersWithDigitsAllAlike)
{
    for (char d = '1'; d <= '9'; d++) {
        char s[2] = {d, 0};
        EXPECT_EQ(width_of(s), width_of("0")) << "digit " << d;
    }
    // Narrow letters and stops are narrower than an n, the wide letters wider.
    for (const char *narrow : {"i", "l", "j", "r", "t", "f", ".", ",", "!", ":", "'"})
        EXPECT_LT(width_of(narrow), width_of("n")) << narrow;
    for (const char *wide : {"m", "w", "M", "W"})
        EXPECT_GT(width_of(wide), width_of("n")) << wide;
    EXPECT_LT(width_of("i"), width_of("r"));
    // Truly proportional: many widths, none taken by half of the characters.
    std::map<int, int> count;
    for (int code = 32; code <= 126; code++) {
        char s[2] = {static_cast<char>(code), 0};
        count[width_of(s)]++;
    }
    EXPECT_GE(count.size(), 5u);
    for (auto [w, n] : count)
        EXPECT_LT(n * 2, 95) << n << " characters are " << w << " wide";
}

TEST_F(Font, AscendersRiseAboveTheCapitals)
{
    int cap = top_row('H');
    for (int c : {'b', 'd', 'h', 'k', 'l'})
        EXPECT_LT(top_row(c), cap) << static_cast<char>(c);
    for (int c : {'A', 'E', 'I', 'O', 'T', '0', '1'})
        EXPECT_EQ(top_row(c), cap) << static_cast<char>(c);
}

TEST_F(Font, DrawsMonoInExactlyTheColoursAsked)
{
    EXPECT_TRUE(is_mono_font(f));
    const int pairs[][2] = {
        {makecol(170, 211, 58), makecol(211, 140, 58)},   // plain text on its box
        {bgcol, makecol(255, 255, 255)},                 // a highlighted menu item
    };
    for (auto &p : pairs) {
        BITMAP *b = create_bitmap(200, 20);
        clear_to_color(b, makecol(1, 2, 3));
        textout_ex(b, f, " START 5/5 ", 0, 0, p[0], p[1]);
        int w = text_length(f, " START 5/5 "), h = text_height(f);
        int fg = 0, bg_ = 0, other = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                int c = getpixel(b, x, y);
                (c == p[0] ? fg : c == p[1] ? bg_ : other)++;
            }
        EXPECT_GT(fg, 0);
        EXPECT_GT(bg_, fg) << "more box than ink";
        EXPECT_EQ(other, 0);
        destroy_bitmap(b);
    }
}

TEST_F(Font, TextFitsWhereTheGameWritesIt)
{
    // The menu items sit 20 pixels apart in the area the title keeps clear.
    EXPECT_LE(text_height(f), 20);
    EXPECT_LE(310 + text_length(f, " START "), 400);
    EXPECT_LE(310 + text_length(f, " EXIT "), 400);
    // The credit line is centred on the 640-pixel screen.
    EXPECT_LE(text_length(f, "holbreck, jorun & pastinel, milo present"), 620);
}
